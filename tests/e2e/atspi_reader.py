#!/usr/bin/env python3
"""Reads the running program as a Linux screen reader does, over AT-SPI, and checks it against
the catalog (the lines of vestora-e2e-catalog, in E2E_CATALOG_FILE).

  atspi_reader.py tree    roles and names, no role word in a name, no descriptions; presses
                          through the Action interface; the focus events of Tab and Shift+Tab;
                          a blinking slogan that sends no event a reader would speak
  atspi_reader.py still   the slogan holds still while the stand-in portal says animations are
                          off, and blinks once it announces they are on (PORTAL_PID)

Every wait polls until what should happen happened, up to E2E_TIMEOUT seconds."""
import collections
import os
import signal
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TIMEOUT = float(os.environ.get("E2E_TIMEOUT", "30"))
# Roles as numbers: the bindings hand out two kinds of objects for them.
ROLES = {
    "frame": {int(pyatspi.ROLE_FRAME)},
    "grouping": {int(pyatspi.ROLE_PANEL), int(pyatspi.ROLE_GROUPING)},
    "label": {int(pyatspi.ROLE_LABEL)},
    "picture": {int(pyatspi.ROLE_IMAGE)},
    "button": {int(pyatspi.ROLE_PUSH_BUTTON)},
    "alert": {int(pyatspi.ROLE_ALERT), int(pyatspi.ROLE_DIALOG)},
}
KIND_ROLES = {"frame": "grouping", "label": "label", "picture": "picture", "button": "button"}


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def step(message):
    print("-- " + message, flush=True)


def pump(seconds=0.0):
    """Dispatches the events that arrived, for at least the given time."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if time.monotonic() >= end:
            return
        time.sleep(0.02)


def wait_for(what, condition):
    deadline = time.monotonic() + TIMEOUT
    while True:
        pump()
        try:
            result = condition()
        except Exception:  # the tree changes under the reader: ask again
            result = None
        if result:
            return result
        if time.monotonic() >= deadline:
            fail("timed out waiting for " + what)
        time.sleep(0.05)


# --- The catalog ---------------------------------------------------------------------------

Control = collections.namedtuple("Control", "window name kind focus accessible")


def read_catalog():
    lines = collections.defaultdict(list)
    with open(os.environ["E2E_CATALOG_FILE"], encoding="utf-8") as catalog:
        for line in catalog:
            fields = line.rstrip("\n").split("\t")
            lines[fields[0]].append(fields[1:])
    return lines


def controls_of(catalog, window):
    return [Control(*f[0:3], int(f[3]), f[4]) for f in catalog["control"] if f[0] == window]


def focus_order(controls):
    return [c.accessible for c in sorted((c for c in controls if c.kind in ("picture", "button")),
                                         key=lambda c: c.focus)]


# --- The tree ------------------------------------------------------------------------------

def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "vestora":
            return app
    return None


def top_level(title, roles=("frame",)):
    """The program's top-level object with that name and one of the roles, or None."""
    app = application()
    if app is None:
        return None
    wanted = set().union(*(ROLES[r] for r in roles))
    for child in app:
        if child is not None and child.name == title and int(child.getRole()) in wanted:
            return child
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def describe(node):
    return "%s '%s'" % (node.getRoleName(), node.name)


def check_window(frame, controls):
    """Each control is in the window's tree once, with its role and name. None has a
    description: a reader would say it after the name at every control."""
    nodes = [(n, int(n.getRole()), n.name) for n in descendants(frame)]
    seen = collections.Counter((role, name) for (_, role, name) in nodes)
    for control in controls:
        roles = ROLES[KIND_ROLES[control.kind]]
        found = [(n, role) for (n, role, name) in nodes if name == control.accessible]
        matching = [n for (n, role) in found if role in roles]
        if len(matching) != 1:
            fail("%s.%s: want one %s named '%s', found %s" % (
                control.window, control.name, KIND_ROLES[control.kind], control.accessible,
                [describe(n) for (n, _) in found]))
        node = matching[0]
        if node.description:
            fail("%s.%s: described as '%s'" % (control.window, control.name, node.description))
    # Every object a reader meets is a control of the catalog's, or the window itself.
    known = {(r, c.accessible) for c in controls for r in ROLES[KIND_ROLES[c.kind]]}
    extra = [key for key in seen if key not in known]
    if extra:
        fail("objects the window does not describe: %s" % extra)


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail("%s has no Press action, only %s" % (describe(node), names))
    action.doAction(names.index("Press"))


def find(frame, role, name):
    for node in descendants(frame):
        if int(node.getRole()) in ROLES[role] and node.name == name:
            return node
    fail("no %s named '%s' in %s" % (role, name, describe(frame)))


# --- Events --------------------------------------------------------------------------------

class Events:
    """Every event of the listed kinds, as (type, role, name, detail1)."""

    KINDS = ("object:state-changed:focused", "object:state-changed:showing",
             "object:property-change:accessible-name", "object:property-change:accessible-description",
             "object:text-changed", "object:announcement", "focus:")

    def __init__(self):
        self.seen = []
        pyatspi.Registry.registerEventListener(self.note, *self.KINDS)

    def note(self, event):
        try:
            self.seen.append((event.type, int(event.source.getRole()), event.source.name,
                              event.detail1))
        except Exception:
            pass

    def focused(self):
        return [name for (kind, _, name, detail) in self.seen
                if kind == "object:state-changed:focused" and detail == 1]

    def of(self, role, name):
        return [e for e in self.seen if e[1] in ROLES[role] and e[2] == name]


def slogan_showing_changes(events, slogan):
    return [e for e in events.of("label", slogan) if e[0] == "object:state-changed:showing"]


# --- Keys ----------------------------------------------------------------------------------

def x_window(title):
    """The X id of the shown window with exactly that title."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                         capture_output=True, text=True).stdout.split()
    for wid in ids:
        name = subprocess.run(["xdotool", "getwindowname", wid], capture_output=True,
                              text=True).stdout.rstrip("\n")
        if name == title:
            return wid
    return None


def key(window_id, name):
    subprocess.run(["xdotool", "windowfocus", window_id, "key", name], check=True)


def current_focus(frame):
    for node in descendants(frame):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node.name
    return None


def check_tab_walk(events, frame, title, order):
    """Tab walks the order once round, each step a focus event; Shift+Tab goes back one."""
    window_id = wait_for("the X window '%s'" % title, lambda: x_window(title))
    key(window_id, "ctrl")  # gives the window the keyboard focus, changes nothing
    wait_for("the focus on '%s' in '%s'" % (order[0], title),
             lambda: current_focus(frame) == order[0])
    start = len(events.focused())
    expected = order[1:] + order[:1] + order[-1:]
    for i, name in enumerate(expected):
        key(window_id, "shift+Tab" if i == len(expected) - 1 else "Tab")
        wait_for("focus event %d (%s)" % (i + 1, name),
                 lambda: events.focused()[start:][-1:] == [name])
    # The window's own focus event may come late; a reader hears each move once.
    walked = []
    for name in events.focused()[start:]:
        if (walked[-1:] or [order[0]]) != [name]:
            walked.append(name)
    if walked != expected:
        fail("focus events in '%s':\n  got      %s\n  expected %s" % (title, walked, expected))


# --- The runs ------------------------------------------------------------------------------

def windows_per_kind_of_cell(catalog):
    """Few windows that hold every kind of cell between them: what the button starts, how."""
    launches = {(f[0], f[1]): f for f in catalog["launch"]}
    kinds = {}
    for (window, *_) in catalog["window"]:
        for (_, button, _, _, _) in (f for f in catalog["cell"] if f[0] == window):
            launch = launches.get((window, button))
            program = launch[3].split(" ")[0].split("\\")[-1].lower() if launch else "-"
            kinds.setdefault(window, set()).add((program, launch[2] if launch else "-"))
    chosen, covered = [], set()
    for window in sorted(kinds, key=lambda w: -len(kinds[w])):
        if kinds[window] - covered:
            chosen.append(window)
            covered |= kinds[window]
    return chosen


def run_tree(catalog):
    events = Events()
    main_title = catalog["main"][0][0]
    step("the main window is a frame named '%s'" % main_title)
    main = wait_for("the main window over AT-SPI", lambda: top_level(main_title))
    main_controls = controls_of(catalog, "Form1")
    check_window(main, main_controls)
    slogan = next(c for c in main_controls if c.name == "Label2").accessible

    step("the slogan blinks without a word a reader would speak")
    wait_for("the slogan to blink", lambda: len(slogan_showing_changes(events, slogan)) >= 4)
    spoken = [e for e in events.of("label", slogan) if e[0] != "object:state-changed:showing"]
    if spoken:
        fail("the blinking slogan sent %s" % spoken)

    step("Tab and Shift+Tab walk the main window's focus order")
    check_tab_walk(events, main, main_title, focus_order(main_controls))

    windows = {f[0]: f for f in catalog["window"]}
    buttons = {c.name: c.accessible for c in main_controls}
    record = os.environ["E2E_RECORD"]
    for number, form in enumerate(windows_per_kind_of_cell(catalog)):
        caption = windows[form][7]
        step("Press on '%s' opens '%s'" % (buttons[windows[form][1]], caption))
        press(find(main, "button", buttons[windows[form][1]]))
        frame = wait_for("the window '%s'" % caption, lambda: top_level(caption))
        controls = controls_of(catalog, form)
        check_window(frame, controls)
        if number == 0:
            step("Tab and Shift+Tab walk the focus order of '%s'" % caption)
            check_tab_walk(events, frame, caption, focus_order(controls))
            cells = {c[1]: c[4] for c in catalog["cell"] if c[0] == form}
            linked = next(c for c in controls if c.kind == "button" and cells[c.name] != "-")
            step("Press on '%s' opens its address" % linked.accessible)
            press(find(frame, "button", linked.accessible))
            wait_for("xdg-open's call", lambda: open(record).read() == "1 <%s>\n" %
                     cells[linked.name])

            step("without xdg-open the failure box is an alert with its text")
            os.remove(os.environ["E2E_OPENER"])
            press(find(frame, "button", linked.accessible))
            alert = wait_for("the failure box", lambda: top_level("Vestora", ("alert",)))
            text = " ".join(n.name for n in descendants(alert)
                            if int(n.getRole()) in ROLES["label"])
            if "启动浏览器" not in text or "xdg-open" not in text:
                fail("the failure box reads '%s'" % text)
            press(find(alert, "button", "确定"))
            wait_for("the failure box to go", lambda: top_level("Vestora", ("alert",)) is None)

    notice_button, notice_title = catalog["notice"][0]
    step("the notice box is an alert named '%s' with its text" % notice_title)
    press(find(main, "button", buttons[notice_button]))
    alert = wait_for("the notice box", lambda: top_level(notice_title, ("alert",)))
    labels = [n.name for n in descendants(alert) if int(n.getRole()) in ROLES["label"]]
    if labels != [catalog["notice-text"][0][0]]:
        fail("the notice box reads %s" % labels)
    press(find(alert, "button", "确定"))
    wait_for("the notice box to go", lambda: top_level(notice_title, ("alert",)) is None)


def run_still(catalog):
    events = Events()
    main_title = catalog["main"][0][0]
    main = wait_for("the main window over AT-SPI", lambda: top_level(main_title))
    slogan_text = next(c for c in controls_of(catalog, "Form1") if c.name == "Label2").accessible
    slogan = find(main, "label", slogan_text)

    step("animations off: the slogan is shown and holds still")
    # Eight ticks of the blinking timer, the slogan's state read every twentieth of a second: a
    # slogan that blinks is hidden for a whole tick each time.
    end = time.monotonic() + 2.0
    while time.monotonic() < end:
        pump(0.05)
        if not slogan.getState().contains(pyatspi.STATE_SHOWING):
            fail("the slogan was hidden")
    if slogan_showing_changes(events, slogan_text):
        fail("the slogan blinked: %s" % slogan_showing_changes(events, slogan_text))

    step("animations back on: the slogan blinks again")
    os.kill(int(os.environ["PORTAL_PID"]), signal.SIGUSR1)
    wait_for("the slogan to blink", lambda: len(slogan_showing_changes(events, slogan_text)) >= 2)


def main():
    catalog = read_catalog()
    {"tree": run_tree, "still": run_still}[sys.argv[1]](catalog)


if __name__ == "__main__":
    main()
