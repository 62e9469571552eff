// zanpelctl summary YYYYMM [YYYYMM]: the monthly summary as the window shows
// it, in UTF-8 with tab-separated cells; for a range of months each month,
// then the worked hours and the overtime of every month and their total.
#include "cli/context.h"
#include "records/textcodec.h"
#include "reports/summaryrows.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <cstdio>
#include <ostream>

namespace zanpel::cli {
namespace {

void PrintRow(std::ostream& out, std::initializer_list<const std::string*> cells) {
    const char* separator = "";
    for (const std::string* cell : cells) {
        out << separator << Cp932ToUtf8(*cell);
        separator = "\t";
    }
    out << "\n";
}

void PrintMonth(std::ostream& out, const TSummaryView& view) {
    out << Cp932ToUtf8(view.Caption) << "\n";
    for (const TMonthRow& r : view.MonthRows)
        PrintRow(out, {&r.Date, &r.Hours, &r.Start, &r.End});
    out << Cp932ToUtf8(view.OvertimeLine) << "\n\n";
    for (const TDayRow& r : view.DayRows)
        PrintRow(out, {&r.Date, &r.Hours, &r.Duration, &r.Work, &r.Memo});
}

// Minutes as hours with the tenths cut off, as the overtime line shows them.
std::string Hours(int64_t minutes) {
    return std::to_string(minutes / 60) + "." + std::to_string(minutes / 6 % 10);
}

struct MonthTotal {
    YearMonth Month;
    int64_t Worked = 0;
    int64_t Overtime = 0;
};

void PrintTotals(std::ostream& out, const std::vector<MonthTotal>& months) {
    out << "\n月\t作業時間\t残業概算\n";
    MonthTotal all;
    char name[16];
    for (const MonthTotal& m : months) {
        std::snprintf(name, sizeof name, "%04d/%02d", m.Month.Year, m.Month.Month);
        out << name << "\t" << Hours(m.Worked) << "\t" << Hours(m.Overtime) << "\n";
        all.Worked += m.Worked;
        all.Overtime += m.Overtime;
    }
    out << "合計\t" << Hours(all.Worked) << "\t" << Hours(all.Overtime) << "\n";
}

} // namespace

int RunSummary(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {}))
        return ExitUsage;
    YearMonth first;
    YearMonth last;
    if (!ctx.MonthRange(args, "summary", first, last))
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    TInitParam settings;
    int exitCode = ctx.ReadSettings(settings) ? ExitOk : ExitFileError;
    std::vector<MonthTotal> totals;
    for (YearMonth ym = first; ym <= last; ym = ym.Next()) {
        bool loaded = false;
        const auto list = ctx.OpenMonth(ym, false, loaded);
        if (!loaded) // the month shows what could be read, as in the window
            exitCode = ExitFileError;
        const TSummaryView view = BuildSummary(*list, settings);
        if (ym != first)
            ctx.Out << "\n";
        PrintMonth(ctx.Out, view);
        totals.push_back({ym, view.WorkedMinutes, view.OvertimeMinutes});
    }
    if (last != first)
        PrintTotals(ctx.Out, totals);
    return exitCode;
}

} // namespace zanpel::cli
