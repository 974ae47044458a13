"""A second copy of the program gives way to the running one."""

import subprocess
import sys
import unittest

import pyatspi

from corvela_session import RunningProgram, children, end_group, start_in_own_group, wait_for

PROGRAM = sys.argv.pop(1)


def warning_box():
    """The second copy's warning, wherever it shows."""
    for application in children(pyatspi.Registry.getDesktop(0)):
        for window in children(application):
            said = pyatspi.findDescendant(window, lambda a: "already running" in (a.name or ""))
            if said is not None:
                return window
    return None


class SecondCopy(unittest.TestCase):
    def test_the_second_copy_warns_and_ends_with_code_0(self):
        with RunningProgram(PROGRAM) as first:
            first.window("Corvela Pro - CD Player")
            second = start_in_own_group([PROGRAM], env=first.environment)
            try:
                box = wait_for("the second copy's warning", warning_box)
                ok = pyatspi.findDescendant(
                    box, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON and a.name == "OK")
                ok.queryAction().doAction(0)
                self.assertEqual(second.wait(timeout=15), 0)
                self.assertIsNone(first.program.poll(), "the first copy runs on")
            finally:
                end_group(second)


if __name__ == "__main__":
    unittest.main()
