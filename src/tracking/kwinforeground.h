// The foreground on KWin (KDE Plasma on Wayland): a KWin script that the bar
// loads over the session bus follows the active window and its caption and
// calls back into the bar with each change. Nothing is installed for it; the
// script goes when the source does.
#pragma once

#include "tracking/foregroundsource.h"

#include <cstdint>
#include <memory>

namespace zanpel {

// Null when the session bus has no KWin or KWin does not run the script.
// ownPid: this program's process, whose windows are never reported.
std::unique_ptr<ForegroundSource> ConnectKWinForeground(uint32_t ownPid);

} // namespace zanpel
