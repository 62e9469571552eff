// A build without the Wayland client library: no Wayland source.
#include "tracking/waylandforeground.h"

namespace zanpel {

std::unique_ptr<ForegroundSource> ConnectWaylandForeground(const std::string&, const std::string&) {
    return nullptr;
}

} // namespace zanpel
