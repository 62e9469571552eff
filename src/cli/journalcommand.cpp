// zanpelctl journal [YYYYMM] [--file PATH|--directory DIR]: the first and last
// time of each day in the system journal, newest first, back to the first day
// of the month (the current month when none is given).
#include "cli/context.h"
#include "cli/journalargs.h"
#include "tracking/journalopen.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <vector>

namespace zanpel::cli {

int RunJournal(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"file", "directory"}))
        return ExitUsage;
    if (args.Arguments.size() > 1)
        return ctx.Usage("journal に指定できる月 (YYYYMM) は一つです");
    const CivilDate today = DecodeDate(Today(ctx.Now));
    YearMonth ym{today.Year, today.Month};
    if (!args.Arguments.empty()) {
        const auto given = ParseYearMonth(args.Arguments[0]);
        if (!given)
            return ctx.Usage("月は YYYYMM の形で指定してください: " + args.Arguments[0]);
        ym = *given;
    }
    const auto where = LocationOption(args, ctx);
    if (!where)
        return ExitUsage;

    const TEventLog log = ReadJournal(*where, EncodeDate(ym.Year, ym.Month, 1), ctx.Now);
    if (log.ErrorCode != 0) {
        ReportJournalOpenError(*where, log.ErrorCode, ctx);
        return ExitFileError;
    }
    // The list keeps the order of reading, with the present moment last.
    std::vector<TLoginTime> days;
    for (int i = 0; i < log.Count(); ++i)
        days.push_back(log.GetEntry(i));
    std::stable_sort(days.begin(), days.end(),
                     [](const TLoginTime& a, const TLoginTime& b) { return a.Day > b.Day; });
    for (const TLoginTime& day : days)
        ctx.Out << FormatDate(day.Day) << "  " << FormatTime(day.FirstTime) << "-"
                << FormatTime(day.LastTime) << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
