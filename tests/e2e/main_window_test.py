"""The main window as seen from outside, through the accessibility bus."""

import sys
import unittest

import pyatspi

from corvela_session import RunningProgram, find_control, is_enabled

PROGRAM = sys.argv.pop(1)

MAIN_WINDOW_CONTROLS = {
    "ComboBox1", "Image1", "Label1", "Label2", "Label3", "Label4", "Label5", "Label6",
    "Label7", "Label8", "TrackBar1", "Button14", "Gauge1", "Button7", "Button8", "Button1",
    "Button2", "Button3", "IntroScan", "Button4", "Button5", "Button9", "Button10",
    "Button13", "Button11", "CheckBox2", "CheckBox4", "RadioButton1", "RadioButton2",
    "CheckBox1", "CheckBox3", "Button12", "Button6", "BitBtn1",
}


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

    def test_every_control_is_reachable_under_its_component_name(self):
        described = pyatspi.findAllDescendants(self.window, lambda a: a.description != "")
        missing = MAIN_WINDOW_CONTROLS - {control.description for control in described}
        self.assertEqual(missing, set())


if __name__ == "__main__":
    unittest.main()
