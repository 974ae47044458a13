"""The media player's list tools from outside: Find and the type chooser on a list of
real files chosen in the file dialog."""

import os
import shutil
import sys
import tempfile
import time
import unittest

import pyatspi

from corvela_session import RunningProgram, find_control, wait_for
from user_actions import button, choose_files, press, snapshot, text_of, window_where

PROGRAM = sys.argv.pop(1)


class MediaListTools(unittest.TestCase):
    def test_find_and_the_type_chooser(self):
        folder = tempfile.mkdtemp(prefix="corvela-media-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        os.mkdir(os.path.join(folder, "a"))
        names = ["one.wav", "two.mid", "three.mp3"]
        for name in names:
            with open(os.path.join(folder, "a", name), "wb") as file:
                file.write(b"media")
        with RunningProgram(PROGRAM) as session:
            cd = session.window("Corvela Pro - CD Player")
            press(button(cd, "Sound And Video Player"))
            media = session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
            press(button(media, "Select Sound & Video"))
            choose_files([os.path.join(folder, "a", name) for name in names])
            wait_for("the list to fill", lambda: text_of(media, "Label7") == "Selected: 3")

            press(button(media, "Search Result"))
            find = window_where("the find dialog",
                                lambda w: w.name == "Search from the highlighted file onwards")
            field = pyatspi.findDescendant(find, lambda a: a.getRole() == pyatspi.ROLE_TEXT)
            field.queryEditableText().setTextContents("THREE")
            press(button(find, "OK"))
            wait_for("the found line", lambda: text_of(media, "Label1") ==
                     "Selected: 3 - Current: 3 of 3")

            press(button(media, "Sub Select"))
            types = window_where("the type chooser", lambda w: w.getRole() == pyatspi.ROLE_FRAME
                                 and w.name == "Corvela Pro")
            wait_for("the counts", lambda: text_of(types, "Label4") == "1")
            press(find_control(types, pyatspi.ROLE_CHECK_BOX, "MPEG"))
            snapshot("e2e-media-type-chooser.png")
            press(button(types, "OK"))
            wait_for("the sound line alone", lambda: text_of(media, "Label7") == "Selected: 1")
            press(button(media, "Max"))
            time.sleep(1)  # a pressed button clicks once its press has been seen
            snapshot("e2e-media-list-tools.png")


if __name__ == "__main__":
    unittest.main()
