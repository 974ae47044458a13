"""A picture copied in the graphics viewer outlives the program: closed with the
clipboard question answered No, on a desktop without a clipboard manager, another
program still pastes it; the keeper that serves it ends once another program copies.
On X11 and on a Wayland desktop, where only a compositor's data control lets a program
without a window hold the clipboard."""

import os
import signal
import subprocess
import sys
import unittest

from corvela_session import RunningProgram, wait_for
from user_actions import (CONTROL_KEYCODE, C_KEYCODE, answer, box_saying, press_key,
                          shown_in_the_viewer)

PROGRAM = sys.argv.pop(1)
MEADOW = "/usr/share/backgrounds/mate/nature/GreenMeadow.jpg"
VIEWER = "Corvela Pro Graphics Viewer"


class X11Desktop:
    name = "x11"

    def __init__(self, environment):
        self.environment = environment

    def copy_with_the_keyboard(self):
        press_key(C_KEYCODE, holding=CONTROL_KEYCODE)

    def close(self, caption):
        subprocess.run(["wmctrl", "-c", caption], check=True)

    def types(self):
        return self.run(["xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"]).split()

    def paste(self, target):
        return self.run(["xclip", "-selection", "clipboard", "-t", target, "-o"])

    def copy(self, text):
        other = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"],
                                 stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
        other.stdin.write(text)
        other.stdin.close()
        return other

    def run(self, command):
        return subprocess.run(command, capture_output=True, check=False,
                              env=self.environment, timeout=10).stdout


class WaylandDesktop(X11Desktop):
    name = "wayland"

    def copy_with_the_keyboard(self):
        # The keyboard comes with the typing; the pause lets the program take it up
        # before the keys arrive.
        self.run(["wtype", "-s", "500", "-M", "ctrl", "c", "-m", "ctrl"])

    def close(self, caption):
        self.run(["swaymsg", f'[title="{caption}"] kill'])

    def types(self):
        return self.run(["wl-paste", "--list-types"]).split()

    def paste(self, target):
        return self.run(["wl-paste", "-t", target])

    def copy(self, text):
        other = subprocess.Popen(["wl-copy", "--foreground"], stdin=subprocess.PIPE,
                                 env=self.environment)
        other.stdin.write(text)
        other.stdin.close()
        return other


def keepers(home):
    """The keepers started by the program that ran in this home."""
    found = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as line:
                arguments = line.read().split(b"\0")
            with open(f"/proc/{pid}/environ", "rb") as environment:
                ours = f"HOME={home}".encode() in environment.read().split(b"\0")
        except OSError:
            continue
        if ours and b"--keep" in arguments:
            found.append(int(pid))
    return found


class PictureOutlivesTheProgram(unittest.TestCase):
    def test_on_x11(self):
        self.no_keeps_the_picture_until_another_program_copies(X11Desktop)

    def test_on_wayland(self):
        self.no_keeps_the_picture_until_another_program_copies(WaylandDesktop)

    def no_keeps_the_picture_until_another_program_copies(self, kind):
        with RunningProgram(PROGRAM, desktop=kind.name) as session:
            desktop = kind(session.environment)
            shown_in_the_viewer(session, MEADOW)
            desktop.copy_with_the_keyboard()
            wait_for("a picture on the clipboard", lambda: b"image/png" in desktop.types())
            desktop.close(VIEWER)
            answer(box_saying("Do you wish to delete the contents of the Clipboard?"), "No")
            session.program.wait(timeout=20)
            wait_for("the keeper", lambda: keepers(session.home))
            self.addCleanup(end_keepers, session.home)
            pasted = subprocess.run(["identify", "-format", "%w %h", "png:-"],
                                    input=desktop.paste("image/png"), capture_output=True,
                                    check=False)
            self.assertEqual(pasted.stdout, b"1280 1024")
            self.addCleanup(desktop.copy(b"another copy").kill)
            wait_for("the keeper to end", lambda: not keepers(session.home), seconds=10)


def end_keepers(home):
    for pid in keepers(home):
        os.kill(pid, signal.SIGTERM)

if __name__ == "__main__":
    unittest.main()
