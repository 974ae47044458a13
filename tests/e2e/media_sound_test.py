"""The media player heard through a real sound server: a list of a WAV, a MIDI, an MP3
and an AVI file played one after another with Auto Play, each tone at its own pitch, so
the recording tells what played and in what order; the AVI's picture is seen fitted."""

import os
import shutil
import sys
import tempfile
import time
import unittest

from corvela_session import RunningProgram, wait_for
from media_files import make_avi_with_tone, make_midi, make_tone
from sound_server import timeline, tones_heard
from user_actions import (button, checked, choose_files, colour_inside, described, extents,
                          past_the_reminder, press, snapshot, text_of)

PROGRAM = sys.argv.pop(1)
# The files' pitches in list order; the MIDI file's note is A (440 Hz).
FREQUENCIES = [500, 440, 700, 1100]
WAV, MIDI, MP3, AVI = range(4)


def make_media(folder):
    """The four files, named so the list keeps their order."""
    paths = [os.path.join(folder, name) for name in
             ("a-tone.wav", "b-note.mid", "c-tone.mp3", "d-red.avi")]
    make_tone(paths[WAV], FREQUENCIES[WAV], "wavenc")
    make_midi(paths[MIDI], note=69)
    make_tone(paths[MP3], FREQUENCIES[MP3], "lamemp3enc")
    make_avi_with_tone(paths[AVI], "red", FREQUENCIES[AVI])
    return paths


class MediaPlayerHeard(unittest.TestCase):
    def test_a_list_plays_one_file_after_another(self):
        folder = tempfile.mkdtemp(prefix="corvela-heard-")
        self.addCleanup(shutil.rmtree, folder, ignore_errors=True)
        paths = make_media(folder)
        with RunningProgram(PROGRAM, sound=True) as session:
            press(button(past_the_reminder(session), "Sound And Video Player"))
            media = session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
            press(button(media, "Select Sound & Video"))
            choose_files(paths)
            wait_for("the list to fill", lambda: text_of(media, "Label7") == "Selected: 4")
            auto_play = described(media, "CheckBox1")
            if not checked(auto_play):  # a new user's player has it ticked already
                press(auto_play)
                wait_for("Auto Play to be ticked", lambda: checked(auto_play))

            recording = session.sound.record(os.path.join(folder, "heard.wav"))
            press(button(media, "Play"))
            self.follow_the_list(media)
            recording.stop()
        tones = tones_heard(recording.path, FREQUENCIES)
        self.assertEqual([tone for tone in tones if tone != MIDI], [WAV, MP3, AVI])
        self.assertMidiSounds(timeline(recording.path, FREQUENCIES))

    def follow_the_list(self, media):
        """Waits through the four files, taking the AVI's picture as it plays."""
        wait_for("the AVI file", lambda: text_of(media, "Label6") == "Playing: 4 of 4", 30)
        time.sleep(1.5)  # frames on their way
        self.assertVideoFitted(media, snapshot("e2e-media-heard-avi.png"))
        wait_for("the end of the list", lambda: text_of(media, "Label6") == "", 15)

    def assertVideoFitted(self, media, shot):
        panel = described(media, "Panel1")
        self.assertEqual((extents(panel).width, extents(panel).height), (300, 230))
        red, green, blue = colour_inside(shot, panel)
        self.assertGreater(red, 0.7, "the panel shows the red picture")
        self.assertLess(max(green, blue), 0.3)

    def assertMidiSounds(self, heard):
        """The note is no clean sine, so only that something sounds for most of the
        time between the WAV's tone and the MP3's."""
        # The WAV's slot ends where its first run of tone does: the note's own
        # overtones may come near the WAV's pitch later on.
        wav_began = heard.index(WAV)
        wav_ended = next(at for at in range(wav_began, len(heard)) if heard[at] != WAV)
        between = heard[wav_ended:heard.index(MP3)]
        self.assertGreater(sum(tone is not None for tone in between), len(between) // 2,
                           f"the MIDI note sounds in its slot: {heard}")


if __name__ == "__main__":
    unittest.main()
