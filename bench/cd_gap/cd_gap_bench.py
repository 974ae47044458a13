"""The silence at each change of track of a disc image as a person hears it: the real
program plays into a recording sound server, and the recording is measured. Side by side
in one run, every way the disc moves to another track while it sounds: playing through
neighbouring ticked tracks and ticked tracks with others between them, Next and Previous
pressed while a track plays, a single track chosen while one plays, random play moving on
at each track's end and at Next, play in the order selected likewise, and the intro scan's
steps. Each kind is printed with its worst and median silence against the 0.3 s target,
then the worst and the median of every change.

How it measures: the sound server's output is recorded at 8 kHz, cut into windows of
0.05 s, and each window is either quiet (no sample above 200) or the strongest of the
disc's tones (Goertzel). The silence of a change is the run of quiet windows between one
tone and the next, so it is exact to a window (a window part silent, part sounding counts
as sounding).

Run inside `xvfb-run -a -s "-screen 0 1024x768x24 -noreset" dbus-run-session`, with
Debian's `/usr/bin/python3` (the one with the accessibility bindings):
`cd_gap_bench.py <folder of corvela>`
"""

import os
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
from corvela_session import RunningProgram, is_enabled, wait_for  # noqa: E402
from sound_server import timeline  # noqa: E402
from tone_disc import track_frequency, write_tone_disc  # noqa: E402
from user_actions import button, checked, described, press, text_of, window_where  # noqa: E402

PROGRAM = os.path.join(sys.argv[1], "corvela")
TRACKS = 6
SECONDS = 4
INTRO_TRACKS = 3
INTRO_SECONDS = 13  # the intro scan moves on after eleven seconds
# How long after a change is shown the next is asked for: long enough for the track to
# be heard even after seconds of silence, short of its end.
HEARD = 2.5
WINDOW = 0.05
TARGET = 0.3


def silences_between_tones(path, tracks):
    """Seconds of silence at each change from one tone to another."""
    frequencies = [track_frequency(track) for track in range(1, tracks + 1)]
    heard = timeline(path, frequencies, window_seconds=WINDOW)
    silences, last_tone, quiet = [], None, 0
    for tone in heard:
        if tone is None:
            quiet += 1
            continue
        if last_tone is not None and tone != last_tone:
            silences.append(quiet * WINDOW)
        last_tone, quiet = tone, 0
    return silences


class CdPlayer:
    """The CD player window of a running program, its disc loaded, and what it plays."""

    def __init__(self, session, folder, tracks):
        self.session, self.folder, self.tracks = session, folder, tracks
        self.window = session.window("Corvela Pro - CD Player")
        press(button(self.window, "Load"))
        wait_for("the disc to load", lambda: is_enabled(button(self.window, "Play")))

    def playing(self):
        """The track the window shows playing, 0 when none."""
        line = text_of(self.window, "Label2")
        return int(line.split()[1]) if line.startswith("Track ") else 0

    def wait_for_track(self, track, seconds=30):
        wait_for(f"track {track}", lambda: self.playing() == track, seconds)

    def wait_for_another(self, track, seconds=30):
        wait_for(f"a track after {track}", lambda: self.playing() not in (0, track), seconds)
        return self.playing()

    def press(self, name):
        press(button(self.window, name))

    def box(self, track):
        return described(self.window, f"TrackBox{track}")

    def tick_only(self, tracks):
        self.press("None")
        wait_for("the ticks to go", lambda: not checked(self.box(1)))
        for track in tracks:
            press(self.box(track))
        wait_for("the ticks", lambda: all(checked(self.box(track)) for track in tracks))

    def toggle(self, name):
        box = described(self.window, name)
        was = checked(box)
        press(box)
        wait_for(f"{name} to change", lambda: checked(box) != was)

    def stop(self):
        self.press("Stop")
        wait_for("the stop", lambda: self.playing() == 0)

    def recorded(self, name, act):
        """The silences at the changes heard while act runs."""
        recording = self.session.sound.record(os.path.join(self.folder, name))
        act()
        recording.stop()
        return silences_between_tones(recording.path, self.tracks)


def through(cd, tracks):
    def act():
        cd.press("Play")
        cd.wait_for_track(tracks[-1], 60)
        time.sleep(SECONDS + 1)
    cd.tick_only(tracks)
    return cd.recorded("through.wav", act)


def pressing(cd, name, times):
    """Each press comes once the track before it has sounded a moment."""
    def act():
        track = cd.playing()
        for _ in range(times):
            time.sleep(HEARD)
            cd.press(name)
            track = cd.wait_for_another(track)
        time.sleep(HEARD)
    return cd.recorded(f"{name}.wav", act)


def next_pressed(cd):
    cd.press("All")
    cd.press("Play")
    cd.wait_for_track(1)
    return pressing(cd, "Next", 2)


def previous_pressed(cd):
    # Next has brought it to track 3.
    silences = pressing(cd, "Previous", 2)
    cd.stop()
    return silences


def single_chosen(cd):
    def choose(track):
        time.sleep(HEARD)
        press(described(cd.window, "Button13"))
        dialog = window_where(
            "the single track dialog", lambda window: window.name == "Single Track Selection")
        described(dialog, "Edit1").queryEditableText().setTextContents(str(track))
        press(button(dialog, "Play Track"))
        cd.wait_for_track(track)

    def act():
        choose(4)
        choose(2)
        time.sleep(HEARD)
    cd.press("All")
    cd.press("Play")
    cd.wait_for_track(1)
    silences = cd.recorded("single.wav", act)
    cd.stop()
    return silences


def random_ends(cd):
    def act():
        track = cd.playing()
        for _ in range(3):
            track = cd.wait_for_another(track)
        time.sleep(HEARD)
    cd.toggle("CheckBox2")  # random play starts at once
    cd.wait_for_another(0)
    return cd.recorded("random.wav", act)


def random_next(cd):
    silences = pressing(cd, "Next", 2)
    cd.toggle("CheckBox2")
    return silences


def selected_ends(cd, order):
    def act():
        cd.press("Play")
        cd.wait_for_track(order[-1], 60)
        time.sleep(SECONDS + 1)
    select_in_order(cd, order)
    silences = cd.recorded("selected.wav", act)
    cd.toggle("CheckBox4")
    return silences


def select_in_order(cd, order):
    cd.toggle("CheckBox4")
    for track in order:
        press(cd.box(track))
    wait_for("the ticks", lambda: all(checked(cd.box(track)) for track in order))


def selected_next(cd, order):
    select_in_order(cd, order)
    cd.press("Play")
    cd.wait_for_track(order[0])
    silences = pressing(cd, "Next", len(order) - 1)
    cd.stop()
    cd.toggle("CheckBox4")
    return silences


def intro_steps(cd):
    def act():
        cd.press("Play")
        cd.wait_for_track(INTRO_TRACKS, 60)
        time.sleep(HEARD)
    cd.press("All")
    cd.press("Intro Off")
    return cd.recorded("intro.wav", act)


def measure(program, folder, tracks, seconds, cases):
    """Each case's silences, printed as it is measured."""
    disc_folder = tempfile.mkdtemp(dir=folder)
    cue = write_tone_disc(disc_folder, tracks, seconds=seconds)
    every = []
    with RunningProgram(program, settings={"VirtualDrive/Image": cue}, sound=True) as session:
        cd = CdPlayer(session, folder, tracks)
        for what, case in cases:
            silences = case(cd)
            report(what, silences)
            every += silences
    return every


def report(what, silences):
    if not silences:
        print(f"{what:<44} {0:>7}   no change heard", flush=True)
        return
    worst = max(silences)
    print(f"{what:<44} {len(silences):>7} {worst:>6.2f}s {statistics.median(silences):>6.2f}s"
          f"  {worst / TARGET:.2f} x the {TARGET} s target", flush=True)


def main():
    folder = tempfile.mkdtemp(prefix="corvela-gap-")
    print(f"measured: the sound server's output recorded, in {WINDOW} s windows "
          "(quiet: no sample above 200)")
    print(f"{'change of track':<44} {'changes':>7} {'worst':>7} {'median':>7}  worst / target")
    every = measure(PROGRAM, folder, TRACKS, SECONDS, [
        ("playing through neighbouring ticked tracks", lambda cd: through(cd, [1, 2, 3])),
        ("ticked tracks with others between", lambda cd: through(cd, [2, 4, 6])),
        ("Next pressed while a track plays", next_pressed),
        ("Previous pressed while a track plays", previous_pressed),
        ("a single track chosen while one plays", single_chosen),
        ("random play, at each track's end", random_ends),
        ("random play, Next pressed", random_next),
        ("order selected, at each track's end", lambda cd: selected_ends(cd, [5, 2, 4])),
        ("order selected, Next pressed", lambda cd: selected_next(cd, [6, 3, 1])),
    ])
    every += measure(PROGRAM, folder, INTRO_TRACKS, INTRO_SECONDS, [
        ("intro scan, each step", intro_steps),
    ])
    report("every change", every)


if __name__ == "__main__":
    main()
