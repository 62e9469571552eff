"""The program's windows as the accessibility bus shows them: the
application found by its process, its windows, their controls and the
checks a screen reader user needs: every interactive control has a name,
no two push buttons of a window share one, tables name their columns.
"""

import pyatspi
from gi.repository import Gio, GLib

from atspisession import wait_for

# The roles a user works with: each needs a name that says what it does.
INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
    pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER,
    pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM, pyatspi.ROLE_RADIO_MENU_ITEM,
    pyatspi.ROLE_MENU, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE,
    pyatspi.ROLE_LIST, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TEXT,
    pyatspi.ROLE_DIAL,
}
# Whose children are items of data, not controls of their own.
ITEM_VIEWS = {pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_LIST,
              pyatspi.ROLE_TREE, pyatspi.ROLE_LIST_BOX}
WINDOWS = {pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW,
           pyatspi.ROLE_ALERT, pyatspi.ROLE_FILE_CHOOSER}


def pump():
    """Lets the bus library take in what the bus sent (new windows, events)."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def application(pid, seconds=60):
    """The application of process pid on the bus, or None."""
    def found():
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except GLib.Error:
                continue
        return None
    return wait_for(found, seconds, pump)


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def windows(app):
    """The application's windows on the screen."""
    result = []
    for i in range(app.childCount):
        child = app.getChildAtIndex(i)
        if child is not None and showing(child):
            result.append(child)
    return result


def window_named(app, name, seconds=30):
    """The application's window on the screen whose name is name."""
    return wait_for(lambda: next((w for w in windows(app) if w.name == name), None), seconds,
                    pump)


def interactive(accessible, parent):
    """Whether the user works with accessible: a control of its role, or
    anything that takes the keyboard. A combo box's drop-down list is part
    of the combo box, and plain text that cannot be changed is no control."""
    role = accessible.getRole()
    state = accessible.getState()
    if role in ITEM_VIEWS and parent.getRole() == pyatspi.ROLE_COMBO_BOX:
        return False
    if role == pyatspi.ROLE_TEXT:
        return state.contains(pyatspi.STATE_EDITABLE)
    return role in INTERACTIVE or state.contains(pyatspi.STATE_FOCUSABLE)


def controls(root):
    """The interactive controls under root, in the tree's order; the items
    of lists and tables are their data and not walked."""
    found = []
    for i in range(root.childCount):
        child = root.getChildAtIndex(i)
        if child is None:
            continue
        if interactive(child, root):
            found.append(child)
        if child.getRole() not in ITEM_VIEWS:
            found.extend(controls(child))
    return found


def control_named(root, name, roles=None, seconds=30):
    """The control under root named name (of one of roles), waited for."""
    def find():
        for control in controls(root):
            if control.name == name and (roles is None or control.getRole() in roles):
                return control
        return None
    return wait_for(find, seconds, pump)


def column_headers(table):
    """The names of a table's columns as the bus gives them."""
    try:
        table_interface = table.queryTable()
    except NotImplementedError:
        return []
    headers = []
    for column in range(table_interface.nColumns):
        header = table_interface.getColumnHeader(column)
        text = header.name if header is not None else ""
        headers.append(text or table_interface.getColumnDescription(column) or "")
    return headers


def describe(control):
    return "%s %r" % (control.getRoleName(), control.name)


def check_window(window):
    """What is wrong in window for a screen reader user, and its controls."""
    problems = []
    if not window.name:
        problems.append("the window has no name")
    found = controls(window)
    buttons = {}
    for control in found:
        role = control.getRole()
        if not control.name:
            path = []
            parent = control.parent
            while parent is not None and parent != window:
                if parent.name:
                    path.append(parent.name)
                parent = parent.parent
            problems.append("unnamed %s (in %s)" % (control.getRoleName(),
                                                    " / ".join(reversed(path)) or "the window"))
        if role == pyatspi.ROLE_PUSH_BUTTON and control.name:
            buttons[control.name] = buttons.get(control.name, 0) + 1
        if role in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE_TABLE):
            headers = column_headers(control)
            if len(headers) > 1 and not all(headers):
                problems.append("%s without column headers: %s" % (describe(control), headers))
    for name, count in sorted(buttons.items()):
        if count > 1:
            problems.append("%d push buttons named %r" % (count, name))
    return found, problems


def action_index(control):
    """The index of the control's action that presses it (press, toggle)."""
    action = control.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("press", "toggle", "click", "Press", "Toggle"):
        if wanted in names:
            return names.index(wanted)
    return 0


def press(control):
    """Presses the control through the bus and returns at once.

    The program answers the bus only after the click's handler: a button
    that opens a modal dialog would hold a waiting call until the dialog
    closes, so the call goes out without waiting for its answer."""
    index = action_index(control)
    _a11y_bus().call(control.app.bus_name, control.path, "org.a11y.atspi.Action", "DoAction",
                     GLib.Variant("(i)", (index,)), None, Gio.DBusCallFlags.NO_AUTO_START, -1,
                     None, None)
    pump()


_bus = []


def _a11y_bus():
    if not _bus:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                    None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1,
                                    None).unpack()[0]
        _bus.append(Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
            Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None))
    return _bus[0]
