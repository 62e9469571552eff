// The storage of the work list: the records of one month, found by day and
// name, the periods added to them with the merge rule, their totals, and the
// definitions of their items (a new record takes its memo from there).
#pragma once

#include "records/clock.h"
#include "records/workinfo.h"
#include "tracking/appswitch.h"

#include <memory>
#include <string>
#include <vector>

namespace zanpel {

class TWorkRecords {
public:
    explicit TWorkRecords(const Clock& clock);
    TWorkRecords(const TWorkRecords&) = delete;
    TWorkRecords& operator=(const TWorkRecords&) = delete;

    // The day the list is on; its month is the month of the records.
    DayNumber CurrentDate() const { return m_currentDate; }
    bool IsSameMonth(DayNumber day) const;
    bool IsCurrentMonth() const;
    const Clock& GetClock() const { return m_clock; }
    TAppSwitch& AppSwitch() { return m_appSwitch; }
    const TAppSwitch& AppSwitch() const { return m_appSwitch; }

    int Count() const { return static_cast<int>(m_works.size()); }
    TWorkInfo* WorkAt(int index) const;
    TWorkInfo* Find(DayNumber day, const std::string& name) const;
    TWorkInfo GetWorkCopy(DayNumber day, const std::string& name) const;
    TWorkInfo GetWorkAt(int index) const;
    TWorkInfo* AddWork(const TWorkInfo& record);
    void SortWorks(bool ascending);
    // Empties record, or without one every record of today but the
    // computer-on record.
    void ResetTimes(TWorkInfo* record);

    bool IsLogin(const TWorkInfo* record) const;
    bool IsLoginAt(int index) const;
    TWorkInfo* FindLogin();

    int MergeSeconds() const { return m_mergeSeconds; }
    void SetMergeSeconds(int n);
    bool ContinueCategory = false;
    // mayMerge false: a new period even right after the record's last one.
    int AddPeriod(TWorkInfo* record, const TWorkData& period, bool mayMerge = true);
    Seconds CalcTotal(TWorkInfo& record) const;

protected:
    // The records themselves, for the parts of the list built on this one
    // (loading, clearing and deleting keep their own rules).
    std::vector<std::unique_ptr<TWorkInfo>>& Works() { return m_works; }
    const std::vector<std::unique_ptr<TWorkInfo>>& Works() const { return m_works; }
    void SetCurrentDate(DayNumber day) { m_currentDate = day; }
    // While a month file is read, totals are summed instead of counted anew
    // and a period takes no category from the one before.
    void SetLoading(bool loading) { m_loading = loading; }
    Seconds Now() const { return NowSeconds(m_clock); }
    DayNumber TodayNumber() const { return Today(m_clock); }

private:
    void UpdateTotal(TWorkInfo& record, Seconds added) const;

    const Clock& m_clock;
    std::vector<std::unique_ptr<TWorkInfo>> m_works;
    DayNumber m_currentDate = 0;
    int m_mergeSeconds = 1;
    bool m_loading = false;
    TAppSwitch m_appSwitch;
};

} // namespace zanpel
