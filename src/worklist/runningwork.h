// The running state of the work list: the record that runs now, its start,
// its stop (which drops a period too short to count) and its running period
// brought up to now, the day's computer-on record that grows with the time
// the machine is on, what a sleep of the machine ends, and the time booked
// while the user was away, moved afterwards.
#pragma once

#include "records/timeranges.h"
#include "worklist/workrecords.h"

#include <string>
#include <vector>

namespace zanpel {

class TEventLog;

class TRunningWork : public TWorkRecords {
public:
    explicit TRunningWork(const Clock& clock);

    // Removes every record; none runs.
    void Clear();
    // Removes the record of day and name (none runs if it ran) and the
    // item's definition.
    bool DeleteWork(DayNumber day, const std::string& name);

    TWorkInfo* CurrentWork() const { return m_currentWork; }
    int NoCountSeconds() const { return m_noCountSeconds; }
    void SetNoCountSeconds(int n);
    // mayMerge false: a new period even right after the item's last one.
    TWorkInfo* StartWork(DayNumber day, const std::string& name, bool mayMerge = true);
    Seconds UpdateRunning();
    Seconds StopWork();

    // The command-line tool reads and writes months without being "the running
    // program": it never creates or extends a computer-on record.
    bool KeepsLoginRecord = true;

    // --- sleep of the machine (sleeprecords.cpp)
    // Ends the running period, and the current day's computer-on span, at the
    // moment the machine went to sleep; nothing runs afterwards.
    void CloseForSleep(TDateTime asleep);
    // Adds the part of from..to (seconds of the current day) that no rest
    // period covers yet as rest periods of the day's computer-on record.
    void AddRestPeriod(Seconds from, Seconds to);
    // Adds the parts of from..to that no rest period of login covers yet as
    // rest periods, in start order; answers how many were added.
    int AddUncoveredRest(TWorkInfo& login, Seconds from, Seconds to);

    // --- time booked while the user was away (awayrecords.cpp). The
    // running record's last period counts as reaching up to where it is
    // asked about: it has been timing since, however late the last tick was.
    // The record of day, the computer-on record for the rest item, with a
    // period at second s; none when nothing ran then.
    TWorkInfo* RecordRunningAt(DayNumber day, Seconds s) const;
    // The parts of within that record's periods hold and no range of kept
    // covers, in order.
    std::vector<TimeRange> BookedParts(const TWorkInfo& record, TimeRange within,
                                       const std::vector<TimeRange>& kept) const;
    // Takes parts (of BookedParts) out of record's periods, which are split
    // around them; the running record goes on from goOnFrom.
    void TakeOutParts(TWorkInfo& record, const std::vector<TimeRange>& parts, Seconds goOnFrom);
    // Books parts as periods of the item name on day, in start order.
    void BookParts(DayNumber day, const std::string& name, const std::vector<TimeRange>& parts);
    // The parts within day's computer-on span become rest periods of it.
    void AddRestParts(DayNumber day, const std::vector<TimeRange>& parts);
    // The computer-on span of day starts at s or at the day's first period,
    // whichever is earlier, but never earlier than it did.
    void StartDayLater(DayNumber day, Seconds s);

    // Widens the computer-on records of this month with the per-day first and
    // last times of the system log (loginsync.cpp).
    void SyncLoginTimes(const TEventLog& log);

protected:
    // Today's computer-on record, made when missing, runs from the start of
    // the day's time on up to now.
    void UpdateLoginRecord();
    // The day's time on starts now (at a change of day).
    void RestartOnTime() { m_onTimeStart = Now(); }

private:
    // Whether a period of another record of record's day lies between the
    // end of record's last period and now.
    bool OtherTimeSinceLast(const TWorkInfo& record, Seconds now) const;
    // The computer-on span of day reaches at least to end.
    void ExtendSpanTo(DayNumber day, Seconds end);
    // Where a period of record ends for the away spells: the running one
    // reaches to until, where the clock has been there.
    Seconds ReachOf(const TWorkInfo& record, size_t index, Seconds until) const;

    TWorkInfo* m_currentWork = nullptr;
    Seconds m_onTimeStart = 0;
    int m_noCountSeconds = 1;
};

} // namespace zanpel
