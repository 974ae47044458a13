"""The program as a person installs it: `cmake --install` into a fresh prefix, then the
command on the path finds its libraries, its help and the demo disc."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

from corvela_session import RunningProgram, is_enabled, wait_for
from user_actions import button, menu_item, press

BUILD = sys.argv.pop(1)
PROGRAM_FILES = ["corvela", "corvela-cd-player", "corvela-clipboard", "libmpegdll.so",
                 "libdeco32.so"]
DATA_FILES = ["demo-disc.cue", "demo-disc.bin", "help/index.html"]


class InstalledProgram(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.prefix = tempfile.mkdtemp(prefix="corvela-install-")
        cls.addClassCleanup(shutil.rmtree, cls.prefix, True)
        subprocess.run(["cmake", "--install", BUILD, "--prefix", cls.prefix],
                       check=True, stdout=subprocess.DEVNULL)

    def installed(self, *parts):
        return os.path.join(self.prefix, *parts)

    def test_everything_lands_where_the_program_looks(self):
        for name in PROGRAM_FILES:
            self.assertTrue(os.path.exists(self.installed("lib", "corvela", name)), name)
        for name in DATA_FILES:
            self.assertTrue(os.path.exists(self.installed("share", "corvela", name)), name)
        self.assertEqual(os.path.realpath(self.installed("bin", "corvela")),
                         os.path.realpath(self.installed("lib", "corvela", "corvela")))
        self.assertTrue(os.access(self.installed("bin", "fifenc"), os.X_OK))
        self.assertTrue(os.path.exists(
            self.installed("share", "icons", "hicolor", "scalable", "apps", "corvela.svg")))
        subprocess.run(["desktop-file-validate",
                        self.installed("share", "applications", "corvela.desktop")], check=True)

    def test_software_centres_and_menus_find_what_they_read(self):
        metainfo = self.installed("share", "metainfo", "com.qelvar.corvela.metainfo.xml")
        # The maker's site is not reachable from here, so its screenshots are not fetched.
        subprocess.run(["appstreamcli", "validate", "--no-net", metainfo], check=True,
                       stdout=subprocess.DEVNULL)
        with open(metainfo) as text:
            offered = set(re.findall(r"<mediatype>([^<]+)</mediatype>", text.read()))
        with open(self.installed("share", "applications", "corvela.desktop")) as text:
            opened = re.search(r"^MimeType=(.*)$", text.read(), re.M).group(1)
        self.assertEqual(offered, set(opened.strip(";").split(";")))
        for size in (16, 22, 24, 32, 48, 64, 128, 256, 512):
            icon = self.installed("share", "icons", "hicolor", f"{size}x{size}", "apps", "corvela.png")
            drawn = subprocess.run(["identify", "-format", "%wx%h", icon], check=True,
                                   capture_output=True, text=True).stdout
            self.assertEqual(drawn, f"{size}x{size}")
        self.assertTrue(os.path.exists(self.installed("share", "man", "man1", "corvela.1")))

    def test_help_and_version_answer_without_a_display(self):
        no_display = {key: value for key, value in os.environ.items()
                      if key not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        for option, first_line in (("--version", "Corvela Pro 1."), ("--help", "Usage: corvela")):
            answer = subprocess.run([self.installed("bin", "corvela"), option], env=no_display,
                                    check=True, capture_output=True, text=True, timeout=10)
            self.assertTrue(answer.stdout.startswith(first_line), answer.stdout)

    def test_the_desktop_offers_the_program_for_fractal_pictures(self):
        with tempfile.TemporaryDirectory() as home:
            desktop = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home, XDG_DATA_HOME=home,
                           XDG_DATA_DIRS=self.installed("share") + ":/usr/share",
                           XDG_CURRENT_DESKTOP="")
            chosen = subprocess.run(["xdg-mime", "query", "default", "image/x-fif"], env=desktop,
                                    check=True, capture_output=True, text=True).stdout.strip()
            self.assertEqual(chosen, "corvela.desktop")
        with open(self.installed("share", "mime", "globs2")) as globs:
            self.assertIn("image/x-fif:*.fif", globs.read())

    def test_fifenc_on_the_path_writes_a_fractal_picture(self):
        with tempfile.TemporaryDirectory() as folder:
            source = os.path.join(folder, "square.bmp")
            subprocess.run(["convert", "-size", "64x48", "gradient:red-blue", source], check=True)
            target = os.path.join(folder, "square.fif")
            subprocess.run([self.installed("bin", "fifenc"), source, target], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.assertGreater(os.path.getsize(target), 16)

    def test_the_command_loads_the_demo_disc_and_opens_the_help(self):
        with RunningProgram(self.installed("bin", "corvela")) as session:
            window = session.window("Corvela Pro - CD Player")
            press(button(window, "Load"))
            play = button(window, "Play")
            wait_for("the demo disc to load", lambda: is_enabled(play))
            press(wait_for("the Contents item", lambda: menu_item(window, "Contents")))
            session.window("Corvela Pro Help")


if __name__ == "__main__":
    unittest.main()
