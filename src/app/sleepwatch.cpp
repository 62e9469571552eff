#include "app/sleepwatch.h"

#include "records/clock.h"

namespace zanpel {

TSleepWatch::TSleepWatch(const Clock& clock)
    : m_clock(clock),
      m_lastDifference(clock.BootTimeMilliseconds() - clock.MonotonicMilliseconds()) {}

std::optional<TSleep> TSleepWatch::Look() {
    const int64_t difference = m_clock.BootTimeMilliseconds() - m_clock.MonotonicMilliseconds();
    const int64_t slept = difference - m_lastDifference;
    m_lastDifference = difference;
    if (slept < ThresholdMilliseconds)
        return std::nullopt;
    // The look comes within a tick of the wake-up: the sleep is taken to end
    // now and to have begun as long before.
    constexpr double msPerDay = SecondsPerDay * 1000.0;
    const TDateTime now = m_clock.Now();
    const auto nowMs = static_cast<int64_t>(now * msPerDay + 0.5);
    return TSleep{static_cast<double>(nowMs - slept) / msPerDay, now, (slept + 500) / 1000};
}

} // namespace zanpel
