"""The CD player heard through a real sound server: a disc of tones, one pitch per track,
so the recording tells which tracks played and in what order."""

import os
import shutil
import sys
import tempfile
import time
import unittest

from corvela_session import RunningProgram, is_enabled, wait_for
from sound_server import seconds_of, timeline, tones_heard
from tone_disc import track_frequency, write_tone_disc
from user_actions import (answer, box_saying, button, checked, described, press, press_key,
                          showing, text_of, window_where)

PROGRAM = sys.argv.pop(1)
ALT_KEYCODE, X_KEYCODE = 64, 53
TRACKS = 8
FREQUENCIES = [track_frequency(track) for track in range(1, TRACKS + 1)]


def tracks_heard(recording):
    return [tone + 1 for tone in tones_heard(recording, FREQUENCIES)]


class CdPlayerHeard(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="corvela-tones-")
        # The disc image is 20 MB; registered first, so it goes after the program has stopped.
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        cue = write_tone_disc(self.folder, TRACKS)
        self.session = RunningProgram(PROGRAM, settings={"VirtualDrive/Image": cue}, sound=True)
        self.session.__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)
        self.window = self.session.window("Corvela Pro - CD Player")
        press(self.button("Load"))
        wait_for("the tone disc to load", lambda: is_enabled(self.button("Play")))

    def button(self, name):
        return button(self.window, name)

    def ticked(self, track):
        return checked(described(self.window, f"TrackBox{track}"))

    def tick_only(self, *tracks):
        # A loaded disc starts with every track ticked; the window answers in its own time.
        wait_for("the tracks to be ticked", lambda: self.ticked(1))
        press(self.button("None"))
        wait_for("the ticks to go", lambda: not self.ticked(1))
        for track in tracks:
            press(described(self.window, f"TrackBox{track}"))
            wait_for(f"track {track} to be ticked", lambda: self.ticked(track))

    def playing(self):
        return text_of(self.window, "Label2")

    def record(self, name):
        return self.session.sound.record(os.path.join(self.folder, name))

    def test_ticked_tracks_3_and_7_are_heard_in_that_order(self):
        self.tick_only(3, 7)
        recording = self.record("ticked.wav")
        press(self.button("Play"))
        wait_for("track 7 to start", lambda: self.playing().startswith("Track 7"), 30)
        time.sleep(3)
        recording.stop()
        self.assertEqual(tracks_heard(recording.path), [3, 7])

    def test_random_play_is_heard_as_the_window_shows_it(self):
        random = described(self.window, "CheckBox2")
        press(random)
        wait_for("random to be ticked", lambda: checked(random))
        recording = self.record("random.wav")
        press(self.button("Play"))
        shown = []
        for _ in range(3):
            wait_for("a track to play", lambda: self.playing().startswith("Track "))
            shown.append(int(self.playing().split()[1]))
            time.sleep(3.5)  # the drive takes a moment to start each track
            press(self.button("Next"))
            wait_for("the next track", lambda: not self.playing().startswith(f"Track {shown[-1]} "))
        recording.stop()
        self.assertEqual(tracks_heard(recording.path)[:3], shown)

    def test_intro_scan_plays_the_first_seconds_of_each_ticked_track(self):
        self.tick_only(2, 5)
        press(self.button("Intro Off"))
        recording = self.record("intro.wav")
        press(self.button("Play"))
        wait_for("track 5's intro", lambda: self.playing().startswith("Track 5"), 20)
        time.sleep(12)
        recording.stop()
        self.assertEqual(tracks_heard(recording.path)[:2], [2, 5])
        # About eleven seconds of track 2, not the whole fourteen.
        self.assertLess(seconds_of(recording.path, 1, FREQUENCIES), 12.5)
        self.assertGreater(seconds_of(recording.path, 1, FREQUENCIES), 8)

    def test_switching_windows_keeps_the_music_and_exit_leaves_it_playing(self):
        self.tick_only(4)
        recording = self.record("switching.wav")
        press(self.button("Play"))
        wait_for("track 4 to play", lambda: self.playing().startswith("Track 4"))
        press(self.button("Sound And Video Player"))
        media = self.session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
        press(button(media, "CD Player"))
        self.session.window("Corvela Pro - CD Player")
        press(self.button("Graphics"))
        answer(box_saying("leave your Audio CD selection(s) playing"), "Yes")
        viewer = self.session.window("Corvela Pro Graphics Viewer")
        press(button(viewer, "CD Player"))
        self.session.window("Corvela Pro - CD Player")
        self.assertTrue(self.playing().startswith("Track 4"))

        press(self.button("Exit"))
        answer(box_saying("Would you like to leave the CD playing?"), "Yes")
        self.assertEqual(self.session.program.wait(timeout=15), 0)
        time.sleep(4)  # the program has gone; the disc plays on
        recording.stop()
        self.assertEqual(tracks_heard(recording.path), [4])
        heard = timeline(recording.path, FREQUENCIES)
        self.assertEqual(heard[-8:], [3] * 8, f"track 4 still sounds at the end: {heard}")

    def test_after_a_pause_and_the_standard_player_play_is_heard_and_moves_on(self):
        # The reminder holds the keyboard until it is closed, as for a new user.
        answer(box_saying("Reminder: you elected"), "OK")
        self.tick_only(1, 2)
        press(self.button("Play"))
        wait_for("track 1 to play", lambda: self.playing().startswith("Track 1"))
        press(self.button("Pause"))
        wait_for("the pause", lambda: not is_enabled(self.button("Next")))
        press(described(self.window, "CheckBox3"))
        standard = window_where("the standard player",
                                lambda window: window.name == "Corvela Pro Standard CD Player")
        press(button(standard, "Return To Corvela Pro"))
        answer(box_saying("Corvela Pro Status checking is set at normal."), "OK")
        wait_for("the CD player back", lambda: showing(self.window))

        # At once, before the first status tick: the viewer shows.
        press(self.button("Graphics"))
        viewer = self.session.window("Corvela Pro Graphics Viewer")
        press(button(viewer, "CD Player"))
        wait_for("the CD player back", lambda: showing(self.window))
        wait_for("Play to come back", lambda: is_enabled(self.button("Play")), 10)
        # The standard player took every tick away; a person ticks again.
        for track in (1, 2):
            press(described(self.window, f"TrackBox{track}"))
            wait_for(f"track {track} to be ticked", lambda: self.ticked(track))
        recording = self.record("after-standard.wav")
        press(self.button("Play"))
        wait_for("track 1 to play", lambda: self.playing().startswith("Track 1"))
        wait_for("the time to go on", lambda: text_of(self.window, "Label4") not in ("", "00"))
        wait_for("track 2 to follow", lambda: self.playing().startswith("Track 2"), 20)
        time.sleep(2)
        recording.stop()
        self.assertEqual(tracks_heard(recording.path), [1, 2])

        # The Alt key of Exit ends the program.
        press_key(X_KEYCODE, holding=ALT_KEYCODE)
        answer(box_saying("Would you like to leave the CD playing?"), "No")
        self.assertEqual(self.session.program.wait(timeout=15), 0)


if __name__ == "__main__":
    unittest.main()
