#include "tracking/gnomeforeground.h"

namespace zanpel {

bool GnomeShellRuns() {
    return false;
}

std::unique_ptr<ForegroundSource> ConnectGnomeForeground(uint32_t) {
    return nullptr;
}

} // namespace zanpel
