"""Reads the real program (process PID, at display scale SCALE) through AT-SPI: where the start
form's controls are said to be, against where X shows the window; then question 1, reached with
the start form's button: the question text and the four options with their states, and the
scored one ticked.

Usage: read_question.py PID SCALE
"""
import re
import subprocess
import sys
import time

import pyatspi

QUESTION = ("Ваша колега розповсюджує неправдиву інформацію про вас в онлайновому публічному "
            "форумі. Порушення якого типу вчинив колега?")
OPTIONS = ["Плагіат", "Азартні ігри", "Наклеп", "Фішинг"]

# The start form at scale 1: its window, and where two of its controls lie in the client area
# below the menu bar (their designs' twips over 15). The button is Qt's widget; the title is
# painted by the form and described by the program's own interface.
START_WINDOW = (425, 359)
MENU_BAR = 20
START_CONTROLS = [(pyatspi.ROLE_PUSH_BUTTON, "Розпочати тест", (88, 296, 249, 33)),
                  (pyatspi.ROLE_LABEL, "Мережвар", (24, 8, 377, 65))]


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def fail(message):
    print(f"FAIL: {message}")
    sys.exit(1)


def wait_for(what, find, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail(f"{what} not found")


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def named(app, role, name):
    for node in walk(app):
        if node.getRole() == role and node.name == name and showing(node):
            return node
    return None


def press(node):
    action = node.queryAction()
    action.doAction(0)


def window_on_x():
    """The program's window as X shows it, in device pixels: (x, y, width, height)."""
    tree = subprocess.run(["xwininfo", "-root", "-tree"], capture_output=True, text=True).stdout
    for line in tree.splitlines():
        if '("merezhvar" "merezhvar")' in line:
            found = re.search(r"(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)", line)
            if found:
                w, h, x, y = map(int, found.groups())
                return x, y, w, h
    return None


def check_start_form(app, scale):
    """Each control's extents against the window's place on X and the control's design.

    Qt's AT-SPI bridge passes on the toolkit's logical pixels: at a scale other than 1 a control
    is said to be where X shows it divided by the scale. The access documentation says so; if a
    newer toolkit reports the screen's pixels, that paragraph is out of date."""
    frame = wait_for("the start form on the accessibility bus", lambda: next(
        (w for w in map(app.getChildAtIndex, range(app.childCount)) if w and showing(w)), None))
    x, y, width, height = wait_for("the start form's window on X", window_on_x)
    if abs(width - START_WINDOW[0] * scale) > 1 or abs(height - START_WINDOW[1] * scale) > 1:
        fail(f"at scale {scale} the start form is {width}×{height} on X, not "
             f"{START_WINDOW[0]}×{START_WINDOW[1]} scaled")
    # The window's logical position is rounded to a whole pixel; at scale 1 nothing is.
    tolerance = 0 if scale == 1 else 1
    for role, name, (left, top, w, h) in START_CONTROLS:
        node = wait_for(f"«{name}»", lambda role=role, name=name: named(app, role, name))
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        want = (x / scale + left, y / scale + MENU_BAR + top)
        if (abs(e.x - want[0]) > tolerance or abs(e.y - want[1]) > tolerance
                or (e.width, e.height) != (w, h)):
            fail(f"at scale {scale} «{name}» is said to be at ({e.x}, {e.y}) {e.width}×{e.height}; "
                 f"with the window at ({x}, {y}) on X, expected ({want[0]:.1f}, {want[1]:.1f}) "
                 f"{w}×{h}")
        # Mouse review asks what lies at a point: the middle of what was reported must be it.
        hit = frame.queryComponent().getAccessibleAtPoint(
            e.x + e.width // 2, e.y + e.height // 2, pyatspi.DESKTOP_COORDS)
        if hit is None or hit.getRole() != role or hit.name != name:
            found = "nothing" if hit is None else f"{hit.getRoleName()} «{hit.name}»"
            fail(f"at scale {scale} the middle of «{name}»'s extents finds {found}")


def read_question_1(app):
    start = wait_for("the button «Розпочати тест»",
                     lambda: named(app, pyatspi.ROLE_PUSH_BUTTON, "Розпочати тест"))
    press(start)
    text_roles = (pyatspi.ROLE_STATIC, pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT)
    question = wait_for("the text of question 1", lambda: next(
        (n for n in walk(app) if n.getRole() in text_roles and n.name == QUESTION and showing(n)),
        None))
    boxes = [wait_for(f"the option «{o}»", lambda o=o: named(app, pyatspi.ROLE_CHECK_BOX, o))
             for o in OPTIONS]
    if any(b.getState().contains(pyatspi.STATE_CHECKED) for b in boxes):
        fail("an option of a fresh question is ticked")
    press(boxes[2])
    wait_for("«Наклеп» ticked", lambda: boxes[2].getState().contains(pyatspi.STATE_CHECKED), 5)
    return question


pid, scale = int(sys.argv[1]), float(sys.argv[2])
app = wait_for("the program on the accessibility bus", lambda: application(pid))
check_start_form(app, scale)
question = read_question_1(app)
print(f"scale {scale}: the start form's extents are X's over the scale; read question 1:",
      question.name[:40], "…", OPTIONS)
sys.exit(0)
