#include "app/sleepwatch.h"

#include "records/clock.h"

#include <cmath>

namespace zanpel {
namespace {

constexpr double MsPerDay = SecondsPerDay * 1000.0;

TDateTime FromMilliseconds(int64_t ms) {
    return static_cast<double>(ms) / MsPerDay;
}

int64_t RoundedSeconds(int64_t ms) {
    return ms >= 0 ? (ms + 500) / 1000 : -((-ms + 500) / 1000);
}

} // namespace

TSleepWatch::TSleepWatch(const Clock& clock) : m_clock(clock), m_last(Read()) {}

TSleepWatch::Readings TSleepWatch::Read() const {
    // The date and time first: the program's test clock takes in the
    // changes of its files there, and the other two follow them.
    const auto wall = static_cast<int64_t>(std::llround(m_clock.Now() * MsPerDay));
    const int64_t boot = m_clock.BootTimeMilliseconds();
    const int64_t monotonic = m_clock.MonotonicMilliseconds();
    return {monotonic, boot, wall};
}

TClockJump TSleepWatch::Look() {
    const Readings now = Read();
    const int64_t slept = (now.BootTime - now.Monotonic) - (m_last.BootTime - m_last.Monotonic);
    const int64_t stepped = (now.Wall - m_last.Wall) - (now.BootTime - m_last.BootTime);
    m_last = now;
    TClockJump jump;
    const bool isStep =
        stepped >= StepThresholdMilliseconds || -stepped >= StepThresholdMilliseconds;
    // On the clock before the step, the look comes within a tick of the
    // wake-up: the sleep is taken to end then and to have begun as long before.
    const int64_t awake = isStep ? now.Wall - stepped : now.Wall;
    if (slept >= ThresholdMilliseconds)
        jump.Sleep =
            TSleep{FromMilliseconds(awake - slept), FromMilliseconds(awake), RoundedSeconds(slept)};
    if (isStep)
        jump.Step = TClockStep{FromMilliseconds(awake), FromMilliseconds(now.Wall),
                               RoundedSeconds(stepped)};
    return jump;
}

} // namespace zanpel
