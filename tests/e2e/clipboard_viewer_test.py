"""The clipboard viewer as a new user meets it, under a window manager: a picture copied
with Ctrl+C in the graphics viewer is shown in the clipboard viewer, which leaves the
clipboard to the program that copied it (another program still reads the picture); the
next copy is followed at once, and closing the viewer changes nothing."""

import os
import shutil
import subprocess
import sys
import unittest

import pyatspi

from corvela_session import RunningProgram, wait_for
from user_actions import (CONTROL_KEYCODE, C_KEYCODE, button, choose_files, colour_inside,
                          described, menu_item, past_the_reminder, press, press_key, showing,
                          snapshot, text_of)

PROGRAM = sys.argv.pop(1)
MEADOW = "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg"
MEADOW_SIZE = "1280 x 1024"
POPPIES_SIZE = "400 x 300"
VIEWER = "Corvela Pro Clipboard Viewer"


def clipboard(target):
    return subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"],
                          capture_output=True, check=False).stdout


def size_on_clipboard():
    """The picture another program reads from the clipboard, as "W x H"."""
    shown = subprocess.run(["identify", "-format", "%w x %h", "png:-"],
                           input=clipboard("image/png"), capture_output=True, check=False)
    return shown.stdout.decode()


def activate(caption):
    """The window brought to the front and given the focus, as a click on it would."""
    subprocess.run(["wmctrl", "-a", caption], check=True)


class ClipboardViewerFollowsCopies(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)
        # Named so that the file dialog keeps this order.
        meadow = os.path.join(cls.session.home, "a-meadow.jpg")
        poppies = os.path.join(cls.session.home, "b-poppies.jpg")
        shutil.copy(MEADOW, meadow)
        subprocess.run(["convert", "-size", "400x300", "xc:#d02020", poppies], check=True)
        press(button(past_the_reminder(cls.session), "Graphics"))
        cls.window = cls.session.window("Corvela Pro Graphics Viewer")
        press(described(cls.window, "Button1"))
        choose_files([meadow, poppies])
        wait_for("the list",
                 lambda: text_of(cls.window, "Label1") == "Selected: 2 - Current: 1 of 2")
        press(described(cls.window, "Button2"))
        wait_for("the meadow", lambda: showing(described(cls.window, "Image1")))

    def copy(self, size):
        activate("Corvela Pro Graphics Viewer")
        press_key(C_KEYCODE, holding=CONTROL_KEYCODE)
        wait_for(f"the {size} picture on the clipboard", lambda: size_on_clipboard() == size)

    def shown_in_viewer(self, viewer, size, name):
        picture = wait_for("the viewer's picture", lambda: pyatspi.findDescendant(
            viewer, lambda a: a.name == "Clipboard picture"))
        wait_for(f"the {size} picture in the viewer", lambda: picture.description == size)
        activate(VIEWER)
        return colour_inside(snapshot(name), picture)

    def test_the_viewer_shows_each_copy_and_leaves_the_clipboard_alone(self):
        self.copy(MEADOW_SIZE)
        press(wait_for("the viewer command",
                       lambda: menu_item(self.window, "Display Clipboard Viewer")))
        viewer = self.session.window(VIEWER)
        red, green, blue = self.shown_in_viewer(viewer, MEADOW_SIZE,
                                                "e2e-clipboard-viewer-meadow.png")
        self.assertGreater(green, max(red, blue), "the green meadow in the viewer")
        self.assertIn("image/png", clipboard("TARGETS").decode())
        self.assertEqual(size_on_clipboard(), MEADOW_SIZE, "another program still reads it")
        self.assertIn("image/png", text_of(viewer, "Formats offered"))

        activate("Corvela Pro Graphics Viewer")
        press(described(self.window, "Button6"))  # Next
        wait_for("the poppies",
                 lambda: text_of(self.window, "Label1") == "Selected: 2 - Current: 2 of 2")
        self.copy(POPPIES_SIZE)
        red, green, blue = self.shown_in_viewer(viewer, POPPIES_SIZE,
                                                "e2e-clipboard-viewer-poppies.png")
        self.assertGreater(red, green + blue, "the red poppies in the viewer")

        subprocess.run(["wmctrl", "-c", VIEWER], check=True)
        wait_for("the viewer to close", lambda: VIEWER not in subprocess.run(
            ["wmctrl", "-l"], capture_output=True, text=True).stdout, 10)
        self.assertEqual(size_on_clipboard(), POPPIES_SIZE, "the clipboard as it was")


if __name__ == "__main__":
    unittest.main()
