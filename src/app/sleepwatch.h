// Noticing that the machine slept: between two looks, the boot-time clock
// ran on while the monotonic one stood still. Short differences are the
// scheduling of a busy machine, not sleep, and are ignored.
#pragma once

#include "records/timevalues.h"

#include <cstdint>
#include <optional>

namespace zanpel {

class Clock;

struct TSleep {
    TDateTime Asleep; // when the machine went to sleep
    TDateTime Awake;  // when it woke up (now)
    int64_t Seconds = 0;
};

class TSleepWatch {
public:
    static constexpr int64_t ThresholdMilliseconds = 60 * 1000;

    explicit TSleepWatch(const Clock& clock);
    // The sleep since the last look, when there was one of at least the
    // threshold; every look starts the next interval.
    std::optional<TSleep> Look();

private:
    const Clock& m_clock;
    int64_t m_lastDifference;
};

} // namespace zanpel
