// The foreground source of a Wayland compositor that lists its windows
// through the wlroots foreign toplevel management protocol (Sway, and
// others such as Hyprland, labwc and Wayfire).
#pragma once

#include "tracking/foregroundsource.h"

#include <memory>
#include <string>

namespace zanpel {

// A source that follows the compositor at display (empty: $WAYLAND_DISPLAY)
// on a connection of its own, from the events of that connection, which the
// thread's Qt event loop delivers. Windows whose app_id is ownAppId (this
// program's) name no program. None when the compositor does not answer or
// does not offer the protocol.
std::unique_ptr<ForegroundSource> ConnectWaylandForeground(const std::string& display,
                                                           const std::string& ownAppId);

} // namespace zanpel
