// What a sleep of the machine does to the records: the running period and
// the day's computer-on span end when it went to sleep, and a sleep within
// the day becomes a rest period, so that the day's worked time leaves it out.
#include "records/names.h"
#include "records/timeranges.h"
#include "worklist/runningwork.h"

#include <algorithm>
#include <utility>

namespace zanpel {

void TRunningWork::CloseForSleep(TDateTime asleep) {
    const DayNumber asleepDay = WholeDays(asleep);
    if (CurrentDate() == 0 || asleepDay < CurrentDate())
        return; // the list is on a later day: nothing of it ran up to the sleep
    // The list's day ends at the sleep, or at its midnight when the sleep
    // came on a later day: no period or span passes its day.
    const bool sameDay = asleepDay == CurrentDate();
    const Seconds end = sameDay ? SecondsOfDay(asleep) : SecondsPerDay;
    const bool ran = m_currentWork != nullptr;
    if (ran && !m_currentWork->Periods.empty()) {
        TWorkInfo& work = *m_currentWork;
        TWorkData& last = work.Periods.back();
        last.EndSec = std::max(last.StartSec, end);
        if (int64_t{m_noCountSeconds} >= int64_t{last.EndSec} - last.StartSec)
            work.Periods.pop_back();
        CalcTotal(work);
    }
    m_currentWork = nullptr;
    // The machine was on up to the sleep; past midnight only an item that
    // ran tells so (an idle bar overnight says nothing about the evening).
    if (sameDay || ran)
        ExtendSpanTo(CurrentDate(), end);
}

void TRunningWork::AddRestPeriod(Seconds from, Seconds to) {
    TWorkInfo* login = Find(CurrentDate(), LoginName);
    if (login == nullptr || login->Periods.empty())
        return;
    // Rest before the computer was on that day is no rest of the day.
    AddUncoveredRest(*login, std::max(from, login->Periods.front().StartSec), to);
}

int TRunningWork::AddUncoveredRest(TWorkInfo& login, Seconds from, Seconds to) {
    if (login.Periods.empty() || to <= from)
        return 0;
    std::vector<TimeRange> covered;
    for (size_t i = 1; i < login.Periods.size(); ++i)
        covered.emplace_back(login.Periods[i].StartSec, login.Periods[i].EndSec);
    const std::vector<TimeRange> parts = UncoveredParts(from, to, std::move(covered));
    for (const TimeRange& part : parts) {
        const Seconds start = part.first;
        const Seconds end = part.second;
        // In start order among the rest periods, after the span; a rest
        // period that it touches grows instead (one rest, not two halves).
        auto place = std::find_if(login.Periods.begin() + 1, login.Periods.end(),
                                  [start](const TWorkData& p) { return p.StartSec > start; });
        const bool joinsBefore = place - login.Periods.begin() > 1 && (place - 1)->EndSec == start;
        const bool joinsAfter = place != login.Periods.end() && place->StartSec == end;
        if (joinsBefore && joinsAfter) {
            (place - 1)->EndSec = place->EndSec;
            login.Periods.erase(place);
        } else if (joinsBefore) {
            (place - 1)->EndSec = end;
        } else if (joinsAfter) {
            place->StartSec = start;
        } else {
            login.Periods.insert(place, TWorkData{RestName(), {}, start, end});
        }
    }
    CalcTotal(login);
    return static_cast<int>(parts.size());
}

} // namespace zanpel
