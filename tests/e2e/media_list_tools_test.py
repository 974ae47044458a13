"""The media player's list tools from outside: Find and the type chooser on a list of
real files chosen in the file dialog."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi
from gi.repository import GLib

from corvela_session import RunningProgram, find_control, wait_for

PROGRAM = sys.argv.pop(1)
PICTURES = os.path.dirname(os.path.dirname(PROGRAM))


def press(control):
    # A press that opens a modal box returns only when the box closes; the
    # call may time out meanwhile, which is no failure.
    try:
        control.queryAction().doAction(0)
    except GLib.Error:
        pass


def described(window, name):
    return pyatspi.findDescendant(window, lambda a: a.description == name, breadth_first=True)


def text_of(window, name):
    return described(window, name).name


def snapshot(name):
    subprocess.run(["import", "-window", "root", os.path.join(PICTURES, name)], check=False)


def dialog(session, role, predicate):
    """A window of the program's own (a dialog or a form) that predicate accepts."""
    def probe():
        for application in pyatspi.Registry.getDesktop(0):
            if application is None:
                continue
            for window in application:
                if window is not None and window.getRole() == role and predicate(window):
                    return window
        return None
    return wait_for("the dialog", probe)


def fill_and_accept(box, text, accept):
    field = pyatspi.findDescendant(box, lambda a: a.getRole() == pyatspi.ROLE_TEXT)
    field.queryEditableText().setTextContents(text)
    press(find_control(box, pyatspi.ROLE_PUSH_BUTTON, accept))


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
            press(find_control(cd, pyatspi.ROLE_PUSH_BUTTON, "Sound And Video Player"))
            media = session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
            press(find_control(media, pyatspi.ROLE_PUSH_BUTTON, "Select Sound & Video"))
            chooser = dialog(session, pyatspi.ROLE_DIALOG,
                             lambda w: find_control(w, pyatspi.ROLE_PUSH_BUTTON, "Open"))
            paths = " ".join(f'"{os.path.join(folder, "a", name)}"' for name in names)
            fill_and_accept(chooser, paths, "Open")
            wait_for("the list to fill", lambda: text_of(media, "Label7") == "Selected: 3")

            press(find_control(media, pyatspi.ROLE_PUSH_BUTTON, "Search Result"))
            find = dialog(session, pyatspi.ROLE_DIALOG,
                          lambda w: w.name == "Search from the highlighted file onwards")
            fill_and_accept(find, "THREE", "OK")
            wait_for("the found line", lambda: text_of(media, "Label1") ==
                     "Selected: 3 - Current: 3 of 3")

            press(find_control(media, pyatspi.ROLE_PUSH_BUTTON, "Sub Select"))
            types = dialog(session, pyatspi.ROLE_FRAME, lambda w: w.name == "Corvela Pro")
            wait_for("the counts", lambda: text_of(types, "Label4") == "1")
            press(find_control(types, pyatspi.ROLE_CHECK_BOX, "MPEG"))
            snapshot("e2e-media-type-chooser.png")
            press(find_control(types, pyatspi.ROLE_PUSH_BUTTON, "OK"))
            wait_for("the sound line alone", lambda: text_of(media, "Label7") == "Selected: 1")
            press(find_control(media, pyatspi.ROLE_PUSH_BUTTON, "Max"))
            time.sleep(1)  # a pressed button clicks once its press has been seen
            snapshot("e2e-media-list-tools.png")


if __name__ == "__main__":
    unittest.main()
