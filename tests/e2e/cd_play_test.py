"""The CD player plays the demo disc, driven from outside as a person would."""

import sys
import time
import unittest

from corvela_session import RunningProgram, is_enabled, wait_for
from user_actions import button, described, press, snapshot, text_of

PROGRAM = sys.argv.pop(1)


class DemoDiscPlays(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.session = RunningProgram(PROGRAM).__enter__()
        cls.addClassCleanup(cls.session.__exit__, None, None, None)
        cls.window = cls.session.window("Corvela Pro - CD Player")

    def button(self, name):
        return button(self.window, name)

    def test_load_play_next_pause_and_stop(self):
        press(self.button("Load"))
        play = self.button("Play")
        wait_for("Play to be enabled after Load", lambda: is_enabled(play))
        total = text_of(self.window, "Label1")
        self.assertTrue(total.startswith("Total play time: "), total)
        self.assertTrue(total.endswith(" - Tracks: 8"), total)

        press(play)
        wait_for("track 1 to play", lambda: text_of(self.window, "Label2").startswith("Track 1  - "))
        time.sleep(2.5)
        self.assertNotEqual(text_of(self.window, "Label3"), "", "the time is shown")
        snapshot("e2e-cd-playing.png")

        press(self.button("Next"))
        wait_for("track 2 to play", lambda: text_of(self.window, "Label2").startswith("Track 2  - "))

        # Drag the slider to 0:20 (it acts while it has the focus), then play on from there.
        slider = described(self.window, "TrackBar1")
        slider.queryComponent().grabFocus()
        slider.queryValue().currentValue = 20
        wait_for("the chosen place to show", lambda: text_of(self.window, "Label4") == "20")
        self.assertEqual(text_of(self.window, "Label3"), "0:")
        press(self.button("Cont"))
        wait_for("play to go on", lambda: is_enabled(self.button("Pause")))
        snapshot("e2e-cd-after-slider.png")

        pause = self.button("Pause")
        press(pause)
        wait_for("Next to be disabled while paused", lambda: not is_enabled(self.button("Next")))
        press(pause)
        wait_for("Next to come back on resuming", lambda: is_enabled(self.button("Next")))

        press(self.button("Stop"))
        wait_for("the track line to clear", lambda: text_of(self.window, "Label2") == "")
        self.assertTrue(is_enabled(self.button("Eject")))


if __name__ == "__main__":
    unittest.main()
