// What the desktop session lets the bar do: the window system it runs on,
// how it gets its place at the screen edge, and which windows application
// switching can see. Chosen at the start; told in the about box.
#pragma once

#include "tracking/foregroundsource.h"

#include <string>

namespace zanpel {

// How the bar gets its place at the edge and above other windows.
enum class TPlacementMethod {
    Hints,   // X11: its own place and the window manager's hints
    I3Ipc,   // i3 asked through its IPC
    SwayIpc, // Sway asked through its IPC
    None,    // Wayland without XWayland: wherever the compositor puts it
};

struct TSessionInfo {
    std::string Platform = "xcb"; // Qt's platform plugin
    bool WaylandSession = false;
    TPlacementMethod Placement = TPlacementMethod::Hints;
    TForegroundCoverage Coverage = TForegroundCoverage::X11;
    // What tells the bar of spells without input and screen locks (UTF-8);
    // empty when nothing does.
    std::string IdleSource;
};

// The Qt platform to choose before the application object exists: "xcb"
// (XWayland) on a Wayland session that has XWayland, when the user chose
// none; else empty, Qt's own choice. Arguments: the environment's values of
// WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM (null or empty when unset).
std::string PreferredQtPlatform(const char* waylandDisplay, const char* display,
                                const char* qpaPlatform);

// How the bar is placed in a session: through the IPC of a tiling manager
// when ipcSocket is set and sway tells whether it is Sway's (X11 only: the
// IPC names the bar by its X11 window).
TPlacementMethod PlacementOf(const std::string& platform, const std::string& ipcSocket, bool sway);

// The about box's lines on the session (UTF-8).
std::string SessionText(const TSessionInfo& session);

// Which windows application switching sees, and what a program name in a
// rule means there (UTF-8).
std::string CoverageText(TForegroundCoverage coverage);

// The coverage that a bar started in this environment would most likely
// have, for zanpelctl, which opens no window: from WAYLAND_DISPLAY, DISPLAY
// and XDG_CURRENT_DESKTOP (null or empty when unset), and whether GNOME's
// settings enable our extension.
TForegroundCoverage LikelyCoverage(const char* waylandDisplay, const char* display,
                                   const char* currentDesktop, bool gnomeExtensionEnabled);

// How to enable the GNOME Shell extension that application switching needs
// on GNOME on Wayland (UTF-8).
std::string GnomeExtensionHint();

// Said once at the start of a bar that runs on Wayland itself (UTF-8).
std::string WaylandNoticeText();

} // namespace zanpel
