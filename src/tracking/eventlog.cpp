#include "tracking/eventlog.h"

#include "records/clock.h"
#include "tracking/journalsource.h"

#include <algorithm>
#include <ctime>

namespace zanpel {
namespace {

struct LocalStamp {
    DayNumber Day = 0;
    Seconds Second = 0;
};

// Day and time of day of a journal stamp on the local wall clock. Stamps that
// fall within the same second as the one before are common (a burst of
// messages), so the last conversion is kept.
class LocalTimeConverter {
public:
    bool Convert(uint64_t microseconds, LocalStamp& out) {
        const auto seconds = static_cast<std::time_t>(microseconds / 1000000);
        if (m_valid && seconds == m_lastSeconds) {
            out = m_last;
            return true;
        }
        std::tm local{};
        if (localtime_r(&seconds, &local) == nullptr)
            return false;
        const int year = local.tm_year + 1900;
        const int month = local.tm_mon + 1;
        if (!IsValidDate(year, month, local.tm_mday))
            return false;
        m_last.Day = EncodeDate(year, month, local.tm_mday);
        // A leap second (tm_sec 60) stays within the day.
        m_last.Second =
            std::min(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec, SecondsPerDay - 1);
        m_lastSeconds = seconds;
        m_valid = true;
        out = m_last;
        return true;
    }

private:
    std::time_t m_lastSeconds = 0;
    LocalStamp m_last;
    bool m_valid = false;
};

} // namespace

TLoginTime TEventLog::GetEntry(int index) const {
    if (index < 0 || index >= Count())
        return {};
    return m_times[static_cast<size_t>(index)];
}

int TEventLog::AddTime(const TLoginTime& time) {
    for (size_t i = 0; i < m_times.size(); ++i) {
        TLoginTime& entry = m_times[i];
        if (entry.Day != time.Day)
            continue;
        entry.FirstTime = std::min(entry.FirstTime, time.FirstTime);
        entry.LastTime = std::max(entry.LastTime, time.LastTime);
        return static_cast<int>(i);
    }
    m_times.push_back(time);
    return Count() - 1;
}

TEventLog ReadEventLog(JournalSource& source, DayNumber firstDay, const Clock& clock,
                       std::stop_token stop) {
    TEventLog log;
    log.ErrorCode = source.Open();
    if (log.ErrorCode != 0)
        return log;

    // Entries arrive grouped by day, so the day being read is gathered here and
    // handed to AddTime once per run of entries instead of once per entry.
    LocalTimeConverter converter;
    const DayNumber today = Today(clock);
    TLoginTime run;
    bool inRun = false;
    uint64_t microseconds = 0;
    while (!stop.stop_requested() && source.Previous(microseconds)) {
        LocalStamp stamp;
        if (!converter.Convert(microseconds, stamp))
            continue;
        // The journal is in the order of writing, not of its stamps: a boot
        // with a wrong hardware clock leaves entries dated long before (or
        // after) their neighbours. Such an entry is skipped, and the reading
        // goes on to the journal's beginning, so that no day of the range is
        // cut off. A day still to come has no events.
        if (stamp.Day < firstDay || stamp.Day > today)
            continue;
        if (inRun && stamp.Day == run.Day) {
            run.FirstTime = std::min(run.FirstTime, stamp.Second);
            run.LastTime = std::max(run.LastTime, stamp.Second);
            continue;
        }
        if (inRun)
            log.AddTime(run);
        run = TLoginTime{stamp.Day, stamp.Second, stamp.Second, {}};
        inRun = true;
    }
    if (inRun)
        log.AddTime(run);

    const TDateTime now = clock.Now();
    const Seconds second = SecondsOfDay(now);
    log.AddTime(TLoginTime{WholeDays(now), second, second, {}});
    return log;
}

} // namespace zanpel
