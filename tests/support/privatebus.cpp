#include "support/privatebus.h"

#include <filesystem>

namespace zanpel::test {

PrivateBus::PrivateBus() {
    const std::string daemon = FindProgram("dbus-daemon");
    if (daemon.empty())
        return;
    const std::string socket = m_folder.File("bus");
    m_daemon = std::make_unique<BackgroundProcess>(
        std::vector<std::string>{daemon, "--session", "--nofork", "--address=unix:path=" + socket},
        std::map<std::string, std::string>{}, m_folder.File("log"));
    if (WaitFor([&] { return std::filesystem::exists(socket); }, 10000))
        m_address = "unix:path=" + socket;
}

} // namespace zanpel::test
