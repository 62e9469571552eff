#include "reports/monthchart.h"

#include "records/csvfile.h"
#include "reports/chartcolours.h"
#include "reports/summaryrows.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <algorithm>
#include <map>

namespace zanpel {
namespace {

// The part of a period that lies within its day.
int64_t SecondsWithinDay(const TWorkData& period) {
    const int64_t from = std::max<int64_t>(0, period.StartSec);
    const int64_t to = std::min<int64_t>(SecondsPerDay, period.EndSec);
    return std::max<int64_t>(0, to - from);
}

int64_t ItemSeconds(const TWorkInfo& record) {
    int64_t seconds = 0;
    for (const TWorkData& period : record.Periods)
        seconds += SecondsWithinDay(period);
    return seconds;
}

bool IsItem(const TDataList& month, const TWorkInfo& record) {
    return !month.IsLogin(&record);
}

struct TItemTotal {
    std::string Name; // as stored
    int64_t Seconds = 0;
};

// The month's items with time on the chart's days, largest first (equal
// ones by name). A line of another month in the file is on no day of it.
std::vector<TItemTotal> ItemTotals(const TDataList& month, DayNumber first, DayNumber last) {
    std::map<std::string, int64_t> seconds;
    for (int i = 0; i < month.Count(); ++i) {
        const TWorkInfo& record = *month.WorkAt(i);
        if (IsItem(month, record) && record.Date >= first && record.Date <= last)
            seconds[record.Name] += ItemSeconds(record);
    }
    std::vector<TItemTotal> totals;
    for (const auto& [name, total] : seconds)
        if (total > 0)
            totals.push_back({name, total});
    std::stable_sort(totals.begin(), totals.end(), [](const TItemTotal& a, const TItemTotal& b) {
        return a.Seconds > b.Seconds;
    });
    return totals;
}

// The entries of totals, and the entry of each item's stored name.
std::vector<TChartEntry> MakeEntries(const std::vector<TItemTotal>& totals,
                                     std::map<std::string, size_t>& entryOf) {
    const size_t own = std::min(totals.size(), ChartOwnEntries);
    std::vector<std::string_view> ownNames;
    for (size_t i = 0; i < own; ++i)
        ownNames.push_back(totals[i].Name);
    const std::vector<int> colours = AssignColours(ownNames);
    std::vector<TChartEntry> entries;
    for (size_t i = 0; i < own; ++i) {
        entries.push_back({UnescapeText(totals[i].Name), false, {}, colours[i], totals[i].Seconds});
        entryOf[totals[i].Name] = i;
    }
    if (own < totals.size()) {
        TChartEntry others{{}, true, {}, -1, 0};
        for (size_t i = own; i < totals.size(); ++i) {
            others.Members.push_back(UnescapeText(totals[i].Name));
            others.Seconds += totals[i].Seconds;
            entryOf[totals[i].Name] = own;
        }
        entries.push_back(std::move(others));
    }
    return entries;
}

std::vector<TChartDay> EmptyDays(DayNumber anyDay, int64_t expectedSeconds) {
    const CivilDate date = DecodeDate(anyDay);
    const DayNumber first = EncodeDate(date.Year, date.Month, 1);
    const DayNumber next = date.Month == 12 ? EncodeDate(date.Year + 1, 1, 1)
                                            : EncodeDate(date.Year, date.Month + 1, 1);
    std::vector<TChartDay> days;
    for (DayNumber day = first; day < next; ++day) {
        const int weekday = WeekdayOf(day);
        TChartDay chartDay;
        chartDay.Date = day;
        chartDay.ExpectedSeconds = expectedSeconds;
        chartDay.Weekend = weekday == 0 || weekday == 6;
        days.push_back(std::move(chartDay));
    }
    return days;
}

// The computer-on time of a day and its overtime, by the summary's rule.
void AddComputerOnTime(const TWorkInfo& login, const TInitParam& settings, TChartDay& day) {
    day.WorkedSeconds = WorkedSeconds(login);
    day.OvertimeSeconds = 60 * DayOvertimeMinutes(day.WorkedSeconds / 60, BaseMinutes(settings),
                                                  settings.OvertimeCalc);
}

} // namespace

int WeekdayOf(DayNumber day) {
    return static_cast<int>(((day % 7) + 13) % 7); // day 0, 1899-12-30, was a Saturday
}

TMonthChart BuildMonthChart(const TDataList& month, const TInitParam& settings) {
    TMonthChart chart;
    // The settings take any hours; a day expects no more than it has.
    const int64_t expected =
        std::clamp<int64_t>(int64_t{BaseMinutes(settings)} * 60, 0, SecondsPerDay);
    chart.Days = EmptyDays(month.CurrentDate(), expected);
    const DayNumber first = chart.Days.front().Date;
    std::map<std::string, size_t> entryOf;
    chart.Entries = MakeEntries(ItemTotals(month, first, chart.Days.back().Date), entryOf);
    std::vector<std::vector<int64_t>> seconds(chart.Days.size(),
                                              std::vector<int64_t>(chart.Entries.size(), 0));
    for (int i = 0; i < month.Count(); ++i) {
        const TWorkInfo& record = *month.WorkAt(i);
        const auto index = static_cast<size_t>(record.Date - first);
        if (record.Date < first || index >= chart.Days.size())
            continue;
        TChartDay& day = chart.Days[index];
        day.HasRecords = true;
        if (!IsItem(month, record)) {
            if (!record.Periods.empty())
                AddComputerOnTime(record, settings, day);
        } else if (const auto entry = entryOf.find(record.Name); entry != entryOf.end()) {
            seconds[index][entry->second] += ItemSeconds(record);
        }
    }
    for (size_t d = 0; d < chart.Days.size(); ++d) {
        TChartDay& day = chart.Days[d];
        for (size_t e = 0; e < chart.Entries.size(); ++e)
            if (seconds[d][e] > 0)
                day.Stack.push_back({e, seconds[d][e]});
        for (const TChartPart& part : day.Stack)
            day.ItemSeconds += part.Seconds;
        chart.ItemSeconds += day.ItemSeconds;
        chart.OvertimeSeconds += day.OvertimeSeconds;
    }
    for (TChartEntry& entry : chart.Entries)
        entry.Share = static_cast<double>(entry.Seconds) / static_cast<double>(chart.ItemSeconds);
    return chart;
}

} // namespace zanpel
