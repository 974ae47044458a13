"""The whole program's figures, measured from outside on a virtual display:
time from start to the main window shown, memory at rest, and processor use at rest,
while each player plays and between a slide show's pictures. Each figure is printed
with its target.

Run inside `xvfb-run -a dbus-run-session`:  program_bench.py <folder of corvela>
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
from corvela_session import (RunningProgram, end_group, is_enabled,  # noqa: E402
                             processor_seconds, start_in_own_group, wait_for)
from media_files import make_tone  # noqa: E402
from user_actions import (button, choose_files, click, described,  # noqa: E402
                          past_the_reminder, press, showing, text_of)

PROGRAM = os.path.join(sys.argv[1], "corvela")
CAPTION = "Corvela Pro - CD Player"
WALLPAPER = "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg"


def main_window_is_viewable():
    shown = subprocess.run(["xwininfo", "-name", CAPTION], capture_output=True, text=True)
    return "IsViewable" in shown.stdout


def start_seconds(home):
    """From starting the program to its main window on the screen. The home folder is
    kept between starts, as a user's is: its caches (the sound framework's plug-in list,
    the fonts) are warm after the first start."""
    runtime = tempfile.mkdtemp(dir=home)
    environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                       XDG_CACHE_HOME=os.path.join(home, "cache"), XDG_RUNTIME_DIR=runtime)
    started = time.monotonic()
    program = start_in_own_group([PROGRAM], env=environment)
    try:
        wait_for("the main window", main_window_is_viewable)
        return time.monotonic() - started
    finally:
        end_group(program)


def resident_megabytes(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def processor_share(pid, seconds=10):
    """Share of one core the process used over the next few seconds, in per cent."""
    before = processor_seconds(pid)
    time.sleep(seconds)
    return 100 * (processor_seconds(pid) - before) / seconds


def report(name, value, unit, target=None, met=True):
    """One figure; with a target, whether it is met."""
    verdict = f"target {target:<12} {'met' if met else 'NOT MET'}" if target else "(no target)"
    print(f"{name:<52} {value:8.2f} {unit:<4} {verdict}")


def cd_player_figures(window, pid):
    press(button(window, "Load"))
    wait_for("the demo disc", lambda: is_enabled(button(window, "Play")))
    time.sleep(2)
    rest = processor_share(pid)
    report("processor at rest, disc loaded and stopped", rest, "%", "< 1 % core", rest < 1)
    report("memory at rest, disc loaded", resident_megabytes(pid), "MB")
    press(button(window, "Play"))
    time.sleep(2)
    report("processor while the CD player plays", processor_share(pid), "%")
    press(button(window, "Stop"))
    wait_for("the disc to stop", lambda: text_of(window, "Label2") == "")


def media_player_figures(media, pid, folder):
    """Each kind of file played on its own, long enough to measure in the middle."""
    for kind, encoder in (("an MP3", "lamemp3enc"), ("a WAV", "wavenc")):
        path = os.path.join(folder, f"tone.{kind.split()[1].lower()}")
        make_tone(path, 440, encoder, seconds=16)
        press(button(media, "Select Sound & Video"))
        choose_files([path])
        wait_for("the list", lambda: text_of(media, "Label7") == "Selected: 1")
        press(button(media, "Play"))
        wait_for("the file to play", lambda: text_of(media, "Label6") == "Playing: 1 of 1")
        time.sleep(2)
        report(f"processor while the media player plays {kind} file", processor_share(pid), "%")
        press(button(media, "Stop"))
        wait_for("the file to stop", lambda: text_of(media, "Label6") == "")


def slide_show_figure(viewer, pid, folder):
    """A show of two pictures 15 seconds apart, measured while the first one stands."""
    paths = [os.path.join(folder, name) for name in ("one.jpg", "two.jpg")]
    for path in paths:
        shutil.copy(WALLPAPER, path)
    press(described(viewer, "Button1"))
    choose_files(paths)
    wait_for("the list", lambda: text_of(viewer, "Label1") == "Selected: 2 - Current: 1 of 2")
    described(viewer, "Edit1").queryEditableText().setTextContents("15")
    click(described(viewer, "CheckBox2"))  # the show runs inside the box's click
    wait_for("the show's first picture", lambda: showing(described(viewer, "Image1")))
    time.sleep(1)
    report("processor between a slide show's pictures", processor_share(pid), "%")


def main():
    with tempfile.TemporaryDirectory() as home:
        start_seconds(home)  # a first start fills the caches
        starts = [start_seconds(home) for _ in range(5)]
    report("start to main window shown (median of 5 warm starts)", statistics.median(starts), "s", "< 0.5 s",
           statistics.median(starts) < 0.5)

    with RunningProgram(PROGRAM, sound=True) as session:
        window = past_the_reminder(session)
        pid = session.program.pid
        time.sleep(2)
        report("memory at rest, no disc", resident_megabytes(pid), "MB")
        cd_player_figures(window, pid)
        press(button(window, "Sound And Video Player"))
        media = session.window("Corvela Pro AVI-MID-MPEG-WAV Player")
        media_player_figures(media, pid, session.home)
        press(button(media, "Graphics"))
        viewer = session.window("Corvela Pro Graphics Viewer")
        slide_show_figure(viewer, pid, session.home)


if __name__ == "__main__":
    main()
