// A D-Bus message bus of a test's own: dbus-daemon with the configuration
// of a session bus, at a socket of the test's folder. A desktop's session
// bus, or a stand-in for the system bus that a desktop wants at its start.
#pragma once

#include "support/process.h"

#include <memory>
#include <string>
#include <vector>

namespace zanpel::test {

class TestDBus {
public:
    // A bus listening at socketPath (its folder must exist).
    explicit TestDBus(const std::string& socketPath);
    ~TestDBus();
    TestDBus(const TestDBus&) = delete;
    TestDBus& operator=(const TestDBus&) = delete;

    // Why the bus did not start; empty when it runs.
    const std::string& Error() const { return m_error; }
    // The bus's address, for DBUS_SESSION_BUS_ADDRESS or
    // DBUS_SYSTEM_BUS_ADDRESS.
    const std::string& Address() const { return m_address; }

    // gdbus call of method ("interface.member") on object path of dest:
    // gdbus's text of the answer ("(true,)"), or empty when the call failed.
    std::string Call(const std::string& dest, const std::string& path, const std::string& method,
                     const std::vector<std::string>& arguments = {}) const;

private:
    std::string m_error;
    std::string m_address;
    std::string m_outputFile;
    std::unique_ptr<BackgroundProcess> m_daemon;
};

} // namespace zanpel::test
