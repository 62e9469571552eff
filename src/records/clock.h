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
};

// The machine's clock in its local time zone.
class SystemClock final : public Clock {
public:
    TDateTime Now() const override;
};

// A clock that moves only when told to; counts whole milliseconds so that
// advancing it never accumulates rounding errors.
class FixedClock final : public Clock {
public:
    FixedClock() = default;
    FixedClock(DayNumber day, Seconds s) { Set(day, s); }
    TDateTime Now() const override;
    void Set(DayNumber day, Seconds s);
    void Advance(int64_t seconds) { m_milliseconds += seconds * 1000; }
    void AdvanceMilliseconds(int64_t ms) { m_milliseconds += ms; }

private:
    int64_t m_milliseconds = 0;
};

DayNumber Today(const Clock& clock);
Seconds NowSeconds(const Clock& clock);
int CurrentYear(const Clock& clock);

} // namespace zanpel
