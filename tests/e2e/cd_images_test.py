"""Disc images as ripping tools write them, made with other tools (sox), played by the
virtual drive and heard through a real sound server: every track, in order."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from corvela_session import RunningProgram, is_enabled, wait_for
from sound_server import tones_heard
from tone_disc import SECTOR_BYTES, track_frequency
from user_actions import button, press, text_of

PROGRAM = sys.argv.pop(1)
TRACKS = 3
SECONDS = 3
FREQUENCIES = [track_frequency(track) for track in range(1, TRACKS + 1)]


def sox_tone(track, *output):
    return subprocess.run(["sox", "-n", "-r", "44100", "-c", "2", "-b", "16", *output, "synth",
                           str(SECONDS), "sine", str(track_frequency(track)), "vol", "0.3"],
                          check=True, stdout=subprocess.PIPE).stdout


def album_image(folder):
    """One bin named as a ripping tool names it, one FILE line."""
    with open(os.path.join(folder, "Album Image (Disc 1).bin"), "wb") as image:
        for track in range(1, TRACKS + 1):
            tone = sox_tone(track, "-e", "signed-integer", "-L", "-t", "raw", "-")
            image.write(tone + bytes(-len(tone) % SECTOR_BYTES))
    lines = ['FILE "Album Image (Disc 1).bin" BINARY']
    for track in range(TRACKS):
        lines += [f"  TRACK {track + 1:02d} AUDIO", f"    INDEX 01 00:{track * SECONDS:02d}:00"]
    return write_sheet(folder, "album.cue", lines)


def wave_per_track(folder):
    """One WAVE file per track, each its own FILE line."""
    lines = []
    for track in range(1, TRACKS + 1):
        name = f"{track:02d} - x.wav"
        sox_tone(track, os.path.join(folder, name))
        lines += [f'FILE "{name}" WAVE', f"  TRACK {track:02d} AUDIO", "    INDEX 01 00:00:00"]
    return write_sheet(folder, "waves.cue", lines)


def write_sheet(folder, name, lines):
    path = os.path.join(folder, name)
    with open(path, "w") as sheet:
        sheet.write("\n".join(lines) + "\n")
    return path


class DiscImagesHeard(unittest.TestCase):
    def play_through(self, make_image):
        folder = tempfile.mkdtemp(prefix="corvela-images-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        cue = make_image(folder)
        with RunningProgram(PROGRAM, settings={"VirtualDrive/Image": cue}, sound=True) as session:
            window = session.window("Corvela Pro - CD Player")
            press(button(window, "Load"))
            wait_for("the image to load", lambda: is_enabled(button(window, "Play")))
            self.assertTrue(text_of(window, "Label1").endswith(f" - Tracks: {TRACKS}"), text_of(window, "Label1"))
            recording = session.sound.record(os.path.join(folder, "heard.wav"))
            press(button(window, "Play"))
            wait_for("the last track", lambda: text_of(window, "Label2").startswith(f"Track {TRACKS} "), 20)
            time.sleep(SECONDS + 1)
            recording.stop()
            self.assertEqual([tone + 1 for tone in tones_heard(recording.path, FREQUENCIES)], [1, 2, 3])

    def test_a_bin_named_as_ripping_tools_name_it(self):
        self.play_through(album_image)

    def test_one_wave_file_per_track(self):
        self.play_through(wave_per_track)


if __name__ == "__main__":
    unittest.main()
