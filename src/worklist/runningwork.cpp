#include "worklist/runningwork.h"

#include "records/names.h"

#include <algorithm>

namespace zanpel {

TRunningWork::TRunningWork(const Clock& clock) : TWorkRecords(clock), m_onTimeStart(Now()) {}

void TRunningWork::Clear() {
    Works().clear();
    m_currentWork = nullptr;
}

bool TRunningWork::DeleteWork(DayNumber day, const std::string& name) {
    AppSwitch().DeleteByName(name);
    if (day == 0)
        return false;
    auto& works = Works();
    const auto it = std::find_if(works.begin(), works.end(), [&](const auto& work) {
        return work->Date == day && work->Name == name;
    });
    if (it == works.end())
        return false;
    if (it->get() == m_currentWork)
        m_currentWork = nullptr;
    works.erase(it);
    return true;
}

void TRunningWork::SetNoCountSeconds(int n) {
    m_noCountSeconds = n > 0 ? n : 1;
}

TWorkInfo* TRunningWork::StartWork(DayNumber day, const std::string& name, bool mayMerge) {
    StopWork();
    if (day == 0 || name.empty())
        return nullptr;
    m_currentWork = Find(day, name);
    if (m_currentWork == nullptr) {
        TWorkInfo record;
        record.Date = day;
        record.Name = name;
        record.Memo = AppSwitch().MemoOf(name);
        m_currentWork = AddWork(record);
    }
    const Seconds now = Now();
    // The merge counts a short gap as the item's own time: not when another
    // item, or the rest item, was timed in it.
    const bool mayJoin = mayMerge && !OtherTimeSinceLast(*m_currentWork, now);
    AddPeriod(m_currentWork, TWorkData{{}, {}, now, now}, mayJoin);
    return m_currentWork;
}

bool TRunningWork::OtherTimeSinceLast(const TWorkInfo& record, Seconds now) const {
    if (record.Periods.empty())
        return false;
    const Seconds since = record.Periods.back().EndSec;
    for (const auto& work : Works()) {
        if (work.get() == &record || work->Date != record.Date)
            continue;
        const size_t first = IsLogin(work.get()) ? 1 : 0;
        for (size_t i = first; i < work->Periods.size(); ++i)
            if (work->Periods[i].EndSec > since && work->Periods[i].StartSec < now)
                return true;
    }
    return false;
}

Seconds TRunningWork::UpdateRunning() {
    UpdateLoginRecord();
    if (m_currentWork == nullptr)
        return 0;
    // A record of a day that is over ran up to its midnight and no further:
    // its period ends at 24:00, however late the caller comes. (Taking the
    // time of day of now would end a period that began at 00:00:00 at its
    // start, and the whole day would be dropped as too short.)
    const bool dayOver = m_currentWork->Date < TodayNumber();
    // A clock set back behind the record's day adds nothing to it.
    if (m_currentWork->Date > TodayNumber())
        return CalcTotal(*m_currentWork);
    const Seconds end = dayOver ? SecondsPerDay : Now();
    if (m_currentWork->Periods.empty()) {
        if (dayOver)
            return CalcTotal(*m_currentWork);
        m_currentWork->Periods.push_back(TWorkData{{}, {}, end, end});
    }
    TWorkData& last = m_currentWork->Periods.back();
    last.EndSec = std::max(last.StartSec, end);
    if (dayOver)
        ExtendSpanTo(m_currentWork->Date, SecondsPerDay);
    return CalcTotal(*m_currentWork);
}

void TRunningWork::ExtendSpanTo(DayNumber day, Seconds end) {
    TWorkInfo* login = Find(day, LoginName);
    if (login != nullptr && !login->Periods.empty())
        login->Periods.front().EndSec = std::max(login->Periods.front().EndSec, end);
}

Seconds TRunningWork::StopWork() {
    if (m_currentWork == nullptr)
        return 0;
    UpdateRunning();
    TWorkInfo& work = *m_currentWork;
    if (!work.Periods.empty()) {
        const TWorkData& last = work.Periods.back();
        if (int64_t{m_noCountSeconds} >= int64_t{last.EndSec} - last.StartSec) {
            work.Periods.pop_back();
            CalcTotal(work);
        }
    }
    m_currentWork = nullptr;
    return work.Total;
}

void TRunningWork::UpdateLoginRecord() {
    if (!KeepsLoginRecord || CurrentDate() != TodayNumber())
        return;
    TWorkInfo key;
    key.Date = CurrentDate();
    key.Name = LoginName;
    TWorkInfo* login = AddWork(key);
    const Seconds now = Now();
    if (login->Periods.empty())
        login->Periods.push_back(TWorkData{{}, {}, m_onTimeStart, now});
    TWorkData& span = login->Periods.front();
    span.Category.clear();
    span.Memo.clear();
    // Within its own day (a clock set back never stretches it into the next
    // or takes from it, and now lies in it).
    span.StartSec = std::min({span.StartSec, m_onTimeStart, now});
    span.EndSec = std::max({span.StartSec, span.EndSec, now});
}

} // namespace zanpel
