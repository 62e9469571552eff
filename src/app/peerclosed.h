// Whether the other end of a connected local socket has closed it. The
// hand-over's sender waits for its answer: a closed end means it gave up.
#pragma once

#include <cstdint>

namespace zanpel {

// descriptor: the socket's native descriptor. False when it cannot be told.
bool HasPeerClosed(intptr_t descriptor);

} // namespace zanpel
