// Synthetic months for the benchmarks: realistic names, categories and memos.
#pragma once

#include "worklist/datalist.h"

namespace zanpel::bench {

// Fills list with days x items records of periodsPerItem periods each, in the
// month of firstDay, plus a computer-on record with a rest period per day.
void FillMonth(TDataList& list, DayNumber firstDay, int days, int items, int periodsPerItem);

// 50 work definitions of 5 rules each (a large list of a real user).
TAppSwitch FiftyDefinitions();

// A window in front, to match against them (UTF-8 texts).
struct Window {
    const char* Exe;
    const char* Title;
};

} // namespace zanpel::bench
