// Noticing that the machine slept or that its clock was set, between two
// looks. The monotonic clock stops while the machine sleeps and the
// boot-time one does not, so a growth of their difference is time asleep;
// a change of the date and time that the boot-time clock does not share is
// a step of the clock (set by hand or by a time service, or a change of the
// local time). Short sleeps are the scheduling of a busy machine and are
// ignored; small differences of the date and time are a time service's
// slewing and the moments between the readings of one look.
#pragma once

#include "records/timevalues.h"

#include <cstdint>
#include <optional>

namespace zanpel {

class Clock;

struct TSleep {
    TDateTime Asleep; // when the machine went to sleep (on the clock before a step)
    TDateTime Awake;  // when it woke up (on the clock before a step)
    int64_t Seconds = 0;
};

struct TClockStep {
    TDateTime From;      // where the clock before the step would be now
    TDateTime To;        // the date and time now
    int64_t Seconds = 0; // To - From, negative when the clock was set back
};

// What a look found since the last one; both may come together (a time
// service sets the clock right after the wake-up).
struct TClockJump {
    std::optional<TSleep> Sleep;
    std::optional<TClockStep> Step;

    explicit operator bool() const { return Sleep || Step; }
    // When the records stop: the moment of the sleep, else now, on the
    // clock before the step.
    TDateTime Stopped() const { return Sleep ? Sleep->Asleep : Step->From; }
    // When they go on: now.
    TDateTime Resumed() const { return Step ? Step->To : Sleep->Awake; }
};

class TSleepWatch {
public:
    static constexpr int64_t ThresholdMilliseconds = 60 * 1000;
    // A time service slews by at most half a millisecond a second, so the
    // looks (a second apart) see far less; a step of the clock by a time
    // service is at least a fraction of a second, by hand seconds to years.
    static constexpr int64_t StepThresholdMilliseconds = 2 * 1000;

    explicit TSleepWatch(const Clock& clock);
    // The sleep (of at least the threshold) and the step of the clock since
    // the last look; every look starts the next interval.
    TClockJump Look();

private:
    struct Readings {
        int64_t Monotonic;
        int64_t BootTime;
        int64_t Wall; // the date and time in milliseconds
    };
    Readings Read() const;

    const Clock& m_clock;
    Readings m_last;
};

} // namespace zanpel
