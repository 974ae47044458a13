"""The program on a desktop, as a new user meets it: files named on its command line (the
file manager's "open with"), handed to a copy already running, and the media keys of the
session bus, under a real window manager and heard through a real sound server."""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

from corvela_session import (RunningProgram, end_group, is_enabled, start_in_own_group, top_level,
                             wait_for)
from media_files import make_tone
from sound_server import tones_heard
from tone_disc import track_frequency, write_tone_disc
from user_actions import (answer, box_saying, button, choose_files, described, menu_item,
                          past_the_reminder, press, says, showing, snapshot, text_of)

PROGRAM = sys.argv.pop(1)
MPRIS = ["--dest", "org.mpris.MediaPlayer2.corvela", "--object-path", "/org/mpris/MediaPlayer2"]


def closing_any_reminder(probe):
    """probe, closing the start-up reminder should it come up meanwhile: files named at
    the start may bring their own window up before the CD player is ever activated."""
    def check():
        reminder = top_level(lambda window: says(window, "Reminder: you elected"))
        if reminder:
            answer(reminder, "OK")
        return probe()
    return check


def media_key(method, *arguments):
    subprocess.run(["gdbus", "call", "--session"] + MPRIS +
                   ["--method", f"org.mpris.MediaPlayer2.Player.{method}", *arguments],
                   check=True, stdout=subprocess.DEVNULL)


def playerctl(*command, check=True):
    """What a person's media-controls tool reads from the program; unchecked, a
    property the program does not give reads as empty."""
    return subprocess.run(["playerctl", "--player=corvela", *command], capture_output=True,
                          text=True, check=check).stdout.strip()


def player_property(name, interface="org.mpris.MediaPlayer2.Player"):
    return subprocess.run(["gdbus", "call", "--session"] + MPRIS +
                          ["--method", "org.freedesktop.DBus.Properties.Get", interface, name],
                          capture_output=True, text=True).stdout


def root_property(name):
    return player_property(name, "org.mpris.MediaPlayer2")


class OnTheDesktop(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="corvela-desktop-")
        self.addCleanup(shutil.rmtree, self.folder, ignore_errors=True)

    def test_sound_files_named_on_the_command_line_play_in_order(self):
        tones = [500, 900]
        songs = [os.path.join(self.folder, name) for name in ("b-first.mp3", "a-second.wav")]
        make_tone(songs[0], tones[0], "lamemp3enc", seconds=4)
        make_tone(songs[1], tones[1], "wavenc", seconds=4)
        with RunningProgram(PROGRAM, sound=True, arguments=songs) as session:
            recording = session.sound.record(os.path.join(self.folder, "heard.wav"))
            media = session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
            wait_for("the second file", closing_any_reminder(
                lambda: text_of(media, "Label6") == "Playing: 2 of 2"), 30)
            self.assertEqual(playerctl("metadata", "xesam:url"), "file://" + songs[1])
            wait_for("the end of the list", lambda: text_of(media, "Label6") == "", 15)
            recording.stop()
        self.assertEqual(tones_heard(recording.path, tones), [0, 1])

    def test_the_media_controls_open_a_sound_file_of_a_type_the_program_offers(self):
        song = os.path.join(self.folder, "tone.wav")
        make_tone(song, 700, "wavenc", seconds=8)
        mp3 = os.path.join(self.folder, "tone.mp3")
        make_tone(mp3, 700, "lamemp3enc", seconds=8)
        with RunningProgram(PROGRAM, sound=True) as session:
            past_the_reminder(session)
            wait_for("the media keys", lambda: "Stopped" in player_property("PlaybackStatus"))
            self.assertIn("'audio/x-wav'", root_property("SupportedMimeTypes"))
            self.assertIn("'image/jpeg'", root_property("SupportedMimeTypes"))
            playerctl("open", "file://" + song)
            media = session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
            wait_for("the file to play", lambda: text_of(media, "Label6") == "Playing: 1 of 1")
            self.assertEqual(playerctl("metadata", "xesam:url"), "file://" + song)
            playerctl("volume", "0.5")
            # Half the amplitude; the server shows it in decibels.
            wait_for("the stream at half volume", lambda: any(
                "-6.02 dB" in stream.get("volume", "") for stream in session.sound.streams()))
            self.assertEqual(float(playerctl("volume")), 0.5)

            # An MP3 reaches the server through the MPEG library's own output: it starts
            # at the volume asked for before and follows a change while it plays.
            earlier = {stream["index"] for stream in session.sound.streams()}
            playerctl("open", "file://" + mp3)
            # Until the file plays no file is held, and the tool finds no address at all.
            wait_for("the MP3 to play",
                     lambda: playerctl("metadata", "xesam:url", check=False) == "file://" + mp3)

            def mp3_stream():
                return next((stream for stream in session.sound.streams()
                             if stream["index"] not in earlier), {})
            wait_for("the MP3's stream at half volume",
                     lambda: "-6.02 dB" in mp3_stream().get("volume", ""))
            playerctl("volume", "0.25")
            wait_for("the MP3's stream at a quarter",
                     lambda: "-12.04 dB" in mp3_stream().get("volume", ""))

    def hand_a_picture_over(self, running):
        """A second copy named a picture, as "open with" starts it: it hands the picture to
        the running copy and ends with code 0; the running copy shows it."""
        subprocess.run(["convert", "-size", "160x120", "xc:red", os.path.join(self.folder, "pic.jpg")],
                       check=True)
        second = start_in_own_group([PROGRAM, "pic.jpg"], env=running.environment, cwd=self.folder)
        try:
            self.assertEqual(second.wait(timeout=15), 0)
        finally:
            end_group(second)

    def picture_shown(self, running):
        viewer = running.window("Corvela Pro Graphics Viewer")
        wait_for("the picture", lambda: showing(described(viewer, "Image1")))

    def test_a_picture_named_to_a_second_copy_shows_in_the_running_copy(self):
        with RunningProgram(PROGRAM) as first:
            past_the_reminder(first)
            self.hand_a_picture_over(first)
            self.picture_shown(first)
            snapshot("e2e-desktop-handed-picture.png")
            self.assertIsNone(top_level(lambda window: "already running" in window.name),
                              "no warning for files handed over")

    def test_a_picture_handed_over_while_a_sound_plays_leaves_it_playing_on_yes(self):
        song = os.path.join(self.folder, "song.wav")
        make_tone(song, 700, "wavenc", seconds=30)
        with RunningProgram(PROGRAM, sound=True) as first:
            press(button(past_the_reminder(first), "Sound And Video Player"))
            media = first.window("Corvela Pro AVI-MID-MPEG-WAV Player")
            press(button(media, "Select Sound & Video"))
            choose_files([song])
            wait_for("the list to fill", lambda: text_of(media, "Label7") == "Selected: 1")
            if text_of(media, "Label6") != "Playing: 1 of 1":
                press(button(media, "Play"))
            wait_for("the song", lambda: text_of(media, "Label6") == "Playing: 1 of 1", 15)
            self.hand_a_picture_over(first)
            answer(box_saying("leave your selection(s) playing"), "Yes")
            self.picture_shown(first)
            time.sleep(1)
            self.assertIsNone(first.program.poll(), "the program lives on")

    def test_a_cue_sheet_named_on_the_command_line_is_loaded(self):
        cue = write_tone_disc(self.folder, tracks=3, seconds=4)
        with RunningProgram(PROGRAM, arguments=[cue]) as session:
            window = past_the_reminder(session)
            wait_for("the disc to load", lambda: is_enabled(button(window, "Play")))
            self.assertTrue(text_of(window, "Label1").endswith("Tracks: 3"))

    def test_a_disc_image_chosen_from_the_file_menu_is_loaded(self):
        cue = write_tone_disc(self.folder, tracks=2, seconds=4)
        with RunningProgram(PROGRAM) as session:
            window = past_the_reminder(session)
            press(wait_for("the menu item", lambda: menu_item(window, "Open Disc Image…")))
            choose_files([cue])
            wait_for("the disc to load", lambda: is_enabled(button(window, "Play")))
            self.assertTrue(text_of(window, "Label1").endswith("Tracks: 2"))

    def test_the_next_media_key_moves_the_cd_player_on_a_track(self):
        cue = write_tone_disc(self.folder, tracks=3)
        with open(cue) as sheet:
            titled = sheet.read().replace("  TRACK 02 AUDIO\n",
                                          '  TRACK 02 AUDIO\n    TITLE "Second Tone"\n')
        with open(cue, "w") as sheet:
            sheet.write(titled)
        tones = [track_frequency(track) for track in (1, 2, 3)]
        with RunningProgram(PROGRAM, settings={"VirtualDrive/Image": cue}, sound=True) as session:
            window = past_the_reminder(session)
            wait_for("the media keys", lambda: "Stopped" in player_property("PlaybackStatus"))
            press(button(window, "Load"))
            wait_for("the disc to load", lambda: is_enabled(button(window, "Play")))
            recording = session.sound.record(os.path.join(self.folder, "keys.wav"))
            media_key("Play")
            wait_for("track 1", lambda: text_of(window, "Label2").startswith("Track 1"))
            named = {"application.name": "Corvela Pro", "application.icon_name": "corvela",
                     "media.role": "music"}
            wait_for("the disc's stream, named", lambda: any(
                named.items() <= stream.items() for stream in session.sound.streams()))
            time.sleep(3.5)
            media_key("Next")
            wait_for("track 2", lambda: text_of(window, "Label2").startswith("Track 2"))
            time.sleep(3.5)
            self.assertIn("'Playing'", player_property("PlaybackStatus"))
            metadata = player_property("Metadata")
            self.assertIn("'xesam:trackNumber': <2>", metadata)
            self.assertIn("'xesam:title': <'Second Tone'>", metadata)
            recording.stop()
            # A place chosen from outside right after Previous plays on from there.
            media_key("Previous")
            media_key("Seek", "2000000")
            wait_for("track 1 again", lambda: text_of(window, "Label2").startswith("Track 1"))
            time.sleep(1.5)
            self.assertIn("'Playing'", player_property("PlaybackStatus"))
            self.assertEqual(playerctl("metadata", "xesam:title"), "Track 1")
        self.assertEqual([tone + 1 for tone in tones_heard(recording.path, tones)], [1, 2])


if __name__ == "__main__":
    unittest.main()
