#include "app/peerclosed.h"

#include <poll.h>

#include <cerrno>

namespace zanpel {

bool HasPeerClosed(intptr_t descriptor) {
    if (descriptor < 0)
        return false;
    // Data still waiting does not hide the hang-up: poll reports both.
    pollfd look{static_cast<int>(descriptor), POLLRDHUP, 0};
    int ready = 0;
    do {
        ready = ::poll(&look, 1, 0);
    } while (ready < 0 && errno == EINTR);
    return ready > 0 && (look.revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) != 0;
}

} // namespace zanpel
