// The foreground source of an X11 session.
#pragma once

#include "tracking/foregroundsource.h"

#include <memory>
#include <string>

namespace zanpel {

// A source that follows the X server at display (empty: $DISPLAY) on a
// connection of its own, from the events of that connection, which the
// thread's Qt event loop delivers. None when the server does not answer.
std::unique_ptr<ForegroundSource> ConnectX11Foreground(const std::string& display);

} // namespace zanpel
