// The computer-on records widened with the per-day times of the system log.
#include "records/names.h"
#include "tracking/eventlog.h"
#include "worklist/runningwork.h"

#include <algorithm>

namespace zanpel {

void TRunningWork::SyncLoginTimes(const TEventLog& log) {
    // A log that could not be opened says nothing, not even about today.
    if (log.ErrorCode != 0)
        return;
    for (int i = 0; i < log.Count(); ++i) {
        const TLoginTime day = log.GetEntry(i);
        if (!IsSameMonth(day.Day))
            continue;
        TWorkInfo key;
        key.Date = day.Day;
        key.Name = LoginName;
        TWorkInfo* login = AddWork(key);
        if (login == nullptr)
            continue;
        if (login->Periods.empty()) // any real time replaces these
            login->Periods.push_back(TWorkData{{}, {}, 99999, 0});
        TWorkData& span = login->Periods.front();
        const Seconds oldStart = span.StartSec;
        span.EndSec = std::max(span.EndSec, day.LastTime);
        // A span that ran past midnight must stay shorter than a day: the
        // month file writes times of day, and a span of 24 hours or more would
        // read back as a short one. The start never moves later than it was.
        const Seconds earliest = std::max(day.FirstTime, span.EndSec - (SecondsPerDay - 1));
        span.StartSec = std::min(oldStart, earliest);
    }
}

} // namespace zanpel
