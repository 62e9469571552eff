// Tells the Zanpel bar which window has the focus. GNOME Shell shows no
// program the windows of others, so the bar cannot see them itself: this
// extension owns a name on the session bus and signals each change of the
// focused window and of its title there.
'use strict';

const { Gio, GLib, Meta, Shell } = imports.gi;

const BUS_NAME = 'org.example.zanpel.Foreground';
const OBJECT_PATH = '/org/example/zanpel/Foreground';
const INTERFACE = `
<node>
  <interface name="org.example.zanpel.Foreground">
    <method name="Focused">
      <arg type="s" direction="out" name="wm_class"/>
      <arg type="s" direction="out" name="app_id"/>
      <arg type="s" direction="out" name="title"/>
      <arg type="u" direction="out" name="pid"/>
      <arg type="b" direction="out" name="x11"/>
    </method>
    <signal name="FocusChanged">
      <arg type="s" name="wm_class"/>
      <arg type="s" name="app_id"/>
      <arg type="s" name="title"/>
      <arg type="u" name="pid"/>
      <arg type="b" name="x11"/>
    </signal>
  </interface>
</node>`;

class ForegroundReporter {
    enable() {
        this._exported = Gio.DBusExportedObject.wrapJSObject(INTERFACE, this);
        this._exported.export(Gio.DBus.session, OBJECT_PATH);
        this._nameId = Gio.bus_own_name_on_connection(Gio.DBus.session, BUS_NAME,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._window = null;
        this._titleId = 0;
        this._focusId = global.display.connect('notify::focus-window', () => this._follow());
        this._follow();
    }

    disable() {
        global.display.disconnect(this._focusId);
        this._unfollow();
        Gio.bus_unown_name(this._nameId);
        this._exported.unexport();
        this._exported = null;
    }

    // The D-Bus method: the focused window now.
    Focused() {
        return this._describe();
    }

    _follow() {
        this._unfollow();
        this._window = global.display.focus_window;
        if (this._window)
            this._titleId = this._window.connect('notify::title', () => this._report());
        this._report();
    }

    _unfollow() {
        if (this._window && this._titleId)
            this._window.disconnect(this._titleId);
        this._window = null;
        this._titleId = 0;
    }

    _describe() {
        const window = this._window;
        if (!window)
            return ['', '', '', 0, false];
        const app = Shell.WindowTracker.get_default().get_window_app(window);
        const pid = window.get_pid();
        // A window of no known application gets a made-up id ("window:3").
        const appId = app && !app.is_window_backed() ? app.get_id() || '' : '';
        return [window.get_wm_class() || '', appId,
            window.get_title() || '', pid > 0 ? pid : 0,
            window.get_client_type() === Meta.WindowClientType.X11];
    }

    _report() {
        this._exported.emit_signal('FocusChanged',
            new GLib.Variant('(sssub)', this._describe()));
    }
}

function init() {
    return new ForegroundReporter();
}
