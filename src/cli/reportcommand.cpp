// zanpelctl report YYYYMM [--memo] [--categories] [--period-memos]
// [--subtotals] [--by-date] [--flags N] [--period month|day|week|range]
// [--day D] [--from D] [--to D] [--output FILE]: the text work report of a
// month with the choices of the report dialog, defaulting to the settings.
// With --output the file gets the bytes the window writes (CP932, CR LF);
// without, the report goes to standard output in UTF-8.
#include "cli/context.h"
#include "records/atomicfile.h"
#include "records/textcodec.h"
#include "reports/reportdates.h"
#include "reports/workreport.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <algorithm>
#include <ostream>

namespace zanpel::cli {
namespace {

std::optional<int> PeriodOption(const CliArgs& args, int fallback) {
    if (!args.Has("period"))
        return fallback;
    const std::string name = args.Option("period");
    const char* const names[] = {"month", "day", "week", "range"};
    for (int i = 0; i < 4; ++i)
        if (name == names[i])
            return i;
    return std::nullopt;
}

// A day of the month ym given by option name; 0 when it is not given, none
// when it is no day of that month.
std::optional<DayNumber> DayOption(const CliArgs& args, const char* name, YearMonth ym) {
    if (!args.Has(name))
        return 0;
    const auto day = ParseWholeNumber(args.Option(name));
    if (!day || !IsValidDate(ym.Year, ym.Month, *day))
        return std::nullopt;
    return EncodeDate(ym.Year, ym.Month, *day);
}

// The day chosen in a date list: the given one, which the list must hold, or
// the list's first entry.
std::optional<DayNumber> ListDay(DayNumber given, const std::vector<DayNumber>& list) {
    if (given == 0)
        return list.front();
    if (std::find(list.begin(), list.end(), given) == list.end())
        return std::nullopt;
    return given;
}

// The content switches and the setting's bit each one sets.
const std::pair<const char*, uint16_t> ContentSwitches[] = {{"memo", ReportStandardMemo},
                                                            {"categories", ReportCategoryList},
                                                            {"period-memos", ReportWorkMemo},
                                                            {"subtotals", ReportSubtotal},
                                                            {"by-date", ReportByDate}};

// The content: --flags (a bit mask, for scripts) and the named switches
// together; without either, the settings' choice.
std::optional<int> ContentFlags(const CliArgs& args, uint16_t fallback) {
    bool named = false;
    int flags = 0;
    for (const auto& [name, bit] : ContentSwitches)
        if (args.Has(name)) {
            named = true;
            flags |= bit;
        }
    if (args.Has("flags")) {
        const auto mask = ParseWholeNumber(args.Option("flags"));
        if (!mask || *mask > 0xFFFF)
            return std::nullopt;
        return flags | *mask;
    }
    return named ? flags : fallback;
}

std::string WithLineFeeds(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

} // namespace

int RunReport(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"flags", "period", "day", "from", "to", "output", "memo",
                                "categories", "period-memos", "subtotals", "by-date"}))
        return ExitUsage;
    const auto ym = ctx.SingleMonth(args, "report");
    if (!ym)
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    TInitParam settings;
    int exitCode = ctx.ReadSettings(settings) ? ExitOk : ExitFileError;

    const auto flags = ContentFlags(args, settings.ReportFlags);
    if (!flags)
        return ctx.Usage("--flags は 0 から 65535 の数です: " + args.Option("flags"));
    const auto period = PeriodOption(args, settings.ReportPeriod);
    if (!period)
        return ctx.Usage("--period は month, day, week, range のどれかです: " +
                         args.Option("period"));
    const auto day = DayOption(args, "day", *ym);
    const auto from = DayOption(args, "from", *ym);
    const auto to = DayOption(args, "to", *ym);
    if (!day || !from || !to)
        return ctx.Usage("--day, --from, --to はその月の日 (1-31) です");

    bool loaded = false;
    const auto list = ctx.OpenMonth(*ym, false, loaded);
    if (!loaded)
        exitCode = ExitFileError;
    const TReportDates dates = PrepareReportDates(*list, *day);
    TReportChoice choice{static_cast<uint16_t>(*flags), *period, dates.CurrentDay, 0, 0};
    if ((*period == rpDay || *period == rpWeek) && dates.CurrentDay == 0) {
        ctx.Err << "zanpelctl: この月には記録がないため、日と週の期間は選べません\n";
        return ExitFileError;
    }
    if (*period == rpRange) {
        if (dates.BegDays.empty()) {
            ctx.Err << "zanpelctl: この月にはパソコン使用の記録がないため、日付指定は選べません\n";
            return ExitFileError;
        }
        const auto begin = ListDay(*from, dates.BegDays);
        const auto end = ListDay(*to, dates.EndDays);
        if (!begin || !end)
            return ctx.Usage("--from と --to にはパソコン使用の記録がある日を指定してください");
        choice.Begin = *begin;
        choice.End = *end;
    }
    if (const std::string problem = ReportChoiceProblem(choice); !problem.empty())
        return ctx.Usage(problem);

    const std::string report = BuildReport(*list, choice);
    if (!args.Has("output")) {
        ctx.Out << WithLineFeeds(Cp932ToUtf8(report));
        return exitCode;
    }
    // A report of a month or settings not read whole is not what the user
    // asked for: the file named keeps what it holds.
    if (exitCode != ExitOk) {
        ctx.Err << "zanpelctl: 読めないファイルがあるため、レポートを書込みません: "
                << args.Option("output") << "\n";
        return exitCode;
    }
    AtomicWriter writer;
    const std::string error = WriteReportFile(args.Option("output"), report, ctx.DataDir, writer);
    if (!error.empty()) {
        ctx.Err << "zanpelctl: " << WithLineFeeds(error) << "\n";
        return ExitFileError;
    }
    return exitCode;
}

} // namespace zanpel::cli
