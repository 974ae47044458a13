"""The help opens from the CD player's Help menu and finds pages by keyword."""

import os
import subprocess
import sys
import unittest

import pyatspi

from corvela_session import RunningProgram, wait_for

PROGRAM = sys.argv.pop(1)
PICTURES = os.path.dirname(os.path.dirname(PROGRAM))


def menu_item(window, name):
    return pyatspi.findDescendant(
        window, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM and a.name == name)


class HelpFromTheMenu(unittest.TestCase):
    def test_contents_then_a_keyword(self):
        with RunningProgram(PROGRAM) as session:
            main = session.window("Corvela Pro - CD Player")
            contents = wait_for("the Contents item", lambda: menu_item(main, "Contents"))
            contents.queryAction().doAction(0)
            help_window = session.window("Corvela Pro Help")
            page = wait_for("the help page", lambda: pyatspi.findDescendant(
                help_window, lambda a: a.name == "Help page"))
            text = page.queryText()
            self.assertIn("CD player", text.getText(0, text.characterCount))

            search = pyatspi.findDescendant(help_window, lambda a: a.name == "Keyword search")
            search.queryEditableText().setTextContents("Intro")
            subprocess.run(["import", "-window", "root", os.path.join(PICTURES, "e2e-help.png")],
                           check=False)


if __name__ == "__main__":
    unittest.main()
