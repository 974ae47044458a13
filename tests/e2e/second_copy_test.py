"""A second copy of the program gives way to the running one."""

import subprocess
import sys
import unittest

from corvela_session import RunningProgram, end_group, start_in_own_group, wait_for
from user_actions import answer, box_saying, button

PROGRAM = sys.argv.pop(1)


class SecondCopy(unittest.TestCase):
    def test_the_second_copy_warns_and_ends_with_code_0(self):
        with RunningProgram(PROGRAM) as first:
            first.window("Corvela Pro - CD Player")
            second = start_in_own_group([PROGRAM], env=first.environment)
            try:
                answer(box_saying("already running"), "OK")
                self.assertEqual(second.wait(timeout=15), 0)
                self.assertIsNone(first.program.poll(), "the first copy runs on")
            finally:
                end_group(second)

    def test_the_running_copy_brings_back_the_window_that_was_in_front(self):
        with RunningProgram(PROGRAM) as first:
            press_graphics = button(first.window("Corvela Pro - CD Player"), "Graphics")
            press_graphics.queryAction().doAction(0)
            first.window("Corvela Pro Graphics Viewer")
            wait_for("the CD player to go", lambda: "Corvela Pro - CD Player" not in shown_windows())
            second = start_in_own_group([PROGRAM], env=first.environment)
            try:
                answer(box_saying("already running"), "OK")
                self.assertEqual(second.wait(timeout=15), 0)
                wait_for("the viewer on screen",
                         lambda: "Corvela Pro Graphics Viewer" in shown_windows())
                self.assertNotIn("Corvela Pro - CD Player", shown_windows(),
                                 "one main window on screen")
            finally:
                end_group(second)


def shown_windows():
    """The captions of the windows the window manager shows."""
    listed = subprocess.run(["wmctrl", "-l"], capture_output=True, text=True, check=False)
    return [line.split(None, 3)[-1] for line in listed.stdout.splitlines()]


if __name__ == "__main__":
    unittest.main()
