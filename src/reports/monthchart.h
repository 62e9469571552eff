// The figures of the summary's month chart, from the same records and rules
// as the summary's lists: for each day of the month the worked time per item
// as a stack, the expected hours of the working day, the overtime as the
// summary counts it, and whether the day is a weekend and has records; for
// the month the total and share of each item. The largest items keep an
// entry of their own, the others share one ("その他").
#pragma once

#include "records/timevalues.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zanpel {

class TDataList;
class TInitParam;

// Items with an entry of their own; the rest are grouped.
inline constexpr size_t ChartOwnEntries = 8;

struct TChartPart {
    size_t Entry = 0; // index into TMonthChart::Entries
    int64_t Seconds = 0;
    bool operator==(const TChartPart&) const = default;
};

struct TChartDay {
    DayNumber Date = 0;
    // The time of each entry on the day (none of 0), in the order of the
    // entries: the largest at the bottom of the bar.
    std::vector<TChartPart> Stack;
    int64_t ItemSeconds = 0;   // the sum of the stack
    int64_t WorkedSeconds = 0; // the computer-on span less its rests, 0 without one
    int64_t ExpectedSeconds = 0;
    int64_t OvertimeSeconds = 0;
    bool Weekend = false;
    bool HasRecords = false;
};

struct TChartEntry {
    std::string Name; // CP932, as the lists show it; empty for the grouped entry
    bool Others = false;
    std::vector<std::string> Members; // the grouped entry's items, largest first
    int Colour = -1;                  // index into ChartPalette; -1 for the grouped entry
    int64_t Seconds = 0;
    double Share = 0; // of the month's item time, 0 to 1
};

struct TMonthChart {
    std::vector<TChartDay> Days; // every day of the month, the first day first
    std::vector<TChartEntry> Entries;
    int64_t ItemSeconds = 0;
    int64_t OvertimeSeconds = 0;
};

// The chart of month's month. Item time is counted within its day: a period
// written past midnight by an older version ends at 24:00 here. Rest periods
// are no item's time.
TMonthChart BuildMonthChart(const TDataList& month, const TInitParam& settings);

// 0 for Sunday up to 6 for Saturday.
int WeekdayOf(DayNumber day);

} // namespace zanpel
