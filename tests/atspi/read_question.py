"""Finds question 1 through AT-SPI: start the test with the start form's button, then read the
question text and the four options with their states, and tick the scored one."""
import sys
import time

import pyatspi

QUESTION = ("Ваша колега розповсюджує неправдиву інформацію про вас в онлайновому публічному "
            "форумі. Порушення якого типу вчинив колега?")
OPTIONS = ["Плагіат", "Азартні ігри", "Наклеп", "Фішинг"]


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


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
    print(f"FAIL: {what} not found")
    sys.exit(1)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name in ("merezhvar", "Тест Мережвар"):
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


app = wait_for("the program on the accessibility bus", application)
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
    print("FAIL: an option of a fresh question is ticked")
    sys.exit(1)
press(boxes[2])
wait_for("«Наклеп» ticked", lambda: boxes[2].getState().contains(pyatspi.STATE_CHECKED), 5)
print("read question 1 and its options through AT-SPI:", question.name[:40], "…", OPTIONS)
sys.exit(0)
