#!/usr/bin/python3
"""Every window of the program through the accessibility bus, as a screen
reader sees it, on an X server of its own (see atspisession.py).

  walk_tree.py --zanpel PATH --shots PATH [--keep-going] [WINDOW...]

The real bar is started on a data folder of its own and used through the
bus: its items pressed by name, its tool bar's buttons and its edit
buttons pressed by name to open the settings dialog and the memo dialog.
The other windows are shown one at a time by the screenshot tool
(zanpel-screenshots --hold NAME) on its sample data. For each window it
prints the number of interactive controls and what is wrong; it fails on a
control without a name, on two push buttons of one window with the same
name, on a table without column headers, on a running item not reported as
checked and on a time display that tells the bus of every second.
With --keep-going it prints everything and ends with 0.
"""

import argparse
import os
import subprocess
import sys
import time

from atspisession import SKIPPED, Desktop, run_on_private_bus, wait_for

run_on_private_bus()

try:
    import pyatspi
except ImportError:
    print("python3-pyatspi is not installed", file=sys.stderr)
    sys.exit(SKIPPED)

import accessibletree as tree  # noqa: E402  (needs pyatspi)

# The windows the screenshot tool shows, by its names.
SHOTS = [
    "settings-general", "settings-work-items", "record-editor", "work-registration",
    "memo-dialog", "summary-window", "summary-chart", "work-report", "about-box",
    "switch-history", "away-dialog", "question-box", "gnome-extension-notice",
]
# The range grid's text as the sample settings give it (rest 12:00 to 13:00).
SAMPLE_REST = "12:00-13:00"
RANGE_GRID = "休憩時間の範囲"


class Walk:
    def __init__(self, desktop, keep_going, verbose):
        self.desktop = desktop
        self.keep_going = keep_going
        self.verbose = verbose
        self.failures = 0

    def report(self, label, window, problems=None):
        found, found_problems = tree.check_window(window)
        problems = found_problems + (problems or [])
        print("%s: window %r, %d controls, %d problems" % (label, window.name, len(found),
                                                         len(problems)))
        for problem in problems:
            print("    " + problem)
        if self.verbose:
            for control in found:
                headers = tree.column_headers(control) \
                    if control.getRole() in tree.ITEM_VIEWS else []
                print("      %s (%s)%s" % (tree.describe(control), control.description,
                                           " columns %s" % headers if headers else ""))
        self.failures += len(problems)

    def fail(self, label, text):
        print("%s: %s" % (label, text))
        self.failures += 1

    def shot(self, shots, name):
        """The window that the screenshot tool shows as name."""
        process = self.desktop.spawn([shots, "--hold", name], env=self.desktop.env(),
                                     stdout=subprocess.PIPE)
        try:
            line = process.stdout.readline().decode().strip()
            if line != "shown " + name:
                self.fail(name, "the screenshot tool did not show it (%r)" % line)
                return
            app = tree.application(process.pid)
            if app is None:
                self.fail(name, "not on the accessibility bus")
                return
            shown = wait_for(lambda: tree.windows(app), 30, tree.pump)
            for window in shown:
                extra = []
                if name == "settings-general":
                    extra = range_grid_problems(window)
                self.report(name, window, extra)
        finally:
            Desktop.stop(process)


def range_grid_problems(window):
    """The range grid tells its selected range as text, as its label does."""
    grid = tree.control_named(window, RANGE_GRID, None, 10)
    if grid is None:
        return ["no range grid %r" % RANGE_GRID]
    if grid.description != SAMPLE_REST:
        return ["the range grid tells %r, not %r" % (grid.description, SAMPLE_REST)]
    return []


def write_bar_data(folder):
    def cp932(text):
        return text.encode("cp932")
    with open(os.path.join(folder, "zanpel.wk2"), "wb") as f:
        f.write(cp932("@設計,,\r\n@会議,,\r\n@休憩,,\r\n"))
    with open(os.path.join(folder, "zanpel.ini"), "wb") as f:
        f.write(b"AUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\n")
    with open(os.path.join(folder, "now"), "w") as f:
        f.write("2005-03-01 09:00:00 set\n")


def count_changes(app, seconds):
    """The name, description and text changes the application tells the
    bus of within seconds."""
    seen = []

    def listener(event):
        try:
            if event.source is not None and event.source.get_process_id() == \
                    app.get_process_id():
                seen.append("%s %s" % (event.type, event.source.name))
        except Exception:  # a source gone meanwhile
            pass
    kinds = ["object:property-change:accessible-name",
             "object:property-change:accessible-description", "object:text-changed"]
    pyatspi.Registry.registerEventListener(listener, *kinds)
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        tree.pump()
        time.sleep(0.05)
    pyatspi.Registry.deregisterEventListener(listener, *kinds)
    return seen


def walk_bar(walk, zanpel):
    desktop = walk.desktop
    data = desktop.path("bar-data")
    write_bar_data(data)
    env = desktop.env({"ZANPEL_DATA_DIR": data, "ZANPEL_TRACE": os.path.join(data, "trace"),
                       "ZANPEL_TEST_CLOCK_FILE": os.path.join(data, "now")})
    bar = desktop.spawn([zanpel], env=env)
    try:
        app = tree.application(bar.pid)
        if app is None:
            walk.fail("bar", "the bar is not on the accessibility bus")
            return
        if app.name != "Zanpel":
            walk.fail("bar", "the application is named %r" % app.name)
        window = wait_for(lambda: tree.windows(app), 30, tree.pump)[0]
        problems = []
        item = tree.control_named(window, "設計", {pyatspi.ROLE_CHECK_BOX,
                                                  pyatspi.ROLE_TOGGLE_BUTTON})
        if item is None:
            problems.append("no check box 設計")
        else:
            tree.press(item)
            if not wait_for(lambda: item.getState().contains(pyatspi.STATE_CHECKED), 10,
                            tree.pump):
                problems.append("設計 pressed through the bus is not checked")
            # Its edit button comes on once the item has started.
            edit = tree.control_named(window, "設計を編集", {pyatspi.ROLE_PUSH_BUTTON}, 10)
            if edit is None or not wait_for(
                    lambda: edit.getState().contains(pyatspi.STATE_ENABLED), 10, tree.pump):
                problems.append("設計 pressed through the bus did not start")
            wait_for(lambda: False, 1.5, tree.pump)  # its time runs
            changes = count_changes(app, 3.5)
            print("bar: %d changes told in 3.5 s while 設計 ran" % len(changes))
            if len(changes) > 1:
                problems.append("%d changes told in 3.5 s while 設計 ran: %s"
                                % (len(changes), changes[:4]))
        walk.report("bar", window, problems)
        open_from_bar(walk, app, window, "設定(S)", "オプション設定", "取消し(C)")
        open_from_bar(walk, app, window, "設計を編集", "【設計】のメモ編集", "取消")
    finally:
        Desktop.stop(bar)


def open_from_bar(walk, app, bar, button, title, close):
    """Presses the bar's button by name, walks the window titled title that
    it opens and closes it with its button close."""
    label = "bar > " + button
    control = tree.control_named(bar, button, {pyatspi.ROLE_PUSH_BUTTON}, 10)
    if control is None:
        walk.fail(label, "no push button %r on the bar" % button)
        return
    tree.press(control)
    window = tree.window_named(app, title)
    if window is None:
        walk.fail(label, "no window %r" % title)
        return
    walk.report(label, window)
    closing = tree.control_named(window, close, {pyatspi.ROLE_PUSH_BUTTON}, 10)
    if closing is not None:
        tree.press(closing)
    if not wait_for(lambda: tree.window_named(app, title, 0) is None, 20, tree.pump):
        walk.fail(label, "%r stayed open" % title)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zanpel", required=True)
    parser.add_argument("--shots", required=True)
    parser.add_argument("--keep-going", action="store_true")
    parser.add_argument("--verbose", action="store_true", help="list every control")
    parser.add_argument("windows", nargs="*", help="bar and the screenshot tool's names")
    args = parser.parse_args()
    desktop = Desktop()
    try:
        if not desktop.start():
            print("Xvfb, openbox, dbus-send or at-spi2-core is not installed", file=sys.stderr)
            return SKIPPED
        walk = Walk(desktop, args.keep_going, args.verbose)
        wanted = args.windows or ["bar"] + SHOTS
        if "bar" in wanted:
            walk_bar(walk, args.zanpel)
        for name in wanted:
            if name != "bar":
                walk.shot(args.shots, name)
        print("%d problems" % walk.failures)
        return 0 if walk.failures == 0 or args.keep_going else 1
    finally:
        desktop.close()


if __name__ == "__main__":
    sys.exit(main())
