// A build without xcb: no X11 source.
#include "tracking/x11foreground.h"

namespace zanpel {

std::unique_ptr<ForegroundSource> ConnectX11Foreground(const std::string&) {
    return nullptr;
}

} // namespace zanpel
