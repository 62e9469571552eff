#include "tracking/kwinforeground.h"

namespace zanpel {

std::unique_ptr<ForegroundSource> ConnectKWinForeground(uint32_t) {
    return nullptr;
}

} // namespace zanpel
