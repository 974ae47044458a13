"""The help opens from the CD player's Help menu and finds pages by keyword."""

import sys
import unittest

import pyatspi

from corvela_session import RunningProgram, wait_for
from user_actions import menu_item, press, snapshot

PROGRAM = sys.argv.pop(1)


class HelpFromTheMenu(unittest.TestCase):
    def test_contents_then_a_keyword(self):
        with RunningProgram(PROGRAM) as session:
            main = session.window("Corvela Pro - CD Player")
            contents = wait_for("the Contents item", lambda: menu_item(main, "Contents"))
            press(contents)
            help_window = session.window("Corvela Pro Help")
            page = wait_for("the help page", lambda: pyatspi.findDescendant(
                help_window, lambda a: a.name == "Help page"))
            text = page.queryText()
            self.assertIn("CD player", text.getText(0, text.characterCount))

            search = pyatspi.findDescendant(help_window, lambda a: a.name == "Keyword search")
            search.queryEditableText().setTextContents("Intro")
            snapshot("e2e-help.png")


if __name__ == "__main__":
    unittest.main()
