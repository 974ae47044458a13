"""Another program takes the focus while a dialog of ours is open and gives it back:
coming back is no new activation, so what the user had set in the dialog stays."""

import sys
import unittest

from corvela_session import OtherProgram, RunningProgram, is_enabled, wait_for
from user_actions import (answer, box_saying, button, checked, choose_files, described,
                          in_front, menu_item, past_the_reminder, press, showing, text_of,
                          window_where)

PROGRAM = sys.argv.pop(1)
WALLPAPER = "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg"
STATUS_DIALOG = "Corvela Pro CD Status Checking"


class StatusDialogAcrossAnotherProgram(unittest.TestCase):
    def setUp(self):
        self.session = RunningProgram(PROGRAM).__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.cd = past_the_reminder(self.session)

    def open_dialog(self):
        press(menu_item(self.cd, "Set Status Checking"))
        return in_front(self.session.window(STATUS_DIALOG))

    def choose_seconds_then_visit_another_program(self, dialog):
        press(described(dialog, "RadioGroup1Item3"))
        wait_for("3 seconds chosen", lambda: checked(described(dialog, "RadioGroup1Item3")))
        with OtherProgram():
            pass
        self.assertTrue(checked(described(dialog, "RadioGroup1Item3")),
                        "the choice survives the other program")

    def test_abort_still_restores_the_setting_from_before_the_dialog(self):
        dialog = self.open_dialog()
        self.choose_seconds_then_visit_another_program(dialog)
        press(described(dialog, "BitBtn1"))
        wait_for("the dialog to close", lambda: not showing(dialog))
        dialog = self.open_dialog()
        self.assertTrue(checked(described(dialog, "RadioGroup1Item0")), "normal checking again")

    def test_ok_still_asks_whether_the_choice_becomes_the_default(self):
        dialog = self.open_dialog()
        self.choose_seconds_then_visit_another_program(dialog)
        press(described(dialog, "BitBtn2"))
        answer(box_saying("become your default"), "No")
        answer(box_saying("Status temporarily set at"), "OK")


class PrintOptionsAcrossAnotherProgram(unittest.TestCase):
    def test_the_chosen_zoom_stays(self):
        with RunningProgram(PROGRAM) as session:
            press(button(past_the_reminder(session), "Graphics"))
            viewer = session.window("Corvela Pro Graphics Viewer")
            press(described(viewer, "Button1"))
            choose_files([WALLPAPER])
            wait_for("the list",
                     lambda: text_of(viewer, "Label1") == "Selected: 1 - Current: 1 of 1")
            press(described(viewer, "Button2"))
            wait_for("the picture", lambda: showing(described(viewer, "Image1")))
            press(described(viewer, "Button18"))
            options = in_front(window_where(
                "the print options", lambda window: window.name == "Corvela Pro Graphic Print"))
            press(described(options, "RadioButton3"))
            wait_for("x 8 chosen", lambda: checked(described(options, "RadioButton3")))
            with OtherProgram():
                pass
            self.assertTrue(checked(described(options, "RadioButton3")), "x 8 still chosen")


class SingleTrackDialogAcrossAnotherProgram(unittest.TestCase):
    def test_the_typed_track_stays(self):
        with RunningProgram(PROGRAM) as session:
            cd = past_the_reminder(session)
            press(button(cd, "Load"))
            single = described(cd, "Button13")
            wait_for("the disc's tracks", lambda: is_enabled(single))
            press(single)
            dialog = in_front(window_where(
                "the single track dialog", lambda window: window.name == "Single Track Selection"))
            track = described(dialog, "Edit1")
            track.queryEditableText().setTextContents("5")
            with OtherProgram():
                pass
            self.assertEqual(track.queryText().getText(0, -1), "5", "the typed track stays")


if __name__ == "__main__":
    unittest.main()
