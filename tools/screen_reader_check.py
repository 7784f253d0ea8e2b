#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays Trefolia from the keyboard while the real Orca listens, and checks
what Orca said. Run by tools/check-screen-reader.sh inside its own display
and D-Bus session; three parts:

    screen_reader_check.py orca LOG              runs Orca, its debug log in LOG
    screen_reader_check.py play LOG GAME STEPS   plays, writes the steps to STEPS
    screen_reader_check.py check LOG STEPS [CONTENT]  checks LOG against STEPS
                                                 (and the descriptions' grammar
                                                 against CONTENT's item lists)

Keys go through plain `xdotool key` to the focused window, so that Orca
hears them as a pupil's keys. A step records where Orca's log stood before
and after its keys; the check then looks for its spoken words in between.
"""

import json
import os
import re
import subprocess
import sys
import time

# One row per thing a blind pupil must hear: the check's name, the step
# kinds it applies to, the pattern every such step must have spoken (a
# literal text from the game where the pattern is None) and the failure line.
CHECKS = [
    ("shelf on arrow keys", ("arrow",), r"Półka [0-9A-F]+: \S", None,
     "an arrow key moved the focus to a shelf, and Orca did not say it as \"Półka N: …\""),
    ("description after a deal", ("deal",), None, None,
     "after a deal Orca did not read the description as the game shows it"),
    ("message after a mistake", ("mistake",), r"Pomyłka! Graj dalej", None,
     "after a mistake Orca did not say \"Pomyłka! Graj dalej\""),
    ("message after a win", ("win",), r"Brawo! Gra zakończona|Dobrze! W czasie", r"Poziom \d",
     "after a won game Orca did not say its message alone (\"Brawo! Gra zakończona\"), or the focus jumped"),
    ("state after a mark", ("mark",), r"(?<!nie)zaznaczona", None,
     "after a mark Orca did not say the shelf's new state \"zaznaczona\""),
    ("marked shelf with its state", ("marked",), r"Półka [0-9A-F]+: .*(?<!nie)zaznaczona", None,
     "the focus came to a marked shelf, and Orca did not say \"Półka N: …, zaznaczona\""),
    ("state after an unmark", ("unmark",), r"niezaznaczona", None,
     "after an unmark Orca did not say the shelf's new state \"niezaznaczona\""),
    ("one shelf after a removal", ("remove",), r"^(?!.*Półka.*Półka).*Półka [0-9A-F]+: ", None,
     "a removed shelf did not hand the focus straight to one neighbour, spoken once"),
    ("window title", ("title",), r"Trefolia", None,
     "Orca's \"read title\" (Insert+KP_Enter) did not say the window's title"),
    ("R in a game", ("switch",), r"Gra na czas", r"Półka|Zasady gry|Poziom",
     "R did not say the new way of playing (\"Gra na czas\") alone: the focus ran over other controls"),
    ("rules on F1", ("rules",), r"Zasady gry\. Znajdź półkę", None,
     "F1 did not read the rules as text"),
]
# Never said, anywhere in the session: the clock is in seconds.
FORBIDDEN = [("no percentage", r"procent|percent|%",
              "Orca said a percentage: the round clock must be read in seconds")]

# Where a description names an item, the case its sentence needs: the
# nominative (form 0), genitive (1) or instrumental (2) of the item lists.
CASES = [(r"pomiędzy (\w+) i (\w+)", 2), (r"\b(?:od|obok) (\w+)", 1), (r"leżą (\w+) i (\w+)", 0)]


def item_forms(content):
    """The three forms of every item of the content's lists, lower-cased."""
    forms = [set(), set(), set()]
    for name in ("F.tx", "G.tx", "H.tx"):
        with open(os.path.join(content, name), encoding="utf-8-sig", errors="replace") as f:
            for line in f:
                for k in range(3):
                    word = line[9 + 30 * k:39 + 30 * k].strip()
                    if word:
                        forms[k].add(word.lower())
    return forms


def grammar_faults(text, forms):
    """What is wrong with a spoken description: a name in the wrong case, a
    sentence begun in lower case."""
    faults = []
    for pattern, case in CASES:
        for match in re.finditer(pattern, text):
            faults += ["%r is not a form %d" % (w, case) for w in match.groups() if w.lower() not in forms[case]]
    faults += ["a sentence begins with %r" % c for c in re.findall(r"(?:^|[.!?] )(\w)", text) if c.islower()]
    return faults


SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)' ?\{'established")
STEP_WAIT = 3.0     # seconds a step may take to be spoken
QUIET = 0.6         # no new speech for this long: the step is over


def speech_lines(log):
    """The spoken lines of the log, each with its line number."""
    try:
        with open(log, encoding="utf-8", errors="replace") as f:
            lines = f.read().split("\n")
    except FileNotFoundError:
        return []
    return [(n, m.group(1)) for n, line in enumerate(lines) if (m := SPEECH.search(line))]


def log_length(log):
    try:
        with open(log, encoding="utf-8", errors="replace") as f:
            return f.read().count("\n")
    except FileNotFoundError:
        return 0


# ---- Orca

def run_orca(log):
    # As /usr/bin/orca --debug-file does, with the log line-buffered so that
    # every utterance is in the file the moment it is spoken.
    from orca import debug
    debug.debugLevel = debug.LEVEL_ALL
    debug.eventDebugLevel = debug.LEVEL_OFF
    debug.debugFile = open(log, "w", buffering=1, encoding="utf-8")
    from orca import orca
    manager = orca.getSettingsManager()
    manager.activate(None, {})
    sys.path.insert(0, manager.getPrefsDir())
    return orca.main()


# ---- the game

class Session:
    def __init__(self, log, steps_file):
        self.log = log
        self.steps = open(steps_file, "w", encoding="utf-8")

    def key(self, *keys):
        for k in keys:
            subprocess.run(["xdotool", "key", k], check=True)
            time.sleep(0.15)

    def wait_spoken(self, start, pattern=None):
        """Waits until Orca has said something after line `start` (matching
        `pattern` if given) and then falls quiet, or STEP_WAIT has passed."""
        deadline = time.time() + STEP_WAIT
        last, last_change = None, time.time()
        while time.time() < deadline:
            said = [(n, s) for n, s in speech_lines(self.log) if n >= start]
            if said != last:
                last, last_change = said, time.time()
            heard = said and (pattern is None or any(re.search(pattern, s) for _, s in said))
            if heard and time.time() - last_change >= QUIET:
                break
            time.sleep(0.1)

    def step(self, kind, keys, pattern=None, expected=None, wait=True):
        start = log_length(self.log)
        self.key(*keys)
        if wait:
            self.wait_spoken(start, pattern or (re.escape(expected) if expected else None))
        record = {"kind": kind, "keys": list(keys), "start": start, "end": log_length(self.log)}
        if expected:
            record["expected"] = expected
        self.steps.write(json.dumps(record, ensure_ascii=False) + "\n")
        self.steps.flush()
        return record


def find_app(name, seconds):
    import pyatspi
    deadline = time.time() + seconds
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and name in (app.name or "").lower():
                return app
        time.sleep(0.3)
    return None


def nodes(node):
    yield node
    for child in node:
        if child is not None:
            yield from nodes(child)


def showing(node):
    import pyatspi
    return node.getState().contains(pyatspi.STATE_SHOWING)


def description_text(app):
    """The description as the game gives it to a screen reader."""
    for node in nodes(app):
        if node.description == "Opis ułożenia owoców na szukanej półce":
            return " ".join(node.name.split())
    return ""


def message(app):
    """What the message bar says now."""
    for node in nodes(app):
        if (node.name or "").startswith(("Pomyłka!", "Brawo!", "Dobrze!")):
            return node.name
    return ""


def play_game(s, app, level, shelves, think=0, remove=False):
    """Deals `level`, waits `think` seconds (the round clock runs in timed
    play), walks the shelves with the arrow keys, marks and unmarks one,
    removes the focused one if `remove`, then points at shelf after shelf
    until the game is won."""
    s.step("deal", [str(level)], pattern=r"Półka [0-9A-F]+:")
    time.sleep(think)
    # The description is known only once dealt: recorded with the deal.
    text = description_text(app)
    rec = {"kind": "deal-text", "expected": text}
    s.steps.write(json.dumps(rec, ensure_ascii=False) + "\n")
    for key in ("Right", "Down", "Left", "Up", "End", "Home"):
        s.step("arrow", [key], pattern=r"Półka [0-9A-F]+:")
    s.step("mode", ["z"])
    s.step("mark", ["space"], pattern=r"zaznaczona")
    s.step("arrow", ["Right"], pattern=r"Półka [0-9A-F]+:")
    s.step("marked", ["Left"], pattern=r"Półka [0-9A-F]+:")
    s.step("unmark", ["space"], pattern=r"niezaznaczona")
    if remove:
        s.step("mode", ["u"])
        s.step("remove", ["Return"], pattern=r"Półka [0-9A-F]+:")
    s.step("mode", ["w"])
    mistakes = 0
    for i in range(shelves):
        before = message(app)
        rec = s.step("press", ["Return"])
        now = message(app)
        if now.startswith(("Brawo!", "Dobrze!")):
            s.steps.write(json.dumps({"kind": "win", "start": rec["start"], "end": rec["end"]}) + "\n")
            return
        if now.startswith("Pomyłka! Graj dalej") and (mistakes == 0 or before != now):
            s.steps.write(json.dumps({"kind": "mistake", "start": rec["start"], "end": rec["end"]}) + "\n")
            mistakes += 1
        s.step("arrow", ["Tab"], pattern=r"Półka [0-9A-F]+:")
    s.steps.write(json.dumps({"kind": "win", "start": 0, "end": 0, "note": "never won"}) + "\n")


def play(log, game, steps_file):
    # Orca first: the game comes up under a screen reader already listening.
    deadline = time.time() + 30
    while not speech_lines(log) and time.time() < deadline:
        time.sleep(0.2)
    if not speech_lines(log):
        print("Orca nie zaczęła mówić w ciągu 30 s (zob. %s)" % log, file=sys.stderr)
        return 1
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_FONT_DPI="96", QT_QPA_PLATFORM="xcb",
               TREFOLIA_SEED="3")
    out = open(os.path.join(os.path.dirname(steps_file), "trefolia.out"), "w")
    proc = subprocess.Popen([game], env=env, stdout=out, stderr=subprocess.STDOUT)
    try:
        app = find_app("trefolia", 30)
        if app is None:
            print("Gra nie pojawiła się na magistrali AT-SPI", file=sys.stderr)
            return 1
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Trefolia$"],
                                capture_output=True, text=True, timeout=30).stdout.split()
        time.sleep(2)  # the splash fades
        subprocess.run(["xdotool", "windowfocus", "--sync", window[-1]], check=False)
        s = Session(log, steps_file)
        s.step("start", [], wait=True)
        s.step("hide", ["Escape"])
        s.step("title", ["Insert+KP_Enter"], pattern=r"Trefolia")
        play_game(s, app, 3, 12, remove=True)
        # R in the middle of a game: timed play, the shelves leave the table.
        s.step("deal-only", ["1"], pattern=r"Półka [0-9A-F]+:")
        s.step("arrow", ["Right"], pattern=r"Półka [0-9A-F]+:")
        s.step("switch", ["r"], pattern=r"Gra na czas")
        # A timed game on level 1, with time for the clock to be heard.
        play_game(s, app, 1, 6, think=12)
        s.step("rules", ["F1"], pattern=r"Zasady gry\. ")
        s.step("hide", ["Escape"])
        return 0
    finally:
        proc.terminate()
        try:
            proc.wait(10)
        except subprocess.TimeoutExpired:
            proc.kill()


# ---- the checks

def check(log, steps_file, content=None):
    said = speech_lines(log)
    steps = [json.loads(line) for line in open(steps_file, encoding="utf-8") if line.strip()]
    print("Orca said (%d lines):" % len(said))
    for _, s in said:
        print("    " + s)
    # The description of a deal is known from the line after it.
    for i, step in enumerate(steps):
        if step["kind"] == "deal" and i + 1 < len(steps) and steps[i + 1]["kind"] == "deal-text":
            step["expected"] = steps[i + 1]["expected"]
    failures = 0
    for name, kinds, pattern, forbidden, failure in CHECKS:
        applicable = [st for st in steps if st["kind"] in kinds]
        if not applicable:
            print("FAIL %s: the session never came to it" % name)
            failures += 1
            continue
        missed = 0
        for st in applicable:
            heard = " ".join(s for n, s in said if st["start"] <= n < st["end"])
            wanted = pattern or re.escape(" ".join(st.get("expected", "").split()) or "\0")
            heard = " ".join(heard.split())
            if not re.search(wanted, heard) or (forbidden and re.search(forbidden, heard)):
                missed += 1
                print("FAIL %s: %s (keys %s; heard: %r)" % (name, failure, " ".join(st.get("keys", [])),
                                                          heard[:200]))
        if not missed:
            print("ok   %s (%d)" % (name, len(applicable)))
        failures += missed
    if content:
        forms = item_forms(content)
        deals = [st for st in steps if st["kind"] == "deal" and st.get("expected")]
        bad = [(st["expected"], grammar_faults(st["expected"], forms)) for st in deals]
        bad = [(text, faults) for text, faults in bad if faults]
        for text, faults in bad:
            print("FAIL description in the cases of its sentence: %r: %s" % (text, "; ".join(faults)))
        failures += len(bad)
        if deals and not bad:
            print("ok   description in the cases of its sentence (%d)" % len(deals))
    for name, pattern, failure in FORBIDDEN:
        bad = [s for _, s in said if re.search(pattern, s, re.IGNORECASE)]
        if bad:
            print("FAIL %s: %s (%r)" % (name, failure, bad[0]))
            failures += 1
        else:
            print("ok   %s" % name)
    if failures:
        print("%d check(s) failed; Orca's log: %s" % (failures, log))
        return 1
    print("Orca said everything a blind pupil needs.")
    return 0


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "orca":
        return run_orca(sys.argv[2])
    if len(sys.argv) == 5 and sys.argv[1] == "play":
        return play(*sys.argv[2:])
    if len(sys.argv) in (4, 5) and sys.argv[1] == "check":
        return check(*sys.argv[2:])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
