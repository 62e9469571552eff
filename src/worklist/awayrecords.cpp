// What the answer about an away spell does to the records: the time an item
// booked while the user was away is taken out of its periods and becomes a
// rest or another item's time, while the running item goes on timing.
#include "records/names.h"
#include "worklist/runningwork.h"

#include <algorithm>

namespace zanpel {
namespace {

bool Overlaps(const std::vector<TimeRange>& parts, Seconds from, Seconds to) {
    return std::any_of(parts.begin(), parts.end(), [&](const TimeRange& part) {
        return part.first < to && from < part.second;
    });
}

} // namespace

Seconds TRunningWork::ReachOf(const TWorkInfo& record, size_t index, Seconds until) const {
    const TWorkData& period = record.Periods[index];
    if (&record != m_currentWork || index + 1 != record.Periods.size())
        return period.EndSec;
    // It has been timing up to now, or to its day's end; a clock set back
    // since has not timed what lies ahead of it.
    const DayNumber today = TodayNumber();
    const Seconds now = record.Date < today ? SecondsPerDay : record.Date == today ? Now() : 0;
    return std::max(period.EndSec, std::min(until, now));
}

TWorkInfo* TRunningWork::RecordRunningAt(DayNumber day, Seconds s) const {
    TWorkInfo* found = nullptr;
    for (const auto& work : Works()) {
        if (work->Date != day)
            continue;
        const bool login = IsLogin(work.get());
        for (size_t i = login ? 1 : 0; i < work->Periods.size(); ++i) {
            if (work->Periods[i].StartSec > s || s >= ReachOf(*work, i, s + 1))
                continue;
            // A rest there wins over an item's period that a sync put under it.
            if (login)
                return work.get();
            found = work.get();
        }
    }
    return found;
}

std::vector<TimeRange> TRunningWork::BookedParts(const TWorkInfo& record, TimeRange within,
                                                 const std::vector<TimeRange>& kept) const {
    std::vector<TimeRange> booked;
    for (size_t i = IsLogin(&record) ? 1 : 0; i < record.Periods.size(); ++i) {
        const Seconds from = std::max(record.Periods[i].StartSec, within.first);
        const Seconds to = std::min(ReachOf(record, i, within.second), within.second);
        if (from >= to)
            continue;
        for (const TimeRange& part : UncoveredParts(from, to, kept))
            booked.push_back(part);
    }
    return UnionOf(std::move(booked));
}

void TRunningWork::TakeOutParts(TWorkInfo& record, const std::vector<TimeRange>& parts,
                                Seconds goOnFrom) {
    std::vector<TWorkData> periods;
    for (size_t i = 0; i < record.Periods.size(); ++i) {
        const TWorkData& p = record.Periods[i];
        const Seconds end = ReachOf(record, i, goOnFrom);
        if (!Overlaps(parts, p.StartSec, end)) {
            periods.push_back(p);
            continue;
        }
        for (const auto& [from, to] : UncoveredParts(p.StartSec, end, parts))
            periods.push_back(TWorkData{p.Category, p.Memo, from, to});
        // The running period grows from its last piece at the next tick: it
        // must begin after the parts, or it would take them back.
        const bool running = &record == m_currentWork && i + 1 == record.Periods.size();
        if (running && (periods.empty() || periods.back().EndSec < end))
            periods.push_back(TWorkData{p.Category, p.Memo, goOnFrom, goOnFrom});
    }
    record.Periods = std::move(periods);
    CalcTotal(record);
}

void TRunningWork::BookParts(DayNumber day, const std::string& name,
                             const std::vector<TimeRange>& parts) {
    TWorkInfo key;
    key.Date = day;
    key.Name = name;
    key.Memo = AppSwitch().MemoOf(name);
    TWorkInfo* record = parts.empty() ? nullptr : AddWork(key);
    // Rest goes to the computer-on record through AddRestParts, as rest.
    if (record == nullptr || IsLogin(record))
        return;
    auto& periods = record->Periods;
    for (const TimeRange& part : parts) {
        const Seconds from = part.first;
        const auto place = std::find_if(periods.begin(), periods.end(),
                                        [from](const TWorkData& p) { return p.StartSec > from; });
        periods.insert(place, TWorkData{{}, {}, from, part.second});
    }
    CalcTotal(*record);
}

void TRunningWork::AddRestParts(DayNumber day, const std::vector<TimeRange>& parts) {
    TWorkInfo* login = Find(day, LoginName);
    if (login == nullptr || login->Periods.empty())
        return;
    const TWorkData span = login->Periods.front();
    for (const auto& [from, to] : parts)
        AddUncoveredRest(*login, std::max(from, span.StartSec), std::min(to, span.EndSec));
}

void TRunningWork::StartDayLater(DayNumber day, Seconds s) {
    TWorkInfo* login = Find(day, LoginName);
    if (login == nullptr || login->Periods.empty())
        return;
    Seconds first = s;
    for (const auto& work : Works())
        if (work->Date == day)
            for (size_t i = IsLogin(work.get()) ? 1 : 0; i < work->Periods.size(); ++i)
                first = std::min(first, work->Periods[i].StartSec);
    TWorkData& span = login->Periods.front();
    if (first <= span.StartSec)
        return;
    span.StartSec = std::min(first, span.EndSec);
    // The next tick widens today's span back to where the day's time on began.
    if (day == CurrentDate())
        m_onTimeStart = std::max(m_onTimeStart, span.StartSec);
}

} // namespace zanpel
