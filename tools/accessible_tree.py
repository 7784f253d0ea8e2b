#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
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
from gi.repository import GLib


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


def listen_while_playing(app, seconds):
    """Switches to timed play, deals, points at shelf 0 and prints what the
    game announces meanwhile: name changes (message bar, description) and
    value changes (the round clock)."""
    heard = []

    def on_event(event):
        source = event.source
        if event.type.endswith("accessible-name"):
            heard.append("%s [%s] %r" % (event.type, source.getRoleName(), source.name))
        else:
            heard.append("%s [%s] %s" % (event.type, source.getRoleName(), source.queryValue().currentValue))

    def play():
        press(app, pyatspi.ROLE_CHECK_BOX, "Tryb gry: rozgrzewka")
        press(app, pyatspi.ROLE_RADIO_BUTTON, "Poziom 3")
        press(app, pyatspi.ROLE_RADIO_BUTTON, "Tryb wskazywania półki, która pasuje do opisu")
        shelf = next(node for node in find_all(app, pyatspi.ROLE_LIST_ITEM)
                     if node.name.startswith("Półka 0") and node.getState().contains(pyatspi.STATE_SHOWING))
        shelf.queryAction().doAction(0)
        return False

    pyatspi.Registry.registerEventListener(on_event, "object:property-change:accessible-name",
                                           "object:property-change:accessible-value")
    GLib.timeout_add(300, play)
    GLib.timeout_add(int(seconds * 1000), lambda: pyatspi.Registry.stop() or False)
    pyatspi.Registry.start()
    # The clock ticks ten times a second: show its first and last change only.
    values = [line for line in heard if "accessible-value" in line]
    return [line for line in heard if "accessible-value" not in line] + values[:1] + values[-1:]


def find_all(node, role):
    found = [node] if node.getRole() == role else []
    for child in node:
        found += find_all(child, role)
    return found


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--level", type=int, default=3, help="the level to deal first (1-4)")
    parser.add_argument("--app", default="trefolia", help="the application's name on the bus")
    parser.add_argument("--events", type=float, default=0,
                        help="then play for this many seconds and print what the game announces")
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
    if args.events > 0:
        print("\n".join(listen_while_playing(app, args.events)))


if __name__ == "__main__":
    main()
