#include "reports/summaryrows.h"

#include "records/csvfile.h"
#include "records/textcodec.h"
#include "records/timeranges.h"
#include "reports/reporttexts.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {
namespace {

bool HasSpan(const TDataList& month, const TWorkInfo& record) {
    return month.IsLogin(&record) && !record.Periods.empty();
}

std::string OvertimeLine(int64_t overtimeMinutes, int overtimeCalc) {
    static const std::string prefix = Utf8ToCp932("残業概算：");
    return prefix + FormatTenths(overtimeMinutes / 6) + " H " + OverCalcName(overtimeCalc);
}

void AddMonthRows(TDataList& month, const TInitParam& settings, TSummaryView& view) {
    const int base = BaseMinutes(settings);
    month.SortWorks(true);
    for (int i = 0; i < month.Count(); ++i) {
        const TWorkInfo& record = *month.WorkAt(i);
        if (!HasSpan(month, record))
            continue;
        const int64_t worked = WorkedSeconds(record) / 60;
        view.WorkedMinutes += worked;
        view.OvertimeMinutes += DayOvertimeMinutes(worked, base, settings.OvertimeCalc);
        const TWorkData& span = record.Periods.front();
        view.MonthRows.push_back({FormatMonthDay(record.Date),
                                  FormatTenths((worked - worked % 30) / 6),
                                  FormatTime(span.StartSec), FormatTime(span.EndSec), &record});
    }
    view.OvertimeLine = OvertimeLine(view.OvertimeMinutes, settings.OvertimeCalc);
}

void AddDayRows(TDataList& month, TSummaryView& view) {
    month.SortWorks(false);
    DayNumber previous = 0;
    for (int i = 0; i < month.Count(); ++i) {
        const TWorkInfo& record = *month.WorkAt(i);
        const bool login = HasSpan(month, record);
        if (!login && record.Total == 0)
            continue;
        const int64_t seconds = login ? WorkedSeconds(record) : record.Total;
        view.DayRows.push_back(
            {record.Date == previous ? std::string() : FormatMonthDay(record.Date),
             FormatTenths(HalfHourTenths(seconds)), FormatHourMinute(seconds),
             UnescapeText(login ? WorkTimeLabel() : record.Name), EscapeText(record.Memo),
             &record});
        previous = record.Date;
    }
}

} // namespace

int BaseMinutes(const TInitParam& settings) {
    const int begin = settings.WorkDayBegin;
    const int end = settings.WorkDayEnd;
    std::vector<TimeRange> inside; // in minutes
    for (const RestPeriod& rest : SplitRestTimes(settings.RestTimes))
        inside.emplace_back(std::max(begin, rest.Start), std::min(end, rest.End));
    return end - begin - static_cast<int>(CoveredLength(std::move(inside)));
}

int64_t DayOvertimeMinutes(int64_t workedMinutes, int baseMinutes, int overtimeCalc) {
    if (workedMinutes <= baseMinutes)
        return 0;
    const int64_t over = workedMinutes - baseMinutes;
    return overtimeCalc == 1 ? over : over - over % 30;
}

int64_t WorkedSeconds(const TWorkInfo& login) {
    // The rest within the span, overlapping rest periods counted once.
    const TWorkData& span = login.Periods.front();
    std::vector<TimeRange> rests;
    for (size_t i = 1; i < login.Periods.size(); ++i)
        rests.emplace_back(std::max(span.StartSec, login.Periods[i].StartSec),
                           std::min(span.EndSec, login.Periods[i].EndSec));
    return std::max<int64_t>(0, int64_t{span.EndSec} - span.StartSec - CoveredLength(rests));
}

TSummaryView BuildSummary(TDataList& month, const TInitParam& settings) {
    TSummaryView view;
    view.Caption = MonthCaption(month.CurrentDate());
    AddMonthRows(month, settings, view);
    AddDayRows(month, view);
    view.CurrentLogin = month.FindLogin();
    return view;
}

std::vector<TPeriodRow> PeriodRows(const TWorkInfo& record) {
    std::vector<TPeriodRow> rows;
    rows.reserve(record.Periods.size());
    for (const TWorkData& period : record.Periods) {
        const std::string& category =
            period.Category.empty() ? "(*" + record.Name + "*)" : period.Category;
        rows.push_back({UnescapeText(category), FormatTime(period.StartSec),
                        FormatTime(period.EndSec),
                        FormatHourMinute(int64_t{period.EndSec} - period.StartSec),
                        EscapeText(period.Memo), &period});
    }
    return rows;
}

} // namespace zanpel
