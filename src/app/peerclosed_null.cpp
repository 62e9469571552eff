#include "app/peerclosed.h"

namespace zanpel {

bool HasPeerClosed(intptr_t) {
    return false;
}

} // namespace zanpel
