// zanpelctl rewrite YYYYMM: load a month and save it again as the bar would.
#include "app/instancelock.h"
#include "cli/context.h"
#include "records/atomicfile.h"
#include "worklist/datalist.h"
#include "worklist/monthformat.h"

#include <ostream>

namespace zanpel::cli {
namespace {

struct Counts {
    int Records = 0;
    int Periods = 0;
};

Counts CountAll(const TDataList& list) {
    Counts c;
    for (int i = 0; i < list.Count(); ++i) {
        ++c.Records;
        c.Periods += static_cast<int>(list.WorkAt(i)->Periods.size());
    }
    return c;
}

Counts CountWritten(const TDataList& list) {
    Counts c;
    for (int i = 0; i < list.Count(); ++i) {
        const TWorkInfo& work = *list.WorkAt(i);
        if (!IsRecordWritten(work))
            continue;
        ++c.Records;
        for (const TWorkData& period : work.Periods)
            c.Periods += IsPeriodWritten(period, list.IsLoginAt(i)) ? 1 : 0;
    }
    return c;
}

} // namespace

int RunRewrite(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {}))
        return ExitUsage;
    const auto ym = ctx.SingleMonth(args, "rewrite");
    if (!ym)
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;

    // Holding the bar's lock while writing keeps a bar from starting on a
    // half-done rewrite; a running bar would overwrite our work at its next save.
    if (!FileExists(ctx.MonthPath(*ym))) {
        ctx.Err << "zanpelctl: 月のファイルがありません。何も書込みません: " << ctx.MonthPath(*ym)
                << "\n";
        return ExitFileError;
    }
    if (IsOtherThanRegularFile(ctx.MonthPath(*ym))) {
        ctx.Err << "zanpelctl: 月のファイルが通常のファイルではありません。何も書込みません: "
                << ctx.MonthPath(*ym) << "\n";
        return ExitFileError;
    }
    const auto lock = ctx.LockOutTheBar();
    if (!lock)
        return ExitFileError;

    bool loaded = false;
    const auto list = ctx.OpenMonth(*ym, true, loaded);
    const Counts read = CountAll(*list);
    ctx.Out << "読込み: " << list->MonthFile() << " " << read.Records << " 件の記録, "
            << read.Periods << " 件の期間\n";
    if (!list->SaveMonth())
        return ExitFileError;
    const Counts written = CountWritten(*list);
    ctx.Out << "書込み: " << list->MonthFile() << " " << written.Records << " 件の記録, "
            << written.Periods << " 件の期間\n";
    if (!list->BrokenCopyPath().empty() || !loaded)
        ctx.Out << "読めなかった元のファイルは残してあります。\n";
    return loaded ? ExitOk : ExitFileError;
}

} // namespace zanpel::cli
