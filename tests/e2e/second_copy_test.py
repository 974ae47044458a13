"""A second copy of the program gives way to the running one."""

import sys
import unittest

from corvela_session import RunningProgram, end_group, start_in_own_group
from user_actions import answer, box_saying

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


if __name__ == "__main__":
    unittest.main()
