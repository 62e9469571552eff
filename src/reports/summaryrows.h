// The rows of the monthly summary's three lists and its overtime line,
// computed from a month of records and the working day of the settings. The
// summary window shows them; zanpelctl summary prints them.
#pragma once

#include "records/workinfo.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zanpel {

class TDataList;
class TInitParam;

// Cells are CP932 texts as the window shows them; each row refers to what it
// shows, valid until the month is changed or reloaded.
struct TMonthRow {
    std::string Date, Hours, Start, End;
    const TWorkInfo* Record = nullptr;
};

struct TDayRow {
    std::string Date, Hours, Duration, Work, Memo;
    const TWorkInfo* Record = nullptr;
};

struct TPeriodRow {
    std::string Work, Start, End, Duration, Memo;
    const TWorkData* Period = nullptr;
};

struct TSummaryView {
    std::string Caption; // "2005年 7 月度集計"
    std::vector<TMonthRow> MonthRows;
    int64_t WorkedMinutes = 0; // of every day in the month list
    int64_t OvertimeMinutes = 0;
    std::string OvertimeLine; // "残業概算： 1.2 H (累積集計)"
    std::vector<TDayRow> DayRows;
    // The computer-on record of the month's current day, selected first.
    const TWorkInfo* CurrentLogin = nullptr;
};

// Minutes of the working day less the rest periods that fall inside it.
// Overlapping rest periods count once.
int BaseMinutes(const TInitParam& settings);

// The overtime of one day that worked workedMinutes against a working day
// of baseMinutes: the minutes beyond it, rounded down to the half hour per
// day unless overtimeCalc is 1 (accumulated). Short days count 0.
int64_t DayOvertimeMinutes(int64_t workedMinutes, int baseMinutes, int overtimeCalc);

// The span of a computer-on record less its rest time; never below 0 (rest
// periods reaching outside the span would otherwise give a negative time).
// The record must have its span.
int64_t WorkedSeconds(const TWorkInfo& login);

// Sorts month by date, builds every row and leaves month sorted newest day
// first, the order the report's date lists start from.
TSummaryView BuildSummary(TDataList& month, const TInitParam& settings);

// The periods of one record, in stored order.
std::vector<TPeriodRow> PeriodRows(const TWorkInfo& record);

} // namespace zanpel
