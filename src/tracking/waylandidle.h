// The idle source of a Wayland compositor that tells idle time through the
// ext-idle-notify-v1 protocol (KWin, newer wlroots compositors) or KDE's
// older org_kde_kwin_idle (KWin, Sway 1.7).
#pragma once

#include "tracking/idlesource.h"

#include <memory>
#include <string>

namespace zanpel {

// A source that follows the compositor at display (empty: $WAYLAND_DISPLAY)
// on a connection of its own, preferring ext-idle-notify-v1. The compositor
// counts a watch's time from its start, so the first idle event after a
// Watch tells the watched time even when the user had been away longer.
// None when the compositor does not answer or offers neither protocol.
std::unique_ptr<IdleSource> ConnectWaylandIdle(const std::string& display);

} // namespace zanpel
