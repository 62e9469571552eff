// The X server queries of the foreground source (an implementation header of
// the X11 source only): atoms, the active or focused window, and what a
// window says about its process and title.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zanpel::x11 {

struct TAtoms {
    xcb_atom_t NetActiveWindow = XCB_NONE;
    xcb_atom_t NetSupported = XCB_NONE;
    xcb_atom_t NetSupportingWmCheck = XCB_NONE;
    xcb_atom_t NetWmName = XCB_NONE;
    xcb_atom_t NetWmPid = XCB_NONE;
    xcb_atom_t Utf8String = XCB_NONE;
    xcb_atom_t CompoundText = XCB_NONE;
    xcb_atom_t WmState = XCB_NONE;
};

TAtoms InternAtoms(xcb_connection_t* c);

// A property's type, format and bytes.
struct TProperty {
    xcb_atom_t Type = XCB_NONE;
    uint8_t Format = 0;
    std::string Bytes;
    // The first 32-bit item, or 0.
    uint32_t First32() const;
};

// Asking and reading are apart, so that several requests share one round
// trip. None when the window lacks the property or no longer exists.
xcb_get_property_cookie_t AskProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom);
std::optional<TProperty> TakeProperty(xcb_connection_t* c, xcb_get_property_cookie_t cookie);

// The event mask this connection selects on a window (it replaces the
// connection's earlier mask for that window).
void SelectEvents(xcb_connection_t* c, xcb_window_t window, uint32_t mask);
std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t window);

// Whether a window manager runs that publishes _NET_ACTIVE_WINDOW; its
// check window (whose end says that it stopped) goes to checkWindow.
bool ActiveWindowPublished(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t root,
                           xcb_window_t& checkWindow);
// The window _NET_ACTIVE_WINDOW names, or XCB_NONE.
xcb_window_t ActiveWindow(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t root);
// The client window that holds the input focus: the nearest window from the
// focus up that a window manager marked with WM_STATE, else the child of the
// root that holds the focus. XCB_NONE when the focus is on no window.
xcb_window_t FocusedClient(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t root);

// The process id the window gives in _NET_WM_PID when it lives on this
// machine (WM_CLIENT_MACHINE); 0 when it gives none.
uint32_t DeclaredPid(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t window,
                     const std::string& hostName);
// Whether the server answers the X-Resource client id query (version 1.2)
// with process ids of this machine: it runs here (a local socket).
bool HasLocalClientIds(xcb_connection_t* c);
// The local process id of the client that created window, from the
// X-Resource extension; 0 when unknown.
uint32_t ClientPid(xcb_connection_t* c, xcb_window_t window);

// The window's title in CP932: _NET_WM_NAME, else WM_NAME in its own
// encoding; empty when it has none.
std::string WindowTitle(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t window);

} // namespace zanpel::x11
