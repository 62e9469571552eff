// The system's record of events reduced to one entry per local calendar day:
// the time of the day's first and of its last event. The work list widens each
// day's computer-on record with these times (TDataList::SyncLoginTimes).
#pragma once

#include "records/timevalues.h"

#include <stop_token>
#include <string>
#include <vector>

namespace zanpel {

class Clock;
class JournalSource;

struct TLoginTime {
    DayNumber Day = 0;
    Seconds FirstTime = 0; // seconds of day of the day's earliest event
    Seconds LastTime = 0;  // seconds of day of the day's latest event
    std::string Note;      // not filled by the reader
    bool operator==(const TLoginTime&) const = default;
};

// The days in the order of their first appearance; the reader goes newest
// first, so the newest day comes first.
class TEventLog {
public:
    void Clear() { m_times.clear(); }
    int Count() const { return static_cast<int>(m_times.size()); }
    // A copy of the entry; an all-zero entry for an index out of range.
    TLoginTime GetEntry(int index) const;
    // Merges time into the entry of its day (the earlier first and the later
    // last time win) or appends it; returns the entry's index.
    int AddTime(const TLoginTime& time);

    // The error number (errno) when the journal could not be opened, else 0.
    // The list is empty then.
    int ErrorCode = 0;

private:
    std::vector<TLoginTime> m_times;
};

// Reads the whole of source newest first in the machine's local time zone,
// leaving out the entries dated before firstDay (0 keeps everything) or after
// today, which may lie anywhere among the others; then adds the present moment of clock,
// so today always has an entry ending now.
//
// Only the source, the clock and the time zone are touched: a program with a
// user interface runs this on a worker thread (with a clock that is safe to
// read from there, such as SystemClock) and hands the result to
// TDataList::SyncLoginTimes on its own thread. A stop request ends the reading
// early; the caller should drop such a log.
TEventLog ReadEventLog(JournalSource& source, DayNumber firstDay, const Clock& clock,
                       std::stop_token stop = {});

} // namespace zanpel
