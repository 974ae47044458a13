"""The session ending the program (SIGTERM, as at logout) is a way out like any
other: the program ends through its own shutdown and its settings are saved."""

import configparser
import os
import signal
import sys
import unittest

from corvela_session import RunningProgram

PROGRAM = sys.argv.pop(1)


class WayOut(unittest.TestCase):
    def test_a_termination_signal_saves_the_settings_with_active_off(self):
        with RunningProgram(PROGRAM) as session:
            session.window("Corvela Pro - CD Player")
            settings = os.path.join(session.home, ".config", "Qelvar Ltd", "Corvela.conf")
            self.assertEqual(stored(settings, "Active"), "1", "running")
            session.program.send_signal(signal.SIGTERM)
            self.assertEqual(session.program.wait(timeout=15), 0)
            self.assertEqual(stored(settings, "Active"), "0")


def stored(path, key):
    parser = configparser.ConfigParser()
    parser.optionxform = str
    parser.read(path)
    return parser["General"].get(key)


if __name__ == "__main__":
    unittest.main()
