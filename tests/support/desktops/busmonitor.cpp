#include "support/desktops/busmonitor.h"

#include "support/testsupport.h"
#include "support/x11/xserver.h"

#include <ctime>
#include <sstream>
#include <vector>

namespace zanpel::test {
namespace {

// dbus-monitor prints a message as a header line ("signal time=S.US ...")
// followed by indented argument lines.
struct PrintedMessage {
    double Time = 0;
    std::string Text;
};

std::vector<PrintedMessage> Messages(const std::string& output) {
    std::vector<PrintedMessage> messages;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const size_t time = line.find(" time=");
        if (!line.empty() && line[0] != ' ' && time != std::string::npos)
            messages.push_back({std::stod(line.substr(time + 6)), line + "\n"});
        else if (!messages.empty())
            messages.back().Text += line + "\n";
    }
    return messages;
}

// A wall-clock time on the steady clock, by the offset between the two now.
std::chrono::steady_clock::time_point Steady(double wallSeconds) {
    timespec real{};
    ::clock_gettime(CLOCK_REALTIME, &real);
    const auto steadyNow = std::chrono::steady_clock::now();
    const double ago = static_cast<double>(real.tv_sec) + real.tv_nsec / 1e9 - wallSeconds;
    return steadyNow - std::chrono::microseconds(static_cast<long long>(ago * 1e6));
}

} // namespace

BusMonitor::BusMonitor(const std::map<std::string, std::string>& env, const std::string& rule,
                       const std::string& outputFile)
    : m_output(outputFile) {
    m_monitor = std::make_unique<BackgroundProcess>(
        std::vector<std::string>{FindProgram("dbus-monitor"), "--session", rule}, env, m_output);
}

bool BusMonitor::Started() const {
    // Its first words are the bus's own NameAcquired signal.
    return WaitFor([&] { return ReadFile(m_output).find("NameAcquired") != std::string::npos; },
                   5000);
}

std::optional<std::chrono::steady_clock::time_point> BusMonitor::Seen(const std::string& part,
                                                                      int n, int timeoutMs) const {
    std::optional<double> time;
    WaitFor(
        [&] {
            int found = 0;
            for (const PrintedMessage& message : Messages(ReadFile(m_output)))
                if (message.Text.find(part) != std::string::npos && found++ == n) {
                    time = message.Time;
                    return true;
                }
            return false;
        },
        timeoutMs);
    if (!time)
        return std::nullopt;
    return Steady(*time);
}

} // namespace zanpel::test
