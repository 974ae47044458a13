"""The main window as seen from outside, through the accessibility bus."""

import sys
import unittest

import pyatspi

from corvela_session import RunningProgram, find_control, is_enabled

PROGRAM = sys.argv.pop(1)


class MainWindowBeforeAnyDisc(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)
        cls.window = cls.session.window("Corvela Pro - CD Player")

    def test_play_is_disabled_while_load_is_enabled(self):
        play = find_control(self.window, pyatspi.ROLE_PUSH_BUTTON, "Play")
        load = find_control(self.window, pyatspi.ROLE_PUSH_BUTTON, "Load")
        self.assertIsNotNone(play, "no push button named Play")
        self.assertIsNotNone(load, "no push button named Load")
        self.assertEqual(play.description, "Button1")
        self.assertFalse(is_enabled(play))
        # Load proves the states are read truly, not merely all reported disabled.
        self.assertTrue(is_enabled(load))


if __name__ == "__main__":
    unittest.main()
