#include "support/desktops/dbusbus.h"

#include "support/testsupport.h"
#include "support/x11/xserver.h"

#include <csignal>
#include <filesystem>

namespace zanpel::test {

TestDBus::TestDBus(const std::string& socketPath) : m_outputFile(socketPath + ".out") {
    const std::string daemon = FindProgram("dbus-daemon");
    if (daemon.empty() || FindProgram("gdbus").empty()) {
        m_error = "dbus-daemon or gdbus is not installed (scripts/setup installs them)";
        return;
    }
    // The address is printed once the bus listens.
    m_daemon = std::make_unique<BackgroundProcess>(
        std::vector<std::string>{daemon, "--session", "--nofork", "--nopidfile", "--print-address",
                                 "--address=unix:path=" + socketPath},
        std::map<std::string, std::string>{}, m_outputFile);
    const auto printed = [&] { return ReadFile(m_outputFile).find("unix:") != std::string::npos; };
    if (!WaitFor(printed, 10000)) {
        m_error = "dbus-daemon did not start: " + ReadFile(m_outputFile);
        return;
    }
    m_address = "unix:path=" + socketPath;
}

TestDBus::~TestDBus() {
    if (m_daemon) {
        m_daemon->Signal(SIGTERM);
        m_daemon->Wait(5000);
    }
    std::filesystem::remove(m_outputFile);
}

std::string TestDBus::Call(const std::string& dest, const std::string& path,
                           const std::string& method,
                           const std::vector<std::string>& arguments) const {
    std::vector<std::string> argv{
        FindProgram("gdbus"), "call", "--address", m_address, "--dest", dest,
        "--object-path",      path,   "--method",  method};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    const ProcessResult result = RunProcess(argv);
    return result.ExitCode == 0 ? result.Out : std::string();
}

} // namespace zanpel::test
