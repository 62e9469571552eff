// The tests' hand on a GNOME Shell of their own: a window brought to the
// front by its title, as a user's click would.
'use strict';

const { Clutter, Gio, GLib } = imports.gi;
const Main = imports.ui.main;

const INTERFACE = `
<node>
  <interface name="org.example.zanpel.Test">
    <method name="Activate">
      <arg type="s" direction="in" name="title"/>
      <arg type="b" direction="out" name="found"/>
    </method>
    <method name="Ready">
      <arg type="b" direction="out" name="ready"/>
    </method>
    <method name="Windows">
      <arg type="s" direction="out" name="list"/>
    </method>
    <method name="MovePointer">
      <arg type="i" direction="in" name="x"/>
      <arg type="i" direction="in" name="y"/>
    </method>
  </interface>
</node>`;

class TestHand {
    enable() {
        this._exported = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._exported.export(Gio.DBus.session, '/org/example/zanpel/Test');
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session,
            'org.example.zanpel.Test', Gio.BusNameOwnerFlags.NONE, null, null);
        // The shell starts in its overview, where windows get no pointer
        // events; a user's session leaves it at the first click.
        this._startupId = Main.layoutManager.connect('startup-complete', () => Main.overview.hide());
    }

    // Started, and out of the overview.
    Ready() {
        if (Main.layoutManager._startingUp)
            return false;
        Main.overview.hide();
        return !Main.overview.visible;
    }

    disable() {
        this._pointer = null;
        Main.layoutManager.disconnect(this._startupId);
        Gio.bus_unown_name(this._nameId);
        this._exported.unexport();
    }

    Activate(title) {
        const actor = global.get_window_actors().find(a => a.meta_window.get_title() === title);
        if (!actor)
            return false;
        Main.activateWindow(actor.meta_window);
        return true;
    }

    // One line per window: its frame "x y width height", above or not, on all
    // workspaces or not, its class and its title.
    Windows() {
        return global.get_window_actors().map(a => {
            const w = a.meta_window;
            const r = w.get_frame_rect();
            return `${r.x} ${r.y} ${r.width} ${r.height} above=${w.is_above()} ` +
                `sticky=${w.is_on_all_workspaces()} class=${w.get_wm_class()} ${w.get_title()}`;
        }).join('\n');
    }

    // The mouse to x, y of the screen, as a pointer device would move it.
    MovePointer(x, y) {
        if (!this._pointer) {
            const seat = Clutter.get_default_backend().get_default_seat();
            this._pointer = seat.create_virtual_device(Clutter.InputDeviceType.POINTER_DEVICE);
        }
        this._pointer.notify_absolute_motion(GLib.get_monotonic_time(), x, y);
    }
}

function init() {
    return new TestHand();
}
