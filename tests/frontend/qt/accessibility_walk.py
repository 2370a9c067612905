"""Drives the running Tidewell window through the AT-SPI tree and the keyboard alone.

Every control a user can operate has a role and a name a screen reader can say, the lists
carry their names and the shared captions a description of their list; Tab visits every
control frame by frame, top-left to bottom-right, and arrows reach the other option of
each group; Delete on a selected row of Programs to run removes that row; Escape
changes nothing; Alt with a caption's underlined letter presses its button or takes the
focus to the box a label names, and moves between the two buttons that share a caption.
Usage: accessibility_walk.py <X window id>
"""

import subprocess
import sys
import time

import pyatspi

WINDOW = sys.argv[1]
INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST,
    pyatspi.ROLE_PROGRESS_BAR,
}
DAY_LIST = "Day of the week"
# The Tab walk, in order; the time picker takes one stop per field. Of each option group Tab stops at the selected option only.
TAB_ORDER = [
    "Turn On", "Enable This Close Feature", "Programs to close",
    "Add 'Program To Close' Item", "Browse To Exe", "Delete Selected Item",
    "Execute Close Now (Test)", "Clear List", "Load Sample/Example Items",
    "Soft close", "Close method help", "Load this software on Windows startup",
    "Every X:", "Hours", "Minutes", "Seconds", "Time of day", DAY_LIST,
    "Enable This Run Feature", "Programs to run", "Browse To Exe", "Execute Run Now (Test)",
    "Delete Selected Item", "Clear List", "Load Sample/Example Items", "History",
    "Copy History To Clipboard", "Clear History Log",
]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def key(*names):
    subprocess.run(["xdotool", "key", "--window", WINDOW, *names], check=True)
    time.sleep(0.25)


def app():
    for _ in range(100):
        for a in pyatspi.Registry.getDesktop(0):
            if a is not None and a.name == "tidewell":
                return a
        time.sleep(0.1)
    sys.exit("FAIL: no application tidewell in the AT-SPI tree")


def controls(node):
    """The showing controls under node, in tree order; not the rows inside the lists."""
    found = []
    for child in node:
        if child is None:
            continue
        if not child.getState().contains(pyatspi.STATE_SHOWING):
            continue
        if child.getRole() in INTERACTIVE:
            found.append(child)
            if child.getRole() in (pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
                                   pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST):
                continue
        found.extend(controls(child))
    return found


def focused(all_controls):
    hits = [c for c in all_controls if c.getState().contains(pyatspi.STATE_FOCUSED)]
    return hits[0] if hits else None


def spoken(control):
    return None if control is None else control.name


def chosen_day(day_list):
    """The day list's value: its chosen item, which it holds as its text."""
    return day_list.queryText().getText(0, -1)


def tab_to(name):
    """Tabs until the control named so has the focus, at most once round the window."""
    for _ in range(len(TAB_ORDER) + 2):
        if spoken(focused(found)) == name:
            return
        key("Tab")
    check(False, "Tab does not reach " + name)


def rows(table):
    return table.queryTable().nRows


tidewell = app()
found = controls(tidewell)
check(len(found) >= 30, "only %d controls in the tree" % len(found))
for c in found:
    check(c.name.strip() != "", "a %s without a name" % c.getRoleName())
    check(c.name != "Run / Close Schedule", "a %s named after its frame" % c.getRoleName())
by_name = {}
for c in found:
    by_name.setdefault(c.name, []).append(c)
for name in ("Programs to close", "Programs to run", "History"):
    check(name in by_name, "no list named " + name)
for name in ("Hours", "Minutes", "Seconds", "Time of day"):
    check(name in by_name, "no box named " + name)
day_lists = [c for c in found if c.getRole() == pyatspi.ROLE_COMBO_BOX]
check([c.name for c in day_lists] == [DAY_LIST], "drop-down lists named %r" %
      [c.name for c in day_lists])
check(day_lists and chosen_day(day_lists[0]) == "Monday", "the day list does not hold Monday")
bars = [c for c in found if c.getRole() == pyatspi.ROLE_PROGRESS_BAR]
check(bars and bars[0].name not in ("", "Off."), "the progress bar's name")
for caption, lists in (("Browse To Exe", ("close", "run")),
                       ("Delete Selected Item", ("close", "run")),
                       ("Clear List", ("close", "run")),
                       ("Load Sample/Example Items", ("close", "run"))):
    said = sorted(c.description for c in by_name.get(caption, []))
    check(len(said) == 2 and all(said) and said[0] != said[1],
          "%s: descriptions %r do not tell the lists apart" % (caption, said))

# The Tab walk from the first control round to it again.
walk = []
first = focused(found)
check(first is not None and first.name == "Turn On",
      "first focus on %r" % (first.name if first else None))
for _ in range(len(TAB_ORDER) + 2):
    now = spoken(focused(found))
    if not walk or walk[-1] != now:
        walk.append(now)
    key("Tab")
    if spoken(focused(found)) == "Turn On":
        break
check(walk == TAB_ORDER, "Tab walk %r" % walk)
now = focused(found)
check(now is not None and now.name == "Turn On", "Tab does not come round to Turn On")

# Down in the day list chooses the next day: it keeps its name and holds the new day.
tab_to(DAY_LIST)
key("Down")
now = focused(found)
check(now is not None and now.name == DAY_LIST and chosen_day(now) == "Tuesday",
      "after Down the day list says %r holding %r" %
      (now.name if now else None, chosen_day(now) if now else None))

# Arrows move within an option group: from Every X: to Daily:.
tab_to("Every X:")
key("Down")
now = focused(found)
check(now is not None and now.name == "Daily:", "Down from Every X: reached %r" %
      (now.name if now else None))
key("space")
check(now is not None and now.getState().contains(pyatspi.STATE_CHECKED),
      "Daily: not selected by the arrow")

# Delete on the selected first row of Programs to run removes that row alone.
run_list = by_name["Programs to run"][0]
check(rows(run_list) == 2, "the run list holds %d rows, not 2" % rows(run_list))
tab_to("Programs to run")
key("Home")
key("space")
key("Escape")
check(rows(run_list) == 2, "Escape changed the run list")
key("Delete")
check(rows(run_list) == 1, "Delete left %d rows" % rows(run_list))
remaining = run_list.queryTable().getAccessibleAt(0, 0)
check(remaining is not None and remaining.name == "/bin/second",
      "left row %r" % (remaining.name if remaining else None))

# Access keys.
switch = by_name["Turn On"][0]
key("alt+t")
check(switch.name == "Stop", "Alt+T left the switch saying %r" % switch.name)
key("alt+t")
check(switch.name == "Turn On", "Alt+T again left the switch saying %r" % switch.name)
key("alt+o")
now = focused(found)
check(now is not None and now.name == "Hours", "Alt+O focused %r" % spoken(now))
windows = tidewell.childCount
browsed = []
for _ in range(2):
    key("alt+b")
    now = focused(found)
    browsed.append((now.name, now.description) if now else None)
check([b[0] if b else None for b in browsed] == ["Browse To Exe"] * 2
      and browsed[0] != browsed[1], "Alt+B twice focused %r" % browsed)
check(tidewell.childCount == windows, "Alt+B opened a window")

sys.exit(1 if failures else 0)
