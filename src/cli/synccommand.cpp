// zanpelctl sync YYYYMM [--file PATH|--directory DIR]: widen the month's
// computer-on spans with the first and last times of the system journal, as
// the bar's start-up sync does, and save the month.
#include "app/instancelock.h"
#include "cli/context.h"
#include "cli/journalargs.h"
#include "records/datalist.h"
#include "tracking/journalsource.h"

#include <map>
#include <optional>
#include <ostream>
#include <system_error>

namespace zanpel::cli {
namespace {

// The computer-on span of every day that has one.
std::map<DayNumber, TWorkData> LoginSpans(const TDataList& list) {
    std::map<DayNumber, TWorkData> spans;
    for (int i = 0; i < list.Count(); ++i)
        if (list.IsLoginAt(i) && !list.WorkAt(i)->Periods.empty())
            spans[list.WorkAt(i)->Date] = list.WorkAt(i)->Periods.front();
    return spans;
}

std::string SpanText(const TWorkData& span) {
    return FormatDuration(span.StartSec) + "-" + FormatDuration(span.EndSec);
}

} // namespace

int RunSync(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"file", "directory"}))
        return ExitUsage;
    if (args.Arguments.size() != 1)
        return ctx.Usage("sync には月 (YYYYMM) を一つ指定してください");
    const auto ym = ParseYearMonth(args.Arguments[0]);
    if (!ym)
        return ctx.Usage("月は YYYYMM の形で指定してください: " + args.Arguments[0]);
    const auto where = LocationOption(args, ctx);
    if (!where)
        return ExitUsage;

    // As with rewrite: a running bar would overwrite the result at its next save.
    const std::string runtime = InstanceLock::RuntimeFolder();
    if (!ctx.RuntimeFolderIsSafe(runtime))
        return ExitFileError;
    InstanceLock lock(runtime);
    if (!ctx.LockOutTheBar(lock))
        return ExitFileError;

    // A file that cannot be read whole is not written at all (saving would drop
    // what could not be read; rewrite is the command for a broken file), so the
    // list is opened as one that keeps no copy, and saved explicitly below.
    bool loaded = false;
    const auto list = ctx.OpenMonth(*ym, false, loaded);
    if (!loaded) {
        ctx.Err << "zanpelctl: 月のファイルが読めないため書込みません: " << list->MonthFile()
                << "\n";
        return ExitFileError;
    }
    const TEventLog log = ReadJournal(*where, EncodeDate(ym->Year, ym->Month, 1), ctx.Now);
    if (log.ErrorCode != 0) {
        ReportJournalOpenError(*where, log.ErrorCode, ctx);
        return ExitFileError;
    }

    const std::map<DayNumber, TWorkData> before = LoginSpans(*list);
    list->SyncLoginTimes(log);
    int changed = 0;
    for (const auto& [day, span] : LoginSpans(*list)) {
        const auto old = before.find(day);
        if (old != before.end() && old->second == span)
            continue;
        ++changed;
        ctx.Out << FormatDate(day) << "  "
                << (old == before.end() ? std::string("(なし)") : SpanText(old->second)) << " → "
                << SpanText(span) << "\n";
    }
    if (changed == 0) {
        ctx.Out << "変更はありません: " << list->MonthFile() << "\n";
        return ExitOk;
    }
    if (!list->SaveMonth())
        return ExitFileError;
    ctx.Out << changed << " 日のパソコン使用時間を広げて保存しました: " << list->MonthFile()
            << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
