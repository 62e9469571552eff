// A build without xcb's screen saver or sync extension: no X11 idle source.
#include "tracking/x11idle.h"

namespace zanpel {

std::unique_ptr<IdleSource> ConnectX11Idle(const std::string&) {
    return nullptr;
}

} // namespace zanpel
