"""The graphics viewer's shown picture copied with Ctrl+C, read back from the clipboard
by another program, then printed through the print options; without a printer the page
becomes a PDF file in the user's documents, read back as a picture, and the program says
where; the next print goes to a file of its own."""

import os
import subprocess
import sys
import tempfile
import unittest

from corvela_session import RunningProgram, wait_for
from user_actions import (CONTROL_KEYCODE, C_KEYCODE, answer, box_saying, button, choose_files,
                          described, mean_colour, past_the_reminder, press, press_key, shot_path,
                          showing, text_of, window_where)

PROGRAM = sys.argv.pop(1)
WALLPAPER = "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg"
PRINTED = "Corvela Pro Graphic Print.pdf"
PRINTED_NEXT = "Corvela Pro Graphic Print (2).pdf"
PAGE_DOTS_PER_INCH = 50  # the page read back, coarse but plenty to find the picture


def clipboard(target):
    return subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"],
                          capture_output=True, check=False).stdout


def picture_size(path):
    shown = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                           text=True, check=True)
    return tuple(int(side) for side in shown.stdout.split())


class ViewerCopiesAndPrints(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)
        press(button(past_the_reminder(cls.session), "Graphics"))
        cls.window = cls.session.window("Corvela Pro Graphics Viewer")
        press(described(cls.window, "Button1"))
        choose_files([WALLPAPER])
        wait_for("the list", lambda: text_of(cls.window, "Label1") == "Selected: 1 - Current: 1 of 1")
        press(described(cls.window, "Button2"))
        wait_for("the picture", lambda: showing(described(cls.window, "Image1")))

    def test_ctrl_c_puts_the_picture_on_the_clipboard(self):
        press_key(C_KEYCODE, holding=CONTROL_KEYCODE)
        wait_for("a picture on the clipboard", lambda: b"image/png" in clipboard("TARGETS"))
        with tempfile.NamedTemporaryFile(suffix=".png") as copied:
            copied.write(clipboard("image/png"))
            copied.flush()
            self.assertEqual(picture_size(copied.name), picture_size(WALLPAPER))
            red, green, blue = mean_colour(copied.name)
            self.assertGreater(green, max(red, blue), "the green meadow")

    def print_page(self, name):
        """Print with the options as they come; the program then says where the page went."""
        press(described(self.window, "Button18"))
        options = window_where("the print options",
                               lambda window: window.name == "Corvela Pro Graphic Print")
        press(described(options, "Button1"))
        pdf = os.path.join(self.session.home, "Documents", name)
        answer(box_saying(pdf), "OK")
        self.assertGreater(os.path.getsize(pdf), 0)
        return pdf

    def test_print_writes_the_picture_into_a_pdf_and_the_next_print_into_another(self):
        pdf = self.print_page(PRINTED)
        first = os.stat(pdf)
        self.print_page(PRINTED_NEXT)
        self.assertEqual(os.stat(pdf).st_mtime_ns, first.st_mtime_ns, "the first print kept")
        page = page_as_picture(pdf)
        # At its own size the picture is printed twice as many dots as it has pixels, from
        # the top-left corner, on a page of 300 dots an inch: 1280 x 1024 pixels make
        # 8.5 x 6.8 inches, cut off by the page's right edge.
        red, green, blue = mean_colour(page, (inches(0.3), inches(0.3), inches(5), inches(6.5)))
        self.assertLess(green, 0.85, "the picture is printed, not a blank page")
        self.assertGreater(green, max(red, blue) + 0.1, "the meadow's green")
        below_it = (inches(0.2), inches(7.3), inches(7), inches(10))
        self.assertGreater(min(mean_colour(page, below_it)), 0.98, "blank paper below it")


def inches(length):
    return int(length * PAGE_DOTS_PER_INCH)


def page_as_picture(pdf):
    """The printed page as a PNG file, kept with the screenshots."""
    page = shot_path("e2e-viewer-printed-page")
    subprocess.run(["pdftoppm", "-r", str(PAGE_DOTS_PER_INCH), "-png", "-singlefile", pdf, page],
                   check=True)
    return page + ".png"


if __name__ == "__main__":
    unittest.main()
