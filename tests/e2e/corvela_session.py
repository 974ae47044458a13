"""Runs the real program on the accessibility bus, under a real window manager, and
finds its windows from outside, the way a screen reader sees them.

Meant to run inside `xvfb-run -a dbus-run-session`, which gives it a display and a
session bus of its own. The window manager makes activation, focus, stacking and
full screen behave as on a desktop.
"""

import atexit
import os
import shutil
import signal
import subprocess
import tempfile
import time

import pyatspi
from gi.repository import Gio, GLib

BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
WAIT_SECONDS = 20
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")


def wait_for(what, probe, seconds=WAIT_SECONDS):
    """Polls probe until it returns something true; fails with what was awaited."""
    deadline = time.monotonic() + seconds
    while True:
        found = probe()
        if found:
            return found
        if time.monotonic() > deadline:
            raise TimeoutError(f"gave up waiting for {what} after {seconds} s")
        time.sleep(0.1)


def accessibility_bus_is_up():
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = session.call_sync(
        "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)),
        GLib.VariantType("(b)"), Gio.DBusCallFlags.NONE, 2000, None)
    return reply.unpack()[0]


_accessibility_bus = None


def start_accessibility_bus():
    """One bus for the whole test process: the accessibility library stays connected to
    the first bus it meets, so programs started later must register on that one too."""
    global _accessibility_bus
    if _accessibility_bus is None:
        _accessibility_bus = start_in_own_group([BUS_LAUNCHER, "--launch-immediately"])
        atexit.register(end_group, _accessibility_bus)
        wait_for("the accessibility bus", accessibility_bus_is_up)


_window_manager = None


def window_manager_is_up():
    check = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                           capture_output=True, text=True, check=False)
    return "window id" in check.stdout


def start_window_manager():
    """One window manager for the display, as a desktop has."""
    global _window_manager
    if _window_manager is None:
        _window_manager = start_in_own_group(["openbox", "--sm-disable"],
                                             stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL)
        atexit.register(end_group, _window_manager)
        wait_for("the window manager", window_manager_is_up)


_wayland_desktop = None


def first_entry(folder, prefix, suffix=""):
    names = [name for name in os.listdir(folder)
             if name.startswith(prefix) and not name.endswith(".lock") and name.endswith(suffix)]
    return os.path.join(folder, names[0]) if names else None


def start_wayland_desktop():
    """One Wayland compositor without a screen for the test process, one of those that let
    a clipboard manager in (data control). Its socket's path and its control socket's."""
    global _wayland_desktop
    if _wayland_desktop is None:
        runtime = tempfile.mkdtemp(prefix="corvela-wayland-")
        atexit.register(shutil.rmtree, runtime, True)
        config = os.path.join(runtime, "config")
        with open(config, "w") as lines:
            lines.write("xwayland disable\n")
        user = []
        if os.geteuid() == 0:
            # The compositor refuses to run as root.
            shutil.chown(runtime, "nobody", "nogroup")
            user = ["setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"]
        environment = {name: value for name, value in os.environ.items()
                       if name not in ("DISPLAY", "WAYLAND_DISPLAY")}
        environment.update(XDG_RUNTIME_DIR=runtime, HOME=runtime, WLR_BACKENDS="headless",
                           WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
        compositor = start_in_own_group(user + ["sway", "-c", config], env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        atexit.register(end_group, compositor)
        socket = wait_for("the Wayland desktop", lambda: first_entry(runtime, "wayland-"))
        control = wait_for("its control socket", lambda: first_entry(runtime, "sway-ipc", ".sock"))
        _wayland_desktop = (socket, control)
    return _wayland_desktop


class OtherProgram:
    """Another program's window that takes the focus while it is open and gives it back
    when it closes, as a desktop's window manager does."""

    CAPTION = "Another program"

    def __enter__(self):
        self.process = start_in_own_group(
            ["xmessage", "-title", self.CAPTION, "-center", "Another program has the focus"])
        wait_for("the other program's window to take the focus",
                 lambda: active_window_name() == self.CAPTION)
        return self

    def __exit__(self, *_):
        end_group(self.process)
        wait_for("the focus to come back", lambda: active_window_name() not in
                 ("", self.CAPTION))


def active_window_name():
    """The caption of the window that has the focus, as the window manager says."""
    root = subprocess.run(["xprop", "-root", "_NET_ACTIVE_WINDOW"],
                          capture_output=True, text=True, check=False).stdout
    window = root.rsplit(" ", 1)[-1].strip()
    if not window.startswith("0x") or int(window, 16) == 0:
        return ""
    name = subprocess.run(["xprop", "-id", window, "_NET_WM_NAME"],
                          capture_output=True, text=True, check=False).stdout
    if "=" not in name:
        name = subprocess.run(["xprop", "-id", window, "WM_NAME"],
                              capture_output=True, text=True, check=False).stdout
    return name.split("=", 1)[-1].strip().strip('"') if "=" in name else ""


def start_in_own_group(command, **options):
    # Its own process group, so whatever it starts in turn ends with it.
    return subprocess.Popen(command, start_new_session=True, stdin=subprocess.DEVNULL,
                            **options)


def end_group(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def children(accessible):
    """The accessible's children, skipping any that vanish while we look."""
    for index in range(accessible.childCount):
        try:
            child = accessible.getChildAtIndex(index)
        except GLib.Error:
            continue
        if child is not None:
            yield child


def find_control(window, role, name):
    return pyatspi.findDescendant(
        window, lambda a: a.getRole() == role and a.name == name, breadth_first=True)


def is_enabled(accessible):
    return accessible.getState().contains(pyatspi.STATE_ENABLED)


def top_level(predicate):
    """The first top-level window on the desktop that predicate accepts, or None."""
    for application in children(pyatspi.Registry.getDesktop(0)):
        for window in children(application):
            try:
                if predicate(window):
                    return window
            except GLib.Error:
                continue  # a box that closed while we looked at it
    return None


def processor_seconds(pid):
    """The processor time a process has used so far, user and system."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS_PER_SECOND


class RunningProgram:
    """The program started with fresh home and run-time folders, so nothing of another
    run (settings, a running copy's socket) reaches it."""

    def __init__(self, program, settings=None, sound=False, arguments=(), folder=None,
                 desktop="x11"):
        """settings: {"Section/Key": value} written to the settings file before the start;
        sound: play into a sound server of the session's own (self.sound) instead of none;
        arguments: the command line after the program; folder: where it starts;
        desktop: "x11" (the virtual display under openbox) or "wayland" (a compositor of
        the test's own, the program a Wayland client with no X display)."""
        self.desktop = desktop
        self.program_path = program
        self.settings = settings or {}
        self.with_sound = sound
        self.arguments = list(arguments)
        self.folder = folder

    def __enter__(self):
        self.home = tempfile.mkdtemp(prefix="corvela-e2e-")
        self.program = None
        self.sound = None
        try:
            start_accessibility_bus()
            runtime = os.path.join(self.home, "runtime")
            os.mkdir(runtime, 0o700)
            self._write_settings(os.path.join(self.home, ".config", "Qelvar Ltd", "Corvela.conf"))
            if self.with_sound:
                from sound_server import SoundServer
                self.sound = SoundServer(runtime)
            environment = dict(os.environ, HOME=self.home,
                               XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                               XDG_RUNTIME_DIR=runtime,
                               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
            self._choose_desktop(environment)
            self.environment = environment
            self.program = start_in_own_group([self.program_path] + self.arguments,
                                              env=environment, cwd=self.folder)
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *_):
        if self.program is not None:
            end_group(self.program)
        # A disc left playing outlives the program; it plays from our folder.
        subprocess.run(["pkill", "-f", self.home], check=False)
        if self.sound is not None:
            self.sound.stop()
        shutil.rmtree(self.home, ignore_errors=True)

    def _choose_desktop(self, environment):
        if self.desktop == "wayland":
            socket, control = start_wayland_desktop()
            del environment["DISPLAY"]
            environment.update(WAYLAND_DISPLAY=socket, SWAYSOCK=control, QT_QPA_PLATFORM="wayland")
        else:
            start_window_manager()

    def _write_settings(self, path):
        sections = {}
        for name, value in self.settings.items():
            section, key = name.split("/")
            sections.setdefault(section, []).append(f"{key}={value}")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as settings:
            for section, lines in sections.items():
                settings.write(f"[{section}]\n" + "\n".join(lines) + "\n")

    def window(self, caption):
        """The program's top-level window with this caption, once it is shown."""
        return wait_for(f'the window "{caption}"', lambda: self._find_window(caption))

    def _find_window(self, caption):
        if self.program.poll() is not None:
            raise RuntimeError(f"the program ended with code {self.program.returncode}")
        return top_level(lambda window: window.getRole() == pyatspi.ROLE_FRAME
                         and window.name == caption)
