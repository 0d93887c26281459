#!/usr/bin/env python3
"""Drives the program on a Wayland compositor over AT-SPI, which needs no display of its own, and
then reads what it asked of the compositor, from the protocol log that libwayland writes for it
(WAYLAND_DEBUG=1, in WAYLAND_LOG):

- every window (xdg_toplevel) has the application id of the desktop entry;
- the notice box's toplevel has the main window's toplevel as its parent, so that the
  compositor keeps it over that window;
- the main window, a category window of each placement kind and the box have a fixed size
  (minimum size = maximum size = their client size), so that a compositor that draws the title
  bars offers no maximise button, and where the compositor offers to draw them (xdg-decoration)
  it does.

The catalog's lines are in E2E_CATALOG_FILE; every wait lasts at most E2E_TIMEOUT seconds."""
import collections
import os
import re

from atspi_reader import controls_of, fail, find, press, read_catalog, step, top_level, wait_for

APP_ID = "org.vestora.Vestora"
REQUEST = re.compile(r"^\[\s*[\d.]+\]\s+-> (\w+)@(\d+)\.(\w+)\((.*)\)$")
EVENT = re.compile(r"^\[\s*[\d.]+\]\s+(\w+)@(\d+)\.(\w+)\((.*)\)$")


def button_name(catalog, button):
    return next(c.accessible for c in controls_of(catalog, "Form1") if c.name == button)


def drive(catalog):
    main_title = catalog["main"][0][0]
    main = wait_for("the main window over AT-SPI", lambda: top_level(main_title))
    notice_button, notice_title = catalog["notice"][0]

    step("the notice box, dismissed with its button")
    press(find(main, "button", button_name(catalog, notice_button)))
    box = wait_for("the notice box", lambda: top_level(notice_title, ("alert",)))
    press(find(box, "button", "确定"))
    wait_for("the notice box to go", lambda: top_level(notice_title, ("alert",)) is None)

    windows = {w[0]: w for w in catalog["window"]}
    for form in ("Form3", "Form4"):  # one placed by hand, one by the compositor
        step("%s opens (%s placement)" % (form, windows[form][4]))
        press(find(main, "button", button_name(catalog, windows[form][1])))
        wait_for(form, lambda: top_level(windows[form][7]))
    return windows


def toplevels(log_path):
    """Every toplevel the program made, in order, with its requests: name -> list of arguments."""
    made, current, decorations, globals_offered = [], {}, {}, set()
    with open(log_path, encoding="utf-8", errors="replace") as log:
        for line in log:
            line = line.rstrip("\n")
            request = REQUEST.match(line)
            if request is None:
                event = EVENT.match(line)
                if event and event.group(1) == "wl_registry" and event.group(3) == "global":
                    globals_offered.add(event.group(4).split(", ")[1].strip('"'))
                elif event and event.group(2) in decorations and event.group(3) == "configure":
                    decorations[event.group(2)]["requests"]["decoration_mode"].append(event.group(4))
                continue
            interface, number, name, arguments = request.groups()
            created = re.search(r"new id xdg_toplevel@(\d+)", arguments)
            if created:
                toplevel = {"id": created.group(1), "requests": collections.defaultdict(list)}
                made.append(toplevel)
                current[created.group(1)] = toplevel
            elif interface == "xdg_toplevel" and number in current:
                current[number]["requests"][name].append(arguments)
            elif name == "get_toplevel_decoration":
                decoration = re.search(r"new id \w+@(\d+), xdg_toplevel@(\d+)", arguments)
                if decoration and decoration.group(2) in current:
                    decorations[decoration.group(1)] = current[decoration.group(2)]
            elif interface == "zxdg_toplevel_decoration_v1" and number in decorations:
                decorations[number]["requests"]["decoration_" + name].append(arguments)
    return made, globals_offered


def check_log(catalog, windows):
    made, offered = toplevels(os.environ["WAYLAND_LOG"])
    if not made:
        fail("the program made no Wayland window (not on Wayland natively?)")
    titled = {}
    for toplevel in made:
        title = toplevel["requests"]["set_title"][-1].strip('"') if toplevel["requests"]["set_title"] else ""
        titled.setdefault(title, toplevel)
        requests = toplevel["requests"]
        step("window '%s' (xdg_toplevel@%s): sizes %s to %s, parent %s, title bar %s"
             % (title, toplevel["id"], requests["set_min_size"][-1:], requests["set_max_size"][-1:],
                requests["set_parent"][-1:] or "none",
                "by the compositor" if requests["decoration_mode"][-1:] == ["2"] else "by the program"))
        app_ids = toplevel["requests"]["set_app_id"]
        if app_ids != ['"%s"' % APP_ID]:
            fail("'%s' has the application ids %s, not %s" % (title, app_ids, APP_ID))
        # Where the compositor offers to draw the title bars, it draws them (mode 2, server side):
        # the program leaves the choice to it or asks for it, and never insists on its own.
        if "zxdg_decoration_manager_v1" in offered and (
                requests["decoration_mode"][-1:] != ["2"] or "1" in requests["decoration_set_mode"]):
            fail("'%s' does not leave its title bar to the compositor: asked %s, given %s"
                 % (title, requests["decoration_set_mode"], requests["decoration_mode"]))

    main_title, width, height = catalog["main"][0]
    notice_title = catalog["notice"][0][1]
    fixed = {main_title: (width, height), notice_title: None}
    for form in ("Form3", "Form4"):
        fixed[windows[form][7]] = (windows[form][2], windows[form][3])
    for title, size in fixed.items():
        if title not in titled:
            fail("no window titled '%s' among %s" % (title, list(titled)))
        requests = titled[title]["requests"]
        smallest, largest = requests["set_min_size"][-1:], requests["set_max_size"][-1:]
        if not smallest or smallest != largest or smallest == ["0, 0"]:
            fail("'%s' is not of fixed size: minimum %s, maximum %s" % (title, smallest, largest))
        if size and smallest != ["%s, %s" % size]:
            fail("'%s' is fixed at %s, not %sx%s" % (title, smallest, *size))

    step("the notice box's parent is the main window")
    parents = titled[notice_title]["requests"]["set_parent"]
    if parents[-1:] != ["xdg_toplevel@" + titled[main_title]["id"]]:
        fail("the notice box's parent is %s, not the main window xdg_toplevel@%s"
             % (parents or "none", titled[main_title]["id"]))


def main():
    catalog = read_catalog()
    windows = drive(catalog)
    check_log(catalog, windows)


if __name__ == "__main__":
    main()
