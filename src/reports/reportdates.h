// The choices of the report dialog for a month: the days of its two date
// lists, the current day and the captions of the day and week choices.
#pragma once

#include "records/timevalues.h"

#include <string>
#include <vector>

namespace zanpel {

class TDataList;

// The period choices of the report dialog, in their order (setting PERIOD).
enum TReportPeriod : int {
    rpMonth = 0, // every record
    rpDay = 1,   // the current day
    rpWeek = 2,  // the current day and the seven before it
    rpRange = 3, // from and to the days chosen in the two date lists
};

// What the report dialog offers for a month.
struct TReportDates {
    std::vector<DayNumber> BegDays; // computer-on days, oldest first ("から")
    std::vector<DayNumber> EndDays; // the same days, newest first ("まで")
    DayNumber CurrentDay = 0;       // 0 when the month has no record
    std::string DayChoice;          // "1日(07/10)", CP932; empty without a current day
    std::string WeekChoice;         // "07/03 - 07/10"; empty without a current day
};

// Puts month back into its newest-first order (a report before may have left
// it oldest first) and fills the choices. selected: the day of the summary's
// selected day row, 0 when nothing is selected; the first record's day then.
TReportDates PrepareReportDates(TDataList& month, DayNumber selected);

} // namespace zanpel
