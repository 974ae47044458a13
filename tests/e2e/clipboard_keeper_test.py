"""A picture copied in the graphics viewer outlives the program: closed with the
clipboard question answered No, on a desktop without a clipboard manager, another
program still pastes it; the keeper that serves it ends once another program copies."""

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


def clipboard(target):
    return subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"],
                          capture_output=True, check=False).stdout


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
    def test_no_keeps_the_picture_until_another_program_copies(self):
        with RunningProgram(PROGRAM) as session:
            shown_in_the_viewer(session, MEADOW)
            press_key(C_KEYCODE, holding=CONTROL_KEYCODE)
            wait_for("a picture on the clipboard", lambda: b"image/png" in clipboard("TARGETS"))
            subprocess.run(["wmctrl", "-c", "Corvela Pro Graphics Viewer"], check=True)
            answer(box_saying("Do you wish to delete the contents of the Clipboard?"), "No")
            session.program.wait(timeout=20)
            wait_for("the keeper", lambda: keepers(session.home))
            self.addCleanup(end_keepers, session.home)
            pasted = subprocess.run(["identify", "-format", "%w %h", "png:-"],
                                    input=clipboard("image/png"), capture_output=True, check=False)
            self.assertEqual(pasted.stdout, b"1280 1024")
            other = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard"],
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
            self.addCleanup(other.kill)
            other.stdin.write(b"another copy")
            other.stdin.close()
            wait_for("the keeper to end", lambda: not keepers(session.home), seconds=10)


def end_keepers(home):
    for pid in keepers(home):
        os.kill(pid, signal.SIGTERM)

if __name__ == "__main__":
    unittest.main()
