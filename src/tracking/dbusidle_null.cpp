// A build without Qt's D-Bus module: neither mutter's idle monitor nor the
// screen locks are asked.
#include "tracking/gnomeidle.h"
#include "tracking/screenlock.h"

namespace zanpel {

std::unique_ptr<IdleSource> ConnectGnomeIdle(const std::string&) {
    return nullptr;
}

std::unique_ptr<ScreenLockWatch> WatchScreenLock(std::function<void(bool)>, const TBusAddresses&) {
    return nullptr;
}

} // namespace zanpel
