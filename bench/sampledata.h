// Synthetic months for the benchmarks: realistic names, categories and memos.
#pragma once

#include "records/clock.h"
#include "records/errorreporter.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

namespace zanpel::bench {

// Fills list with days x items records of periodsPerItem periods each, in the
// month of firstDay, plus a computer-on record with a rest period per day.
void FillMonth(TDataList& list, DayNumber firstDay, int days, int items, int periodsPerItem);

// March 2005 for the summary's benchmarks: an empty list on its first day,
// the clock in April (so no computer-on record is touched), and a working
// day of 9:00 to 18:00 with two rest periods.
class SummaryMonth {
public:
    SummaryMonth();
    static DayNumber FirstDay() { return EncodeDate(2005, 3, 1); }

    FixedClock clock{EncodeDate(2005, 4, 10), 12 * 3600};
    CollectingErrorReporter reporter;
    TDataList list;
    TInitParam settings;
};

// 50 work definitions of 5 rules each (a large list of a real user).
TAppSwitch FiftyDefinitions();

// A window in front, to match against them (UTF-8 texts).
struct Window {
    const char* Exe;
    const char* Title;
};

} // namespace zanpel::bench
