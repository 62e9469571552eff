// The tests' hand on a GNOME Shell of their own: a window brought to the
// front by its title, as a user's click would.
'use strict';

const { Gio } = imports.gi;
const Main = imports.ui.main;

const INTERFACE = `
<node>
  <interface name="org.example.zanpel.Test">
    <method name="Activate">
      <arg type="s" direction="in" name="title"/>
      <arg type="b" direction="out" name="found"/>
    </method>
    <method name="Windows">
      <arg type="s" direction="out" name="list"/>
    </method>
  </interface>
</node>`;

class TestHand {
    enable() {
        this._exported = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._exported.export(Gio.DBus.session, '/org/example/zanpel/Test');
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session,
            'org.example.zanpel.Test', Gio.BusNameOwnerFlags.NONE, null, null);
    }

    disable() {
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
    // workspaces or not, and its title.
    Windows() {
        return global.get_window_actors().map(a => {
            const w = a.meta_window;
            const r = w.get_frame_rect();
            return `${r.x} ${r.y} ${r.width} ${r.height} above=${w.is_above()} ` +
                `sticky=${w.is_on_all_workspaces()} ${w.get_title()}`;
        }).join('\n');
    }
}

function init() {
    return new TestHand();
}
