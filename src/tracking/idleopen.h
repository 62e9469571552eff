// The idle source of the session the program runs in.
#pragma once

#include "tracking/idlesource.h"

#include <memory>
#include <string_view>

namespace zanpel {

// The source that the session offers, chosen at run time: mutter's idle
// monitor when it is on the session bus (GNOME Shell on Wayland or X11),
// else the compositor's idle protocol on a Wayland session, else the X
// server's MIT-SCREEN-SAVER on X11; it tells the screen locks of logind's
// session and the desktop's screen saver as well. A null source when none
// answers, and offscreen. platform: the name of the platform the program's
// windows are on ("xcb", "wayland", "offscreen", ...).
std::unique_ptr<IdleSource> OpenIdleSource(std::string_view platform);

} // namespace zanpel
