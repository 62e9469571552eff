#include "reports/reportdates.h"

#include "records/textcodec.h"
#include "reports/reporttexts.h"
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {

TReportDates PrepareReportDates(TDataList& month, DayNumber selected) {
    // The summary leaves the month newest first and a report sorts it its own
    // way; going back to newest first gives a second report the same lists.
    month.SortWorks(false);
    TReportDates dates;
    for (int i = 0; i < month.Count(); ++i) {
        if (!month.IsLoginAt(i))
            continue;
        dates.BegDays.insert(dates.BegDays.begin(), month.WorkAt(i)->Date);
        dates.EndDays.push_back(month.WorkAt(i)->Date);
    }
    dates.CurrentDay = selected != 0 ? selected : month.Count() > 0 ? month.WorkAt(0)->Date : 0;
    if (dates.CurrentDay == 0)
        return dates;
    static const std::string oneDay = Utf8ToCp932("1日(");
    dates.DayChoice = oneDay + FormatMonthDay(dates.CurrentDay) + ")";
    const DayNumber weekStart = dates.CurrentDay - 7;
    const DayNumber shownStart =
        dates.BegDays.empty() ? weekStart : std::max(dates.BegDays.front(), weekStart);
    dates.WeekChoice = FormatMonthDay(shownStart) + " - " + FormatMonthDay(dates.CurrentDay);
    return dates;
}

} // namespace zanpel
