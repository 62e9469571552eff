// The README's figures of application switching, measured the same way on
// every window system: the delay from the window system's event to the
// pressed button, and the bar's CPU while the window in front changes.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace zanpel::test {

struct TSwitchMeasure {
    // Brings window i % 2 of two to the front, as a user's tool would.
    std::function<void(int i)> Activate;
    // Waits for the window system's word that window i % 2 is in front; the
    // moment a client of the test read it.
    std::function<std::optional<std::chrono::steady_clock::time_point>(int i)> EventSeen;
    // The bar's trace, with a "switched ITEM at MICROSECONDS" line per switch.
    std::function<std::string()> Trace;
    int BarPid = 0;
};

// Prints the median, 90th percentile and largest delay of 50 switches, then
// the bar's CPU in a minute idle and in a minute with a change every second.
void MeasureSwitchLatencyAndCpu(const TSwitchMeasure& measure);

} // namespace zanpel::test
