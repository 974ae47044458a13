"""The whole program's figures, measured from outside on a virtual display:
time from start to the main window shown, memory at rest, and processor use at rest
and while each player plays. Each figure is printed with its target.

Run inside `xvfb-run -a dbus-run-session`:  program_bench.py <folder of corvela>
"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tests", "e2e"))
import pyatspi  # noqa: E402

from corvela_session import (RunningProgram, end_group, find_control, is_enabled,  # noqa: E402
                             start_in_own_group, wait_for)

PROGRAM = os.path.join(sys.argv[1], "corvela")
CAPTION = "Corvela Pro - CD Player"
TICKS = os.sysconf("SC_CLK_TCK")


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


def processor_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


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


def press(window, name):
    find_control(window, pyatspi.ROLE_PUSH_BUTTON, name).queryAction().doAction(0)


def main():
    with tempfile.TemporaryDirectory() as home:
        start_seconds(home)  # a first start fills the caches
        starts = [start_seconds(home) for _ in range(5)]
    report("start to main window shown (median of 5 warm starts)", statistics.median(starts), "s", "< 0.5 s",
           statistics.median(starts) < 0.5)

    with RunningProgram(PROGRAM, sound=True) as session:
        window = session.window(CAPTION)
        pid = session.program.pid
        time.sleep(2)
        report("memory at rest, no disc", resident_megabytes(pid), "MB")
        press(window, "Load")
        play = find_control(window, pyatspi.ROLE_PUSH_BUTTON, "Play")
        wait_for("the demo disc", lambda: is_enabled(play))
        time.sleep(2)
        rest = processor_share(pid)
        report("processor at rest, disc loaded and stopped", rest, "%", "< 1 % core", rest < 1)
        report("memory at rest, disc loaded", resident_megabytes(pid), "MB")
        press(window, "Play")
        time.sleep(2)
        playing = processor_share(pid)
        report("processor while the CD player plays", playing, "%")


if __name__ == "__main__":
    main()
