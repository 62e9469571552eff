#include "worklist/workrecords.h"

#include "records/names.h"
#include "records/textcompare.h"
#include "records/timeranges.h"

#include <algorithm>

namespace zanpel {

TWorkRecords::TWorkRecords(const Clock& clock) : m_clock(clock) {}

void TWorkRecords::SetMergeSeconds(int n) {
    if (n > 0)
        m_mergeSeconds = n;
}

bool TWorkRecords::IsLogin(const TWorkInfo* record) const {
    return record != nullptr && record->Name == LoginName;
}

bool TWorkRecords::IsLoginAt(int index) const {
    return IsLogin(WorkAt(index));
}

TWorkInfo* TWorkRecords::FindLogin() {
    return m_currentDate == 0 ? nullptr : Find(m_currentDate, LoginName);
}

bool TWorkRecords::IsSameMonth(DayNumber day) const {
    const CivilDate a = DecodeDate(day);
    const CivilDate b = DecodeDate(m_currentDate);
    return a.Year == b.Year && a.Month == b.Month;
}

bool TWorkRecords::IsCurrentMonth() const {
    return IsSameMonth(TodayNumber());
}

TWorkInfo* TWorkRecords::WorkAt(int index) const {
    return index >= 0 && index < Count() ? m_works[static_cast<size_t>(index)].get() : nullptr;
}

TWorkInfo* TWorkRecords::Find(DayNumber day, const std::string& name) const {
    if (day == 0)
        return nullptr;
    const std::string& key = name == RestName() ? LoginName : name;
    for (const auto& work : m_works)
        if (work->Date == day && work->Name == key)
            return work.get();
    return nullptr;
}

TWorkInfo TWorkRecords::GetWorkCopy(DayNumber day, const std::string& name) const {
    if (const TWorkInfo* found = Find(day, name))
        return *found;
    TWorkInfo empty;
    empty.Date = TodayNumber();
    empty.Name = name;
    return empty;
}

TWorkInfo TWorkRecords::GetWorkAt(int index) const {
    const TWorkInfo* work = WorkAt(index);
    return work ? *work : TWorkInfo{};
}

TWorkInfo* TWorkRecords::AddWork(const TWorkInfo& record) {
    if (record.Date == 0 || record.Name.empty())
        return nullptr;
    if (TWorkInfo* found = Find(record.Date, record.Name))
        return found;
    auto work = std::make_unique<TWorkInfo>(record);
    work->Total = 0;
    m_works.push_back(std::move(work));
    return m_works.back().get();
}

void TWorkRecords::SortWorks(bool ascending) {
    // Equal names (ignoring case) are ordered by their bytes so that the file
    // comes out the same at every save.
    std::sort(m_works.begin(), m_works.end(), [ascending](const auto& a, const auto& b) {
        if (a->Date != b->Date)
            return ascending ? a->Date < b->Date : a->Date > b->Date;
        const int c = CompareTextIgnoreCase(a->Name, b->Name);
        return c != 0 ? c < 0 : a->Name < b->Name;
    });
}

void TWorkRecords::ResetTimes(TWorkInfo* record) {
    auto reset = [](TWorkInfo& work) {
        work.Total = 0;
        work.Periods.clear();
    };
    if (record != nullptr) {
        reset(*record);
        return;
    }
    const DayNumber today = TodayNumber();
    for (const auto& work : m_works)
        if (work->Date == today && !IsLogin(work.get()))
            reset(*work);
}

int TWorkRecords::AddPeriod(TWorkInfo* record, const TWorkData& period, bool mayMerge) {
    if (record == nullptr)
        return -1;
    const bool login = IsLogin(record);
    auto& periods = record->Periods;
    TWorkData added = period;
    if (!periods.empty() && (!login || periods.size() >= 2)) {
        TWorkData& last = periods.back();
        const auto gap =
            static_cast<uint32_t>(period.StartSec) - static_cast<uint32_t>(last.EndSec);
        const bool compatible =
            last.Category == period.Category || last.Category.empty() || period.Category.empty();
        if (mayMerge && static_cast<uint32_t>(m_mergeSeconds) >= gap && compatible) {
            if (last.Category.empty())
                last.Category = period.Category;
            const Seconds grown = period.EndSec - last.EndSec;
            last.EndSec = period.EndSec;
            UpdateTotal(*record, grown);
            return static_cast<int>(periods.size()) - 1;
        }
        if (!m_loading && added.Category.empty() && ContinueCategory)
            added.Category = last.Category;
    }
    periods.push_back(std::move(added));
    if (login && periods.size() > 1)
        periods.back().Category = RestName();
    // The computer-on span (the first period of that record) is not counted.
    UpdateTotal(*record,
                login && periods.size() == 1 ? 0 : periods.back().EndSec - periods.back().StartSec);
    return static_cast<int>(periods.size()) - 1;
}

void TWorkRecords::UpdateTotal(TWorkInfo& record, Seconds added) const {
    // A load adds every period through here to a record that starts with no
    // time: keeping the sum makes it linear in the number of periods. Other
    // changes may have left the total behind their periods: counted anew.
    if (m_loading)
        record.Total = static_cast<Seconds>(int64_t{record.Total} + added);
    else
        CalcTotal(record);
}

Seconds TWorkRecords::CalcTotal(TWorkInfo& record) const {
    int64_t total = 0;
    if (IsLogin(&record)) {
        // The rest time: rest periods that overlap (a file written by hand,
        // or by an older version) count once.
        std::vector<TimeRange> rests;
        for (size_t i = 1; i < record.Periods.size(); ++i)
            rests.emplace_back(record.Periods[i].StartSec, record.Periods[i].EndSec);
        total = CoveredLength(std::move(rests));
    } else {
        for (const TWorkData& period : record.Periods)
            total += int64_t{period.EndSec} - period.StartSec;
    }
    record.Total = static_cast<Seconds>(total);
    return record.Total;
}

} // namespace zanpel
