"""A disc left playing at exit, heard through a real sound server: it plays on to the end
of the disc after the program has gone, and the next run takes it over, so one drive never
sounds twice."""

import os
import shutil
import sys
import tempfile
import time
import unittest

from corvela_session import RunningProgram, end_group, is_enabled, start_in_own_group, wait_for
from sound_server import RECORDING_RATE, samples_of, strength, timeline
from tone_disc import track_frequency, write_tone_disc
from user_actions import answer, box_saying, button, checked, described, press, snapshot, text_of

PROGRAM = sys.argv.pop(1)
TRACKS = 4
FREQUENCIES = [track_frequency(track) for track in range(1, TRACKS + 1)]


def stretches_with_two_tones(path, window_seconds=0.25):
    """Stretches of the recording where a second tone is nearly as loud as the first."""
    samples = samples_of(path)
    size = int(RECORDING_RATE * window_seconds)
    count = 0
    for start in range(0, len(samples) - size, size):
        powers = sorted(strength(samples[start:start + size], f) for f in FREQUENCIES)
        if powers[-1] > 0 and powers[-2] > 0.1 * powers[-1]:
            count += 1
    return count


class DiscLeftPlaying(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="corvela-left-")
        # Registered first, so the disc goes after every program playing it has stopped.
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)
        cue = write_tone_disc(self.folder, TRACKS, seconds=6)
        self.session = RunningProgram(PROGRAM, settings={"VirtualDrive/Image": cue}, sound=True)
        self.session.__enter__()
        self.addCleanup(self.session.__exit__, None, None, None)

    def next_run(self):
        """The program started again in the same home, as a person would start it."""
        self.session.program = start_in_own_group([PROGRAM], env=self.session.environment)
        self.addCleanup(end_group, self.session.program)
        return self.loaded_window()

    def loaded_window(self):
        window = self.session.window("Corvela Pro - CD Player")
        press(button(window, "Load"))
        wait_for("the disc to load", lambda: is_enabled(button(window, "Stop")))
        return window

    def play_only(self, window, track):
        wait_for("the tracks to be ticked", lambda: checked(described(window, "TrackBox1")))
        press(button(window, "None"))
        wait_for("the ticks to go", lambda: not checked(described(window, "TrackBox1")))
        press(described(window, f"TrackBox{track}"))
        press(button(window, "Play"))
        wait_for(f"track {track} to play", lambda: text_of(window, "Label2").startswith(f"Track {track} "))

    def exit_leaving_it_playing(self, window):
        press(button(window, "Exit"))
        answer(box_saying("Would you like to leave the CD playing?"), "Yes")
        self.assertEqual(self.session.program.wait(timeout=15), 0)

    def test_the_last_track_plays_out_after_exit_and_the_next_run_takes_the_disc_over(self):
        window = self.loaded_window()
        recording = self.session.sound.record(os.path.join(self.folder, "last-track.wav"))
        self.play_only(window, TRACKS)
        time.sleep(1)
        self.exit_leaving_it_playing(window)
        # The rest of the last track (a slow build hands it over late), and then silence.
        time.sleep(11)
        recording.stop()
        heard = timeline(recording.path, FREQUENCIES)
        self.assertEqual(heard[-6:], [None] * 6, f"the disc ended: {heard}")
        # It plays out, though the program ended after one second of six. A sound server
        # under load takes up to two seconds to start each stream (the program's and the
        # detached player's), and what is played meanwhile is not heard: so four seconds.
        self.assertGreaterEqual(heard.count(TRACKS - 1), 16, f"heard to its end: {heard}")

        recording = self.session.sound.record(os.path.join(self.folder, "next-runs.wav"))
        window = self.next_run()
        self.play_only(window, 2)
        time.sleep(1)
        self.exit_leaving_it_playing(window)
        time.sleep(1)

        window = self.next_run()
        self.assertTrue(text_of(window, "Label2").startswith("Track 2 "), "shown as playing on")
        snapshot("e2e-cd-taken-over.png")
        time.sleep(1)
        press(button(window, "Play"))  # every track is ticked again: track 1
        wait_for("track 1 to play", lambda: text_of(window, "Label2").startswith("Track 1 "))
        time.sleep(2)
        press(button(window, "Stop"))
        time.sleep(3)  # the recording runs a little behind
        recording.stop()

        heard = timeline(recording.path, FREQUENCIES)
        self.assertEqual(heard[-6:], [None] * 6, f"Stop silenced the drive: {heard}")
        self.assertLessEqual(stretches_with_two_tones(recording.path), 3, f"two sounds at once: {heard}")
        self.assertIn(0, heard, "track 1 was heard")


if __name__ == "__main__":
    unittest.main()
