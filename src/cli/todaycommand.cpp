// zanpelctl today: today's records, as a quick look at the data.
#include "cli/context.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "worklist/datalist.h"

#include <ostream>

namespace zanpel::cli {
namespace {

void PrintPeriods(const TWorkInfo& work, size_t first, const Context& ctx) {
    for (size_t k = first; k < work.Periods.size(); ++k) {
        const TWorkData& p = work.Periods[k];
        ctx.Out << "    " << FormatDuration(p.StartSec) << "-" << FormatDuration(p.EndSec);
        if (!p.Category.empty())
            ctx.Out << "  " << Cp932ToUtf8(p.Category);
        if (!p.Memo.empty())
            ctx.Out << "  " << Cp932ToUtf8(p.Memo);
        ctx.Out << "\n";
    }
}

} // namespace

int RunToday(const CliArgs& args, const Context& ctx) {
    if (!ctx.TakesNothing(args, "today"))
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;
    const DayNumber today = Today(ctx.Now);
    const CivilDate date = DecodeDate(today);
    bool loaded = false;
    const auto list = ctx.OpenMonth({date.Year, date.Month}, false, loaded);
    list->SortWorks(true);
    ctx.Out << FormatDate(today) << "  (" << ctx.DataDir << ")\n";
    int shown = 0;
    for (int i = 0; i < list->Count(); ++i) {
        const TWorkInfo& work = *list->WorkAt(i);
        if (work.Date != today)
            continue;
        ++shown;
        if (list->IsLoginAt(i)) {
            if (!work.Periods.empty())
                ctx.Out << "  パソコン使用  " << FormatDuration(work.Periods[0].StartSec) << "-"
                        << FormatDuration(work.Periods[0].EndSec) << "  休憩 "
                        << FormatDuration(work.Total) << "\n";
            PrintPeriods(work, 1, ctx);
            continue;
        }
        ctx.Out << "  " << Cp932ToUtf8(work.Name) << "  " << FormatDuration(work.Total) << "\n";
        PrintPeriods(work, 0, ctx);
    }
    if (shown == 0)
        ctx.Out << "  今日の記録はまだありません。\n";
    return loaded ? ExitOk : ExitFileError;
}

} // namespace zanpel::cli
