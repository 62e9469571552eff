// What a sleep of the machine does to the records: the running period and
// the day's computer-on span end when it went to sleep, and a sleep within
// the day becomes a rest period, so that the day's worked time leaves it out.
#include "records/datalist.h"
#include "records/names.h"

#include <algorithm>
#include <utility>

namespace zanpel {
namespace {

// Seconds of asleep counted from the start of day (past 86400 on the day after).
Seconds SecondsFrom(DayNumber day, TDateTime asleep) {
    return SecondsOfDay(asleep) + static_cast<Seconds>(WholeDays(asleep) - day) * SecondsPerDay;
}

} // namespace

void TDataList::CloseForSleep(TDateTime asleep) {
    if (m_currentDate == 0 || WholeDays(asleep) < m_currentDate ||
        WholeDays(asleep) > m_currentDate + 1)
        return; // the list is on another day: nothing of it ran up to the sleep
    const Seconds end = SecondsFrom(m_currentDate, asleep);
    if (m_currentWork != nullptr && !m_currentWork->Periods.empty()) {
        TWorkData& last = m_currentWork->Periods.back();
        last.EndSec = std::max(last.StartSec, end);
        TWorkInfo& work = *m_currentWork;
        if (int64_t{m_noCountSeconds} >= int64_t{last.EndSec} - last.StartSec)
            work.Periods.pop_back();
        CalcTotal(work);
    }
    m_currentWork = nullptr;
    TWorkInfo* login = Find(m_currentDate, LoginName);
    if (login != nullptr && !login->Periods.empty() && end > login->Periods.front().StartSec)
        login->Periods.front().EndSec = end;
}

void TDataList::AddRestPeriod(Seconds from, Seconds to) {
    TWorkInfo* login = Find(m_currentDate, LoginName);
    if (login == nullptr || login->Periods.empty() || to <= from)
        return;
    // The parts of from..to between the rest periods already there.
    std::vector<std::pair<Seconds, Seconds>> covered;
    for (size_t i = 1; i < login->Periods.size(); ++i)
        covered.emplace_back(login->Periods[i].StartSec, login->Periods[i].EndSec);
    std::sort(covered.begin(), covered.end());
    std::vector<TWorkData> added;
    Seconds at = from;
    for (const auto& [start, end] : covered) {
        if (start > at)
            added.push_back(TWorkData{RestName(), {}, at, std::min(start, to)});
        at = std::max(at, end);
        if (at >= to)
            break;
    }
    if (at < to)
        added.push_back(TWorkData{RestName(), {}, at, to});
    for (const TWorkData& rest : added) {
        if (rest.EndSec <= rest.StartSec)
            continue;
        // In start order among the rest periods, after the span.
        auto place = std::find_if(login->Periods.begin() + 1, login->Periods.end(),
                                  [&](const TWorkData& p) { return p.StartSec > rest.StartSec; });
        login->Periods.insert(place, rest);
    }
    CalcTotal(*login);
}

} // namespace zanpel
