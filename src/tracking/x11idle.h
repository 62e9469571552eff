// The idle source of an X11 session.
#pragma once

#include "tracking/idlesource.h"

#include <memory>
#include <string>

namespace zanpel {

// A source that asks the X server at display (empty: $DISPLAY) on a
// connection of its own: the MIT-SCREEN-SAVER extension tells how long the
// server has seen no input, and the SYNC extension's IDLETIME counter raises
// an alarm at the first input after a spell. None when the server does not
// answer or lacks either (XWayland has no MIT-SCREEN-SAVER, and its input
// would be that of X11 windows alone).
std::unique_ptr<IdleSource> ConnectX11Idle(const std::string& display);

} // namespace zanpel
