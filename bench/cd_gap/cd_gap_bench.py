"""The silence between two tracks of a disc image as a person hears it: the real program
plays into a recording sound server, and the recording is measured. Side by side in one
run: playing through neighbouring ticked tracks, ticked tracks with others between them,
and Next pressed while a track plays (a stream of its own for the next track, as every
track was played before). Printed with the 0.3 s target.

Run inside `xvfb-run -a dbus-run-session`:  cd_gap_bench.py <folder of corvela>
"""

import os
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
from corvela_session import RunningProgram, is_enabled, wait_for  # noqa: E402
from sound_server import timeline  # noqa: E402
from tone_disc import track_frequency, write_tone_disc  # noqa: E402
from user_actions import button, checked, described, press, text_of  # noqa: E402

PROGRAM = os.path.join(sys.argv[1], "corvela")
TRACKS = 6
SECONDS = 3
WINDOW = 0.05
TARGET = 0.3
FREQUENCIES = [track_frequency(track) for track in range(1, TRACKS + 1)]


def silences_between_tones(path):
    """Seconds of silence at each change from one tone to another."""
    heard = timeline(path, FREQUENCIES, window_seconds=WINDOW)
    silences, last_tone, quiet = [], None, 0
    for tone in heard:
        if tone is None:
            quiet += 1
            continue
        if last_tone is not None and tone != last_tone:
            silences.append(quiet * WINDOW)
        last_tone, quiet = tone, 0
    return silences


def press_next_twice(session, window, folder, name):
    press(button(window, "All"))
    wait_for("every track ticked", lambda: checked(described(window, "TrackBox1")))
    recording = session.sound.record(os.path.join(folder, name))
    for track in (1, 2, 3):
        if track == 1:
            press(button(window, "Play"))
        else:
            press(button(window, "Next"))
        wait_for(f"track {track}", lambda: text_of(window, "Label2").startswith(f"Track {track} "))
        time.sleep(SECONDS - 1)
    recording.stop()
    press(button(window, "Stop"))
    return silences_between_tones(recording.path)


def play_ticked(session, window, folder, tracks, name):
    press(button(window, "None"))
    wait_for("the ticks to go", lambda: not checked(described(window, "TrackBox1")))
    for track in tracks:
        press(described(window, f"TrackBox{track}"))
    recording = session.sound.record(os.path.join(folder, name))
    press(button(window, "Play"))
    last = tracks[-1]
    wait_for(f"track {last}", lambda: text_of(window, "Label2").startswith(f"Track {last} "), 60)
    time.sleep(SECONDS + 1)
    recording.stop()
    return silences_between_tones(recording.path)


def report(what, silences):
    mean = sum(silences) / len(silences) if silences else float("nan")
    print(f"{what:<48} {len(silences)} changes, mean {mean:.2f} s of silence, "
          f"{mean / TARGET:.2f} x the {TARGET} s target")
    return mean


def main():
    folder = tempfile.mkdtemp(prefix="corvela-gap-")
    cue = write_tone_disc(folder, TRACKS, seconds=SECONDS)
    with RunningProgram(PROGRAM, settings={"VirtualDrive/Image": cue}, sound=True) as session:
        window = session.window("Corvela Pro - CD Player")
        press(button(window, "Load"))
        wait_for("the disc to load", lambda: is_enabled(button(window, "Play")))
        through = play_ticked(session, window, folder, [1, 2, 3], "through.wav")
        jumping = play_ticked(session, window, folder, [2, 4, 6], "jumping.wav")
        nexts = press_next_twice(session, window, folder, "next.wav")
    one = report("neighbouring ticked tracks:", through)
    report("ticked tracks with others between:", jumping)
    own = report("Next pressed (a stream of its own):", nexts)
    print(f"a stream for each track: {own / one if one else float('inf'):.1f} x the silence of one stream")


if __name__ == "__main__":
    main()
