// The one source of "now" and "today". Everything that needs the time takes a
// Clock, so tests run whole days in milliseconds with a FixedClock.
#pragma once

#include "records/timevalues.h"

namespace zanpel {

class Clock {
public:
    virtual ~Clock() = default;
    // The local date and time.
    virtual TDateTime Now() const = 0;
    // Milliseconds of two clocks that count from some moment: the monotonic
    // one stops while the machine sleeps, the boot-time one does not, so a
    // growth of their difference is time spent asleep.
    virtual int64_t MonotonicMilliseconds() const = 0;
    virtual int64_t BootTimeMilliseconds() const = 0;
};

// The machine's clock in its local time zone.
class SystemClock final : public Clock {
public:
    TDateTime Now() const override;
    int64_t MonotonicMilliseconds() const override;
    int64_t BootTimeMilliseconds() const override;
};

// A clock that moves only when told to; counts whole milliseconds so that
// advancing it never accumulates rounding errors.
// Set() moves only the date and time (as a change of the system time does);
// Advance() moves every clock; Sleep() moves all but the monotonic one.
class FixedClock final : public Clock {
public:
    FixedClock() = default;
    FixedClock(DayNumber day, Seconds s) { Set(day, s); }
    TDateTime Now() const override;
    int64_t MonotonicMilliseconds() const override { return m_monotonic; }
    int64_t BootTimeMilliseconds() const override { return m_boot; }
    void Set(DayNumber day, Seconds s);
    void Advance(int64_t seconds) { AdvanceMilliseconds(seconds * 1000); }
    void AdvanceMilliseconds(int64_t ms) {
        m_milliseconds += ms;
        m_monotonic += ms;
        m_boot += ms;
    }
    // The machine sleeps for seconds and wakes up.
    void Sleep(int64_t seconds) {
        m_milliseconds += seconds * 1000;
        m_boot += seconds * 1000;
    }

private:
    int64_t m_milliseconds = 0;
    int64_t m_monotonic = 0;
    int64_t m_boot = 0;
};

DayNumber Today(const Clock& clock);
Seconds NowSeconds(const Clock& clock);
int CurrentYear(const Clock& clock);

} // namespace zanpel
