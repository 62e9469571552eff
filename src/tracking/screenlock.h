// Whether the screen is locked, as the session tells it: logind's session
// of the program (its LockedHint, which the desktop's screen locker sets)
// on the system bus, and the desktop's screen saver (ActiveChanged of
// org.gnome.ScreenSaver or org.freedesktop.ScreenSaver) on the session bus.
// The last of them to speak is right.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace zanpel {

// The buses' addresses; empty: the system's and the session's own.
struct TBusAddresses {
    std::string System;
    std::string Session;
};

class ScreenLockWatch {
public:
    virtual ~ScreenLockWatch() = default;
};

// Calls onChange with each change of the lock (first from unlocked), on the
// program's event loop, for as long as the watch lives. A bus that cannot be
// reached, a session that logind does not know and a desktop without a
// screen saver just tell nothing.
std::unique_ptr<ScreenLockWatch> WatchScreenLock(std::function<void(bool locked)> onChange,
                                                 const TBusAddresses& buses = {});

} // namespace zanpel
