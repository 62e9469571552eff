// One work item on one day, and one timed period of it.
#pragma once

#include "records/timevalues.h"

#include <string>
#include <vector>

namespace zanpel {

struct TWorkData {
    std::string Category;
    std::string Memo;
    Seconds StartSec = 0;
    Seconds EndSec = 0; // past 86400 when the period runs past midnight
    bool operator==(const TWorkData&) const = default;
};

struct TWorkInfo {
    DayNumber Date = 0;
    std::string Name; // "%LOGIN%" for the day's computer-on record
    std::string Memo;
    Seconds Total = 0;
    std::vector<TWorkData> Periods;
    bool operator==(const TWorkInfo&) const = default;
};

// Removes the period at index (later ones move down); Total is left as it is.
void DeletePeriod(TWorkInfo& record, int index);

// A period of another item on the record's day.
struct TOtherWork {
    std::string Name;
    Seconds StartSec = 0;
    Seconds EndSec = 0;
    bool Running = false; // the running period, which reaches up to now
};

} // namespace zanpel
