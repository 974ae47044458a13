"""Videos in the media player as a new user meets them: an AVI fitted into the
panel in place of the list, an MPG filling the screen, Escape back to the list."""

import configparser
import os
import shutil
import sys
import tempfile
import time
import unittest

import pyatspi

from corvela_session import RunningProgram, find_control, wait_for
from media_files import make_video
from user_actions import (ESCAPE_KEYCODE, button, choose_files, colour_inside, described,
                          extents, mean_colour, past_the_reminder, press, press_key, showing,
                          snapshot, text_of)

PROGRAM = sys.argv.pop(1)


class VideosPlay(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.media_folder = tempfile.mkdtemp(prefix="corvela-videos-")
        cls.addClassCleanup(shutil.rmtree, cls.media_folder, ignore_errors=True)
        make_video(os.path.join(cls.media_folder, "red.avi"), "red", "jpegenc", "avimux")
        make_video(os.path.join(cls.media_folder, "green.mpg"), "green", "mpeg2enc format=0",
                   "mpegpsmux")
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)

    def choose(self, media, file_name):
        press(button(media, "Select Sound & Video"))
        choose_files([os.path.join(self.media_folder, file_name)])
        wait_for("the list to fill", lambda: text_of(media, "Label7") == "Selected: 1")

    def play(self, media):
        press(button(media, "Play"))
        wait_for("the video to start", lambda: text_of(media, "Label6") == "Playing: 1 of 1")
        time.sleep(1.5)  # frames on their way

    def test_fitted_then_full_screen_then_escape(self):
        press(button(past_the_reminder(self.session), "Sound And Video Player"))
        media = self.session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
        list_box = described(media, "ListBox1")

        self.choose(media, "red.avi")
        self.play(media)
        self.assertFalse(showing(list_box), "the list gives way to the video")
        panel = described(media, "Panel1")
        self.assertEqual((extents(panel).width, extents(panel).height), (300, 230))
        shot = snapshot("e2e-media-fitted-avi.png")
        red, green, blue = colour_inside(shot, panel)
        self.assertGreater(red, 0.7, "the panel shows the red picture")
        self.assertLess(max(green, blue), 0.3)
        wait_for("the list to come back", lambda: showing(list_box), seconds=10)

        press(find_control(media, pyatspi.ROLE_RADIO_BUTTON, "Resize"))
        press(find_control(media, pyatspi.ROLE_RADIO_BUTTON, "Full Screen"))
        self.choose(media, "green.mpg")
        self.play(media)
        shot = snapshot("e2e-media-full-screen-mpg.png")
        red, green, blue = mean_colour(shot)
        self.assertGreater(green, 0.7, "the green picture fills the screen")
        self.assertLess(max(red, blue), 0.3)
        for corner in ((0, 0), (1004, 0), (0, 748), (1004, 748)):
            self.assertGreater(mean_colour(shot, (*corner, 20, 20))[1], 0.7, f"corner {corner}")

        press_key(ESCAPE_KEYCODE)
        wait_for("the list after Escape", lambda: showing(list_box))
        self.assertEqual(text_of(media, "Label6"), "")
        snapshot("e2e-media-after-escape.png")

        press(button(media, "Exit"))
        wait_for("the program to end", lambda: self.session.program.poll() is not None)
        stored = configparser.ConfigParser()
        stored.read(os.path.join(self.session.home, ".config", "Qelvar Ltd", "Corvela.conf"))
        values = {key.lower(): value for section in stored.sections() for key, value in stored[section].items()}
        self.assertEqual(values.get("avi"), "0")


if __name__ == "__main__":
    unittest.main()
