// A D-Bus daemon of the test's own, on a socket in a folder of its own: a
// system or session bus that no one else talks on.
#pragma once

#include "support/process.h"
#include "support/testsupport.h"

#include <memory>
#include <string>

namespace zanpel::test {

class PrivateBus {
public:
    PrivateBus();
    // Its address ("unix:path=..."); empty when dbus-daemon did not start.
    const std::string& Address() const { return m_address; }

private:
    TempDir m_folder;
    std::unique_ptr<BackgroundProcess> m_daemon;
    std::string m_address;
};

} // namespace zanpel::test
