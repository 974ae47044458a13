"""Videos in the media player as a new user meets them: an AVI fitted into the
panel in place of the list, an MPG filling the screen, Escape back to the list."""

import configparser
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi

from corvela_session import RunningProgram, find_control, wait_for

PROGRAM = sys.argv.pop(1)
PICTURES = os.path.dirname(os.path.dirname(PROGRAM))
ESCAPE_KEYCODE = 9


def make_video(path, pattern, encoder, muxer, seconds=4):
    """A still colour from GStreamer's test source, encoded and muxed."""
    subprocess.run(
        ["gst-launch-1.0", "-q", "videotestsrc", f"pattern={pattern}", f"num-buffers={25 * seconds}",
         "!", "video/x-raw,format=I420,width=352,height=288,framerate=25/1",
         "!", *encoder.split(), "!", muxer, "!", "filesink", f"location={path}"],
        check=True)


def press(control):
    control.queryAction().doAction(0)


def described(window, name):
    return pyatspi.findDescendant(window, lambda a: a.description == name, breadth_first=True)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def mean_colour(picture, area=None):
    """Mean red, green and blue of the picture (or of x, y, width, height in it), 0 to 1."""
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*area), "+repage"] if area else []
    result = subprocess.run(
        ["convert", picture, *crop, "-format", "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]", "info:"],
        check=True, capture_output=True, text=True)
    return [float(value) for value in result.stdout.split()]


class VideosPlay(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.media_folder = tempfile.mkdtemp(prefix="corvela-videos-")
        cls.addClassCleanup(shutil.rmtree, cls.media_folder, ignore_errors=True)
        make_video(os.path.join(cls.media_folder, "red.avi"), "red", "jpegenc", "avimux")
        make_video(os.path.join(cls.media_folder, "green.mpg"), "green", "mpeg2enc format=0",
                   "mpegpsmux")
        # The open dialog starts in the program's current folder.
        os.chdir(cls.media_folder)
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)

    def snapshot(self, name):
        path = os.path.join(PICTURES, name)
        subprocess.run(["import", "-window", "root", path], check=True)
        return path

    def button(self, window, name):
        control = find_control(window, pyatspi.ROLE_PUSH_BUTTON, name)
        self.assertIsNotNone(control, f"no button {name}")
        return control

    def choose(self, media, file_name):
        """Fills the list from the open dialog, typing the file's name as a user may."""
        press(self.button(media, "Select Sound & Video"))
        dialog = wait_for("the open dialog", lambda: pyatspi.findDescendant(
            pyatspi.Registry.getDesktop(0), lambda a: a.getRole() == pyatspi.ROLE_DIALOG))
        name = wait_for("the file name box", lambda: pyatspi.findDescendant(
            dialog, lambda a: a.getRole() == pyatspi.ROLE_TEXT and "name" in a.name.lower()))
        name.queryEditableText().setTextContents(file_name)
        press(self.button(dialog, "Open"))
        wait_for("the list to fill", lambda: described(media, "Label7").name == "Selected: 1")

    def play(self, media):
        press(self.button(media, "Play"))
        wait_for("the video to start", lambda: described(media, "Label6").name == "Playing: 1 of 1")
        time.sleep(1.5)  # frames on their way

    def test_fitted_then_full_screen_then_escape(self):
        press(self.button(self.session.window("Corvela Pro - CD Player"), "Sound And Video Player"))
        media = self.session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
        list_box = described(media, "ListBox1")

        self.choose(media, "red.avi")
        self.play(media)
        self.assertFalse(showing(list_box), "the list gives way to the video")
        panel = described(media, "Panel1").queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        self.assertEqual((panel.width, panel.height), (300, 230))
        shot = self.snapshot("e2e-media-fitted-avi.png")
        red, green, blue = mean_colour(shot, (panel.x + 2, panel.y + 2, panel.width - 4, panel.height - 4))
        self.assertGreater(red, 0.7, "the panel shows the red picture")
        self.assertLess(max(green, blue), 0.3)
        wait_for("the list to come back", lambda: showing(list_box), seconds=10)

        press(find_control(media, pyatspi.ROLE_RADIO_BUTTON, "Resize"))
        press(find_control(media, pyatspi.ROLE_RADIO_BUTTON, "Full Screen"))
        self.choose(media, "green.mpg")
        self.play(media)
        shot = self.snapshot("e2e-media-full-screen-mpg.png")
        red, green, blue = mean_colour(shot)
        self.assertGreater(green, 0.7, "the green picture fills the screen")
        self.assertLess(max(red, blue), 0.3)
        for corner in ((0, 0), (1004, 0), (0, 748), (1004, 748)):
            self.assertGreater(mean_colour(shot, (*corner, 20, 20))[1], 0.7, f"corner {corner}")

        pyatspi.Registry.generateKeyboardEvent(ESCAPE_KEYCODE, None, pyatspi.KEY_PRESSRELEASE)
        wait_for("the list after Escape", lambda: showing(list_box))
        self.assertEqual(described(media, "Label6").name, "")
        self.snapshot("e2e-media-after-escape.png")

        press(self.button(media, "Exit"))
        wait_for("the program to end", lambda: self.session.program.poll() is not None)
        stored = configparser.ConfigParser()
        stored.read(os.path.join(self.session.home, ".config", "Qelvar Ltd", "Corvela.conf"))
        values = {key.lower(): value for section in stored.sections() for key, value in stored[section].items()}
        self.assertEqual(values.get("avi"), "0")


if __name__ == "__main__":
    unittest.main()
