// The moments at which messages pass on a session bus, as a client of the
// test reads them: dbus-monitor with a match rule, its stamps (wall clock)
// taken onto the steady clock that the bar's trace uses.
#pragma once

#include "support/process.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace zanpel::test {

class BusMonitor {
public:
    // env: the session's environment (DBUS_SESSION_BUS_ADDRESS); rule: a
    // D-Bus match rule such as "type='signal',interface='x.y'".
    BusMonitor(const std::map<std::string, std::string>& env, const std::string& rule,
               const std::string& outputFile);
    bool Started() const;

    // When the monitor read the n-th message (from 0) whose printed text
    // holds part, waiting for it up to timeoutMs.
    std::optional<std::chrono::steady_clock::time_point> Seen(const std::string& part, int n,
                                                              int timeoutMs) const;

private:
    std::string m_output;
    std::unique_ptr<BackgroundProcess> m_monitor;
};

} // namespace zanpel::test
