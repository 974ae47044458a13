"""What a person does to the program and sees of it, from outside through the
accessibility bus: the controls by their component names, presses, clicks and keys,
answers to the program's boxes, files chosen in its file dialog, and screenshots."""

import os
import subprocess

import pyatspi
from gi.repository import GLib

from corvela_session import active_window_name, find_control, top_level, wait_for

ESCAPE_KEYCODE, CONTROL_KEYCODE, C_KEYCODE = 9, 37, 54


def described(window, name):
    """The control with this component name."""
    return pyatspi.findDescendant(window, lambda a: a.description == name, breadth_first=True)


def text_of(window, name):
    return described(window, name).name


def button(window, name):
    control = find_control(window, pyatspi.ROLE_PUSH_BUTTON, name)
    if control is None:
        raise LookupError(f"no button {name} in {window.name}")
    return control


def menu_item(window, name):
    return pyatspi.findDescendant(
        window, lambda a: a.getRole() == pyatspi.ROLE_MENU_ITEM and a.name == name)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def checked(accessible):
    return accessible.getState().contains(pyatspi.STATE_CHECKED)


def press(control):
    try:
        control.queryAction().doAction(0)
    except GLib.Error:
        # A press that opens a modal box, or retitles the window while it runs, may lose
        # its reply; the tests check what the press did instead.
        pass


def click(control):
    """A real mouse click in the middle of the control, for commands that run inside
    the click and would hold up an accessibility action until they end."""
    box = extents(control)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")


def press_key(keycode, holding=None):
    """A key typed on the keyboard, with another (Control, say) held down meanwhile."""
    registry = pyatspi.Registry
    if holding is not None:
        registry.generateKeyboardEvent(holding, None, pyatspi.KEY_PRESS)
    registry.generateKeyboardEvent(keycode, None, pyatspi.KEY_PRESSRELEASE)
    if holding is not None:
        registry.generateKeyboardEvent(holding, None, pyatspi.KEY_RELEASE)


def window_where(what, predicate, seconds=20):
    """A window of the program's (a dialog, a form, a box) that predicate accepts."""
    return wait_for(what, lambda: top_level(predicate), seconds)


def says(window, text):
    return pyatspi.findDescendant(window, lambda a: text in (a.name or "")) is not None


def box_saying(text):
    """A box of the program's that shows this text, once it is shown."""
    return window_where(f'the box saying "{text}"', lambda window: says(window, text))


def in_front(window):
    """Waits until the window manager has given the window the focus, as a person waits
    to see a dialog before using it: its opening steps run as it becomes active."""
    wait_for(f"{window.name} in front", lambda: active_window_name() == window.name)
    return window


def past_the_reminder(session):
    """A new user's first look: the CD player greets with its start-up reminder, which
    holds the focus above every window of the program until the user closes it."""
    window = session.window("Corvela Pro - CD Player")
    answer(box_saying("Reminder: you elected"), "OK")
    return window


def answer(box, choice):
    """Presses Yes, No or OK in a box (its caption may carry a mnemonic)."""
    press(pyatspi.findDescendant(box, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                 and a.name.replace("&", "") == choice))


def choose_files(paths):
    """In the file dialog that has just opened, types the files' names into its name
    field and opens them."""
    dialog = window_where("the open dialog", lambda window: window.getRole() == pyatspi.ROLE_DIALOG
                          and find_control(window, pyatspi.ROLE_PUSH_BUTTON, "Open"))
    field = wait_for("the file name field", lambda: pyatspi.findDescendant(
        dialog, lambda a: a.getRole() == pyatspi.ROLE_TEXT and showing(a)))
    field.queryEditableText().setTextContents(" ".join(f'"{path}"' for path in paths))
    press(button(dialog, "Open"))


def shown_in_the_viewer(session, path):
    """A new user's way to one picture: past the reminder to the graphics viewer, the
    file chosen and displayed. The viewer's window."""
    press(button(past_the_reminder(session), "Graphics"))
    window = session.window("Corvela Pro Graphics Viewer")
    press(described(window, "Button1"))
    choose_files([path])
    wait_for("the list", lambda: text_of(window, "Label1") == "Selected: 1 - Current: 1 of 1")
    press(described(window, "Button2"))
    wait_for("the picture", lambda: showing(described(window, "Image1")))
    return window


def shot_path(name):
    """Where screenshots are kept for people to look at: beside the build, as e2e-*.png."""
    return os.path.join(os.environ.get("CORVELA_SHOTS", os.getcwd()), name)


def start_snapshot(name):
    """Takes the whole screen in the background, for moments too short to wait on."""
    return subprocess.Popen(["import", "-window", "root", shot_path(name)])


def snapshot(name):
    """The whole screen as it is now; returns the picture's path."""
    if start_snapshot(name).wait() != 0:
        raise RuntimeError(f"no screenshot {name}")
    return shot_path(name)


def mean_colour(picture, area=None):
    """Mean red, green and blue of the picture (or of x, y, width, height in it), 0 to 1."""
    crop = ["-crop", "{2}x{3}+{0}+{1}".format(*area), "+repage"] if area else []
    result = subprocess.run(
        ["convert", picture, *crop, "-format", "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]", "info:"],
        check=True, capture_output=True, text=True)
    return [float(value) for value in result.stdout.split()]


def extents(control):
    return control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)


def colour_inside(shot, control):
    """Mean colour of the control's area in a screenshot, two pixels in from its edges."""
    box = extents(control)
    return mean_colour(shot, (box.x + 2, box.y + 2, box.width - 4, box.height - 4))
