"""The graphics viewer shows a folder of real pictures in its three sizes and as a
slide show, driven from outside as a person would; a running show's pauses leave
the processor idle."""

import os
import shutil
import struct
import subprocess
import sys
import time
import unittest

from corvela_session import OtherProgram, RunningProgram, is_enabled, processor_seconds, wait_for
from user_actions import (ESCAPE_KEYCODE, button, choose_files, click, described,
                          past_the_reminder, press, press_key, showing, snapshot, start_snapshot)

PROGRAM = sys.argv.pop(1)
BIN = os.path.dirname(PROGRAM)
WALLPAPER = "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg"


def write_metafile(path):
    """A placeable metafile of 400 x 300 units: a blue rectangle and a red ellipse."""
    def record(function, *words):
        return struct.pack("<IH", 3 + len(words), function) + struct.pack(f"<{len(words)}h", *words)

    def brush(red, green, blue):
        return record(0x02FC, 0, red | green << 8, blue, 0)

    body = b"".join([
        record(0x020B, 0, 0), record(0x020C, 300, 400),
        brush(30, 60, 200), record(0x012D, 0), record(0x041B, 280, 380, 20, 20),
        record(0x01F0, 0),
        brush(220, 40, 40), record(0x012D, 0), record(0x0418, 250, 300, 50, 100),
        record(0x01F0, 0), record(0x0000),
    ])
    words = (18 + len(body)) // 2
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, words, 1, 7, 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 400, 300, 96, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", placeable):
        checksum ^= word
    with open(path, "wb") as out:
        out.write(placeable + struct.pack("<H", checksum) + header + body)


def make_pictures(folder):
    """JPEG, BMP, ICO, WMF and FIF pictures, named so the dialog keeps their order."""
    names = ["a-meadow.jpg", "b-meadow.bmp", "c-meadow.ico", "d-shapes.wmf", "e-meadow.fif"]
    paths = [os.path.join(folder, name) for name in names]
    shutil.copy(WALLPAPER, paths[0])
    subprocess.run(["convert", WALLPAPER, "-resize", "640x512", "BMP3:" + paths[1]], check=True)
    subprocess.run(["convert", WALLPAPER, "-resize", "48x48!", paths[2]], check=True)
    write_metafile(paths[3])
    small = os.path.join(folder, "small.bmp")
    subprocess.run(["convert", WALLPAPER, "-resize", "256x205", "BMP3:" + small], check=True)
    subprocess.run([os.path.join(BIN, "fifenc"), small, paths[4]], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.remove(small)
    return names


class GraphicsViewerShowsPictures(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)
        cls.folder = os.path.join(cls.session.home, "Pictures")
        os.mkdir(cls.folder)
        cls.names = make_pictures(cls.folder)
        press(button(past_the_reminder(cls.session), "Graphics"))
        cls.window = cls.session.window("Corvela Pro Graphics Viewer")

    def control(self, name):
        control = described(self.window, name)
        self.assertIsNotNone(control, f"no control {name}")
        return control

    def snapshot(self, name):
        time.sleep(0.7)  # the picture drawn
        snapshot(name)

    def status(self):
        return self.control("Label1").name

    def escape(self):
        press_key(ESCAPE_KEYCODE)
        wait_for("the list after Esc", lambda: showing(self.control("ListBox1")))
        time.sleep(0.5)  # the window settled
        self.assertFalse(showing(self.control("Panel4")), "no placeholder over the list")

    def choose_files(self):
        press(self.control("Button1"))
        choose_files([os.path.join(self.folder, name) for name in self.names])
        wait_for("the list of pictures",
                 lambda: self.status() == "Selected: 5 - Current: 1 of 5")

    def display(self):
        press(self.control("Button2"))
        self.wait_for_picture()

    def wait_for_picture(self):
        wait_for("the picture", lambda: showing(self.control("Image1")))

    def walk_to(self, line, button="Button6"):
        """Next or Previous, from the picture shown to the picture of this line."""
        press(self.control(button))
        wait_for(f"line {line + 1}",
                 lambda: self.status() == f"Selected: 5 - Current: {line + 1} of 5")

    def stop(self):
        press(self.control("Button12"))
        wait_for("the list after Stop", lambda: showing(self.control("ListBox1")))

    def test_pictures_in_every_size_and_a_slide_show(self):
        self.choose_files()
        self.snapshot("e2e-viewer-list.png")

        self.display()
        for line in range(5):
            if line:
                self.walk_to(line)
            self.snapshot(f"e2e-viewer-tv-look-{self.names[line]}.png")
        self.stop()

        press(self.control("CheckBox3"))  # TV look off
        wait_for("the other sizes", lambda: is_enabled(self.control("OriginalSize")))
        for size in ["FitWindow", "FillScreen", "OriginalSize"]:
            press(self.control(size))
            time.sleep(0.5)
            self.display()
            self.snapshot(f"e2e-viewer-{size}.png")
            if size == "FillScreen":
                with OtherProgram():  # a look at another program and back
                    pass
            self.escape()

        press(self.control("FitWindow"))
        press(self.control("CheckBox3"))  # TV look back on
        wait_for("TV look", lambda: not is_enabled(self.control("OriginalSize")))
        self.display()  # the last line, highlighted since the first round
        self.walk_to(3, "Button7")
        self.walk_to(2, "Button7")
        self.stop()
        self.slide_show_of_three()
        self.pauses_leave_the_processor_idle()

    def slide_show_of_three(self):
        """Lines 3 to 5 with a 1-second delay. A pause lasts between no time and one
        second, so a picture may come and go between two looks; the order may not."""
        self.control("Edit1").queryEditableText().setTextContents("1")
        expected = [f"Selected: 5 - Current: {n} of 5" for n in (3, 4, 5)]
        seen, shots = [], []
        click(self.control("CheckBox2"))
        started = time.monotonic()
        while time.monotonic() - started < 10:
            status = self.status()
            if showing(self.control("Image1")) and (not seen or seen[-1] != status):
                seen.append(status)
                shots.append(start_snapshot(f"e2e-viewer-slide-{status[-6]}.png"))
            if seen and showing(self.control("ListBox1")):
                break
            time.sleep(0.02)
        lasted = time.monotonic() - started
        for shot in shots:
            shot.wait()
        self.assertEqual(seen, [status for status in expected if status in seen])
        self.assertEqual(seen[-1], expected[-1])
        self.assertTrue(1 <= lasted <= 5, f"the show lasted {lasted:.1f} s")
        self.assertFalse(showing(self.control("Image1")))

    def pauses_leave_the_processor_idle(self):
        self.control("Edit1").queryEditableText().setTextContents("6")
        click(self.control("CheckBox2"))
        wait_for("the show's one picture", lambda: showing(self.control("Image1")))
        time.sleep(1)
        pid = self.session.program.pid
        before, clock = processor_seconds(pid), time.monotonic()
        time.sleep(3)
        used = (processor_seconds(pid) - before) / (time.monotonic() - clock)
        print(f"processor use during a pause: {used:.1%}", file=sys.stderr)
        self.assertLess(used, 0.05)
        wait_for("the end of the show", lambda: showing(self.control("ListBox1")), 10)


if __name__ == "__main__":
    unittest.main()
