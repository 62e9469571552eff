// The program's clock: the machine's, or, for end-to-end tests of the real
// program, one that files move on. With ZANPEL_TEST_SLEEP_FILE set, the
// number of seconds written into that file is time the machine slept: the
// date and time and the boot-time clock are that much later, the monotonic
// clock is not. With ZANPEL_TEST_CLOCK_FILE set, a local date and time
// "YYYY-MM-DD hh:mm:ss" written into that file is the time of day from the
// moment it was written, and the clock runs on from there. A time later
// than the clock's is time that passed with the machine on: the monotonic
// and the boot-time clock move on as far. With " set" after it (or when it
// is earlier), the system's time was set to it: neither of them moves.
#pragma once

#include "records/clock.h"

#include <memory>

namespace zanpel {

std::unique_ptr<Clock> MakeProgramClock();

// The clock of the records at the program's end: from Hold() on, the date and
// time stand still at that moment, so that the running period and the
// computer-on span end where the user asked to quit, however long the saves
// and their error boxes take (a save tried again after the disk was freed
// included). The monotonic and boot-time clocks run on.
class TEndingClock final : public Clock {
public:
    explicit TEndingClock(std::unique_ptr<Clock> source) : m_source(std::move(source)) {}
    TDateTime Now() const override { return m_held ? m_heldAt : m_source->Now(); }
    int64_t MonotonicMilliseconds() const override { return m_source->MonotonicMilliseconds(); }
    int64_t BootTimeMilliseconds() const override { return m_source->BootTimeMilliseconds(); }
    // The first call holds the time; later ones keep it.
    void Hold() {
        if (!m_held)
            m_heldAt = m_source->Now();
        m_held = true;
    }

private:
    std::unique_ptr<Clock> m_source;
    TDateTime m_heldAt = 0;
    bool m_held = false;
};

} // namespace zanpel
