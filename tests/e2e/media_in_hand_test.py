"""The media player in a new user's hands, under a real window manager and heard
through a real sound server: a fitted video's sound is a video's in the server's mixer,
and leaving it for the CD player silences it, a full-screen video ending without Auto Play gives the list back, a highlight moved
with the arrow keys is where Next goes on, and a second MP3 pauses after a first was
paused and stopped."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import pyatspi

from corvela_session import RunningProgram, find_control, wait_for
from media_files import make_avi_with_tone, make_tone, make_video
from sound_server import timeline
from user_actions import (button, checked, choose_files, click, described, mean_colour,
                          past_the_reminder, press, press_key, showing, snapshot, text_of)

PROGRAM = sys.argv.pop(1)
DOWN_KEYCODE = 116
FREQUENCIES = [500, 700, 900, 1100, 1300]
MEDIA = "Corvela Pro AVI-MID-MPEG-WAV Player"


class MediaPlayerInHand(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.folder = tempfile.mkdtemp(prefix="corvela-in-hand-")
        cls.addClassCleanup(shutil.rmtree, cls.folder, ignore_errors=True)
        make_avi_with_tone(cls.path("fitted.avi"), "red", FREQUENCIES[0], seconds=8)
        make_video(cls.path("short.mpg"), "green", "mpeg2enc format=0", "mpegpsmux", seconds=2)
        for n, name in enumerate(("a.wav", "b.wav", "c.wav", "d.wav")):
            make_tone(cls.path(name), FREQUENCIES[n + 1], "wavenc", seconds=6)
        for name in ("first.mp3", "second.mp3"):
            make_tone(cls.path(name), FREQUENCIES[1], "lamemp3enc", seconds=6)

    @classmethod
    def path(cls, name):
        return os.path.join(cls.folder, name)

    def setUp(self):
        self.session = RunningProgram(PROGRAM, sound=True).__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.cd_player = past_the_reminder(self.session)
        press(button(self.cd_player, "Sound And Video Player"))
        self.media = self.session.window(MEDIA)

    def choose(self, *names, auto_play=True):
        press(button(self.media, "Select Sound & Video"))
        choose_files([self.path(name) for name in names])
        wait_for("the list to fill", lambda: text_of(self.media, "Label7") == f"Selected: {len(names)}")
        box = described(self.media, "CheckBox1")
        if checked(box) != auto_play:
            press(box)
            wait_for("Auto Play as wanted", lambda: checked(box) == auto_play)

    def playing(self, label, seconds=10):
        wait_for(f'"{label}"', lambda: text_of(self.media, "Label6") == label, seconds)

    def click_line(self, row):
        """A real click on a line of the list, which also gives the list the keyboard."""
        line = described(self.media, "ListBox1").getChildAtIndex(row)
        click(line)
        time.sleep(0.5)

    def heard(self, seconds):
        """What the speakers play for the seconds from once the recorder is connected."""
        path = self.path("heard.wav")
        if os.path.exists(path):
            os.remove(path)
        recording = self.session.sound.record(path)
        wait_for("the recorder", lambda: os.path.exists(path) and os.path.getsize(path) > 4000)
        time.sleep(seconds)
        recording.stop()
        return timeline(recording.path, FREQUENCIES)

    def test_leaving_a_fitted_video_for_the_cd_player_silences_it(self):
        self.choose("fitted.avi")
        press(button(self.media, "Play"))
        self.playing("Playing: 1 of 1")
        self.assertIn(0, self.heard(1.5), "the video's tone plays")
        named = {"application.name": "Corvela Pro", "media.role": "video"}
        self.assertTrue(any(named.items() <= stream.items()
                            for stream in self.session.sound.streams()),
                        "the sound server's mixer names the program's video")
        press(button(self.media, "CD Player"))
        self.session.window("Corvela Pro - CD Player")
        time.sleep(0.5)
        self.assertFalse(set(self.heard(2)) - {None}, "silence after leaving")

        press(button(self.cd_player, "Sound And Video Player"))
        media = self.session.window(MEDIA)
        wait_for("the list", lambda: showing(described(media, "ListBox1")))
        self.assertFalse(showing(described(media, "Panel1")))
        snapshot("e2e-media-back-from-cd-player.png")

    def test_a_full_screen_video_ending_without_auto_play_gives_the_list_back(self):
        press(find_control(self.media, pyatspi.ROLE_RADIO_BUTTON, "Full Screen"))
        self.choose("short.mpg", auto_play=False)
        press(button(self.media, "Play"))
        self.playing("Playing: 1 of 1")
        media = self.session.window(MEDIA)
        wait_for("the list after the end", lambda: showing(described(media, "ListBox1")), 15)
        time.sleep(0.5)
        shot = snapshot("e2e-media-full-screen-ended.png")
        self.assertLess(mean_colour(shot)[1], 0.5, "no full-screen picture or black window left")

    def test_arrow_keys_then_next_play_the_line_after_the_highlighted_one(self):
        self.choose("a.wav", "b.wav", "c.wav", "d.wav")
        press(button(self.media, "Play"))
        self.playing("Playing: 1 of 4")
        self.click_line(0)
        press_key(DOWN_KEYCODE)
        press_key(DOWN_KEYCODE)
        time.sleep(0.3)
        press(button(self.media, "Next"))
        self.playing("Playing: 4 of 4")
        heard = self.heard(2)
        self.assertGreater(heard.count(4), 4, f"d.wav's tone: {heard}")

    def test_a_second_mp3_pauses_after_a_first_was_paused_and_stopped(self):
        self.choose("first.mp3", "second.mp3")
        press(button(self.media, "Play"))
        self.playing("Playing: 1 of 2")
        press(button(self.media, "Pause"))
        press(button(self.media, "Stop"))
        time.sleep(1.5)
        self.assertEqual(text_of(self.media, "Label3"), "", "no clock after Stop")

        self.click_line(1)
        press(button(self.media, "Play"))
        self.playing("Playing: 2 of 2")
        time.sleep(1)
        press(button(self.media, "Pause"))
        time.sleep(0.5)
        self.assertFalse(set(self.heard(1.5)) - {None}, "the second MP3 is paused")


if __name__ == "__main__":
    unittest.main()
