// A build without the Wayland client library: no Wayland idle source.
#include "tracking/waylandidle.h"

namespace zanpel {

std::unique_ptr<IdleSource> ConnectWaylandIdle(const std::string&) {
    return nullptr;
}

} // namespace zanpel
