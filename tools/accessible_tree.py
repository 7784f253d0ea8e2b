#!/usr/bin/python3
"""Lists what a screen reader sees of a running Trefolia window.

Through the AT-SPI bus (python3-pyatspi), it finds the game, hides the
rules and presses the level button given (by its accessible action, as a
screen reader would), then prints the accessible tree: role, name, states
that matter, the description text and values. Run it inside the same D-Bus
session as the game, for example under Xvfb:

    Xvfb :13 -screen 0 1024x768x24 &
    DISPLAY=:13 dbus-run-session -- sh -c \\
      'QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_FONT_DPI=96 ./build/trefolia & \\
       sleep 3; /usr/bin/python3 tools/accessible_tree.py --level 3'
"""

import argparse
import sys
import time

import pyatspi


def find_application(name, wait_seconds):
    deadline = time.time() + wait_seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and name in (app.name or "").lower():
                return app
        time.sleep(0.5)
    return None


def find(node, role, name):
    if node is None:
        return None
    if node.getRole() == role and node.name == name and node.getState().contains(pyatspi.STATE_SHOWING):
        return node
    for child in node:
        found = find(child, role, name)
        if found is not None:
            return found
    return None


def press(app, role, name):
    target = find(app, role, name)
    if target is None:
        sys.exit("Nie znaleziono: %s" % name)
    actions = target.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) in ("Press", "press", "click"):
            actions.doAction(i)
            return
    actions.doAction(0)


def describe(node):
    parts = ["[%s]" % node.getRoleName(), repr(node.name)]
    if node.description:
        parts.append("(%s)" % node.description)
    states = node.getState()
    for state, word in ((pyatspi.STATE_CHECKED, "checked"), (pyatspi.STATE_FOCUSED, "focused"),
                        (pyatspi.STATE_FOCUSABLE, "focusable")):
        if states.contains(state):
            parts.append(word)
    try:
        text = node.queryText()
        parts.append("text=%r" % text.getText(0, text.characterCount))
    except NotImplementedError:
        pass
    try:
        value = node.queryValue()
        parts.append("value=%g of %g" % (value.currentValue, value.maximumValue))
    except NotImplementedError:
        pass
    return " ".join(parts)


def walk(node, depth, out):
    # Hidden controls (the shelves of the other frame, the other lower
    # panel) are not on screen: leave them out as a screen reader does.
    if not node.getState().contains(pyatspi.STATE_SHOWING) and depth > 1:
        return
    if node.getRole() not in (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL) or node.name:
        out.append("  " * depth + describe(node))
    for child in node:
        walk(child, depth + 1, out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--level", type=int, default=3, help="the level to deal first (1-4)")
    parser.add_argument("--app", default="trefolia", help="the application's name on the bus")
    args = parser.parse_args()

    app = find_application(args.app, 20)
    if app is None:
        sys.exit("Na magistrali AT-SPI nie ma programu %s." % args.app)
    press(app, pyatspi.ROLE_PUSH_BUTTON, "Zasady gry")
    press(app, pyatspi.ROLE_RADIO_BUTTON, "Poziom %d" % args.level)
    time.sleep(1)
    out = []
    walk(app, 0, out)
    print("\n".join(out))


if __name__ == "__main__":
    main()
