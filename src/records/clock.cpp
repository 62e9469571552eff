#include "records/clock.h"

#include <time.h>

#include <chrono>
#include <ctime>

namespace zanpel {

TDateTime SystemClock::Now() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&t, &local);
    const DayNumber day = EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    const int64_t msOfDay =
        (int64_t{local.tm_hour} * 3600 + local.tm_min * 60 + local.tm_sec) * 1000 + ms;
    return day + static_cast<double>(msOfDay) / (SecondsPerDay * 1000.0);
}

namespace {

int64_t Milliseconds(clockid_t id) {
    timespec t{};
    ::clock_gettime(id, &t);
    return int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1000000;
}

} // namespace

int64_t SystemClock::MonotonicMilliseconds() const {
    return Milliseconds(CLOCK_MONOTONIC);
}

int64_t SystemClock::BootTimeMilliseconds() const {
#ifdef CLOCK_BOOTTIME
    return Milliseconds(CLOCK_BOOTTIME);
#else
    return Milliseconds(CLOCK_MONOTONIC); // no sleep is ever seen
#endif
}

TDateTime FixedClock::Now() const {
    constexpr int64_t perDay = int64_t{SecondsPerDay} * 1000;
    int64_t day = m_milliseconds / perDay;
    int64_t rest = m_milliseconds % perDay;
    if (rest < 0) {
        rest += perDay;
        --day;
    }
    return static_cast<double>(day) + static_cast<double>(rest) / static_cast<double>(perDay);
}

void FixedClock::Set(DayNumber day, Seconds s) {
    m_milliseconds = (int64_t{day} * SecondsPerDay + s) * 1000;
}

DayNumber Today(const Clock& clock) {
    return WholeDays(clock.Now());
}

Seconds NowSeconds(const Clock& clock) {
    return SecondsOfDay(clock.Now());
}

int CurrentYear(const Clock& clock) {
    return DecodeDate(Today(clock)).Year;
}

} // namespace zanpel
