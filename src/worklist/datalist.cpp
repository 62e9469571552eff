#include "worklist/datalist.h"

#include "records/atomicfile.h"
#include "records/names.h"
#include "records/textcompare.h"
#include "records/timeranges.h"

#include <algorithm>

namespace zanpel {

TDataList::TDataList(const Clock& clock, ErrorReporter& reporter)
    : m_clock(clock), m_reporter(reporter), m_writer(nullptr), m_onTimeStart(Now()) {}

TDataList::~TDataList() = default;

void TDataList::Clear() {
    m_works.clear();
    m_currentWork = nullptr;
}

void TDataList::SetMergeSeconds(int n) {
    if (n > 0)
        m_mergeSeconds = n;
}

void TDataList::SetNoCountSeconds(int n) {
    m_noCountSeconds = n > 0 ? n : 1;
}

void TDataList::SetDataDir(const std::string& folder) {
    m_dataDir = folder;
    if (!m_dataDir.empty() && m_dataDir.back() != '/')
        m_dataDir += '/';
}

bool TDataList::IsLogin(const TWorkInfo* record) const {
    return record != nullptr && record->Name == LoginName;
}

bool TDataList::IsLoginAt(int index) const {
    return IsLogin(WorkAt(index));
}

TWorkInfo* TDataList::FindLogin() {
    return m_currentDate == 0 ? nullptr : Find(m_currentDate, LoginName);
}

bool TDataList::IsSameMonth(DayNumber day) const {
    const CivilDate a = DecodeDate(day);
    const CivilDate b = DecodeDate(m_currentDate);
    return a.Year == b.Year && a.Month == b.Month;
}

bool TDataList::IsCurrentMonth() const {
    return IsSameMonth(TodayNumber());
}

TWorkInfo* TDataList::WorkAt(int index) const {
    return index >= 0 && index < Count() ? m_works[static_cast<size_t>(index)].get() : nullptr;
}

TWorkInfo* TDataList::Find(DayNumber day, const std::string& name) const {
    if (day == 0)
        return nullptr;
    const std::string& key = name == RestName() ? LoginName : name;
    for (const auto& work : m_works)
        if (work->Date == day && work->Name == key)
            return work.get();
    return nullptr;
}

TWorkInfo TDataList::GetWorkCopy(DayNumber day, const std::string& name) const {
    if (const TWorkInfo* found = Find(day, name))
        return *found;
    TWorkInfo empty;
    empty.Date = TodayNumber();
    empty.Name = name;
    return empty;
}

TWorkInfo TDataList::GetWorkAt(int index) const {
    const TWorkInfo* work = WorkAt(index);
    return work ? *work : TWorkInfo{};
}

TWorkInfo* TDataList::AddWork(const TWorkInfo& record) {
    if (record.Date == 0 || record.Name.empty())
        return nullptr;
    if (TWorkInfo* found = Find(record.Date, record.Name))
        return found;
    auto work = std::make_unique<TWorkInfo>(record);
    work->Total = 0;
    m_works.push_back(std::move(work));
    return m_works.back().get();
}

void TDataList::SortWorks(bool ascending) {
    // Equal names (ignoring case) are ordered by their bytes so that the file
    // comes out the same at every save.
    std::sort(m_works.begin(), m_works.end(), [ascending](const auto& a, const auto& b) {
        if (a->Date != b->Date)
            return ascending ? a->Date < b->Date : a->Date > b->Date;
        const int c = CompareTextIgnoreCase(a->Name, b->Name);
        return c != 0 ? c < 0 : a->Name < b->Name;
    });
}

TWorkInfo* TDataList::StartWork(DayNumber day, const std::string& name, bool mayMerge) {
    StopWork();
    if (day == 0 || name.empty())
        return nullptr;
    m_currentWork = Find(day, name);
    if (m_currentWork == nullptr) {
        TWorkInfo record;
        record.Date = day;
        record.Name = name;
        record.Memo = m_appSwitch.MemoOf(name);
        m_currentWork = AddWork(record);
    }
    const Seconds now = Now();
    // The merge counts a short gap as the item's own time: not when another
    // item, or the rest item, was timed in it.
    const bool mayJoin = mayMerge && !OtherTimeSinceLast(*m_currentWork, now);
    AddPeriod(m_currentWork, TWorkData{{}, {}, now, now}, mayJoin);
    return m_currentWork;
}

bool TDataList::OtherTimeSinceLast(const TWorkInfo& record, Seconds now) const {
    if (record.Periods.empty())
        return false;
    const Seconds since = record.Periods.back().EndSec;
    for (const auto& work : m_works) {
        if (work.get() == &record || work->Date != record.Date)
            continue;
        const size_t first = IsLogin(work.get()) ? 1 : 0;
        for (size_t i = first; i < work->Periods.size(); ++i)
            if (work->Periods[i].EndSec > since && work->Periods[i].StartSec < now)
                return true;
    }
    return false;
}

Seconds TDataList::UpdateRunning() {
    UpdateLoginRecord();
    if (m_currentWork == nullptr)
        return 0;
    // A record of a day that is over ran up to its midnight and no further:
    // its period ends at 24:00, however late the caller comes. (Taking the
    // time of day of now would end a period that began at 00:00:00 at its
    // start, and the whole day would be dropped as too short.)
    const bool dayOver = m_currentWork->Date < TodayNumber();
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

void TDataList::ExtendSpanTo(DayNumber day, Seconds end) {
    TWorkInfo* login = Find(day, LoginName);
    if (login != nullptr && !login->Periods.empty())
        login->Periods.front().EndSec = std::max(login->Periods.front().EndSec, end);
}

Seconds TDataList::StopWork() {
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

int TDataList::AddPeriod(TWorkInfo* record, const TWorkData& period, bool mayMerge) {
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

void TDataList::UpdateTotal(TWorkInfo& record, Seconds added) const {
    // A load adds every period through here to a record that starts with no
    // time: keeping the sum makes it linear in the number of periods. Other
    // changes may have left the total behind their periods: counted anew.
    if (m_loading)
        record.Total = static_cast<Seconds>(int64_t{record.Total} + added);
    else
        CalcTotal(record);
}

void TDataList::UpdateLoginRecord() {
    if (!KeepsLoginRecord || m_currentDate != TodayNumber())
        return;
    TWorkInfo key;
    key.Date = m_currentDate;
    key.Name = LoginName;
    TWorkInfo* login = AddWork(key);
    const Seconds now = Now();
    if (login->Periods.empty())
        login->Periods.push_back(TWorkData{{}, {}, m_onTimeStart, now});
    else if (m_onTimeStart < login->Periods.front().StartSec)
        login->Periods.front().StartSec = m_onTimeStart;
    TWorkData& span = login->Periods.front();
    span.Category.clear();
    span.Memo.clear();
    // Within its own day (a clock set back never stretches it into the next).
    span.EndSec = std::max(span.StartSec, now);
}

Seconds TDataList::CalcTotal(TWorkInfo& record) const {
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

void TDataList::ResetTimes(TWorkInfo* record) {
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

bool TDataList::DeleteWork(DayNumber day, const std::string& name) {
    DeleteDefinition(name);
    if (day == 0)
        return false;
    const auto it = std::find_if(m_works.begin(), m_works.end(), [&](const auto& work) {
        return work->Date == day && work->Name == name;
    });
    if (it == m_works.end())
        return false;
    if (it->get() == m_currentWork)
        m_currentWork = nullptr;
    m_works.erase(it);
    return true;
}

void TDataList::Assign(const TDataList& other) {
    if (&other == this)
        return;
    Clear();
    m_currentDate = other.m_currentDate;
    for (const auto& work : other.m_works) {
        auto copy = std::make_unique<TWorkInfo>(*work);
        CalcTotal(*copy);
        m_works.push_back(std::move(copy));
    }
}

void TDataList::RegisterWorkNames() {
    for (const auto& work : m_works) {
        if (work->Date != m_currentDate || IsLogin(work.get()) ||
            m_appSwitch.IndexOf(work->Name) >= 0)
            continue;
        TAppList definition;
        definition.Name = work->Name;
        m_appSwitch.AddEntry(definition);
    }
}

std::string TDataList::GetCategories(const std::string& name) const {
    const int index = m_appSwitch.IndexOf(name);
    return index >= 0 ? m_appSwitch.Items(index).Categories : std::string();
}

void TDataList::SetCategories(const std::string& name, const std::string& text) {
    const int index = m_appSwitch.IndexOf(name);
    if (index >= 0)
        m_appSwitch.Items(index).Categories = text;
}

} // namespace zanpel
