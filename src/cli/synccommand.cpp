// zanpelctl sync YYYYMM [--file PATH|--directory DIR]: what the summary's
// "【SysLog同期】" does to a month: widen the computer-on spans with the first
// and last times of the system journal, give the days the parts of the
// RESTTIME rests within their span that no rest period covers yet, and save
// the month.
#include "app/instancelock.h"
#include "cli/context.h"
#include "cli/journalargs.h"
#include "reports/startendsync.h"
#include "settings/initparam.h"
#include "tracking/journalopen.h"
#include "worklist/datalist.h"

#include <map>
#include <optional>
#include <ostream>
#include <system_error>
#include <vector>

namespace zanpel::cli {
namespace {

// The computer-on record of every day that has one.
std::map<DayNumber, std::vector<TWorkData>> LoginPeriods(const TDataList& list) {
    std::map<DayNumber, std::vector<TWorkData>> days;
    for (int i = 0; i < list.Count(); ++i)
        if (list.IsLoginAt(i) && !list.WorkAt(i)->Periods.empty())
            days[list.WorkAt(i)->Date] = list.WorkAt(i)->Periods;
    return days;
}

std::string SpanText(const TWorkData& span) {
    return FormatDuration(span.StartSec) + "-" + FormatDuration(span.EndSec);
}

// One line for a changed span, one for rest periods added.
void PrintChange(const Context& ctx, DayNumber day, const std::vector<TWorkData>* before,
                 const std::vector<TWorkData>& after) {
    if (!before || before->front() != after.front())
        ctx.Out << FormatDate(day) << "  "
                << (before ? SpanText(before->front()) : std::string("(なし)")) << " → "
                << SpanText(after.front()) << "\n";
    if (after.size() > (before ? before->size() : 1)) {
        ctx.Out << FormatDate(day) << "  休憩";
        for (size_t k = 1; k < after.size(); ++k)
            ctx.Out << " " << SpanText(after[k]);
        ctx.Out << "\n";
    }
}

} // namespace

int RunSync(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"file", "directory"}))
        return ExitUsage;
    const auto ym = ctx.SingleMonth(args, "sync");
    if (!ym)
        return ExitUsage;
    const auto where = LocationOption(args, ctx);
    if (!where)
        return ExitUsage;
    if (!ctx.HasDataFolder())
        return ExitFileError;

    // As with rewrite: a running bar would overwrite the result at its next save.
    const auto lock = ctx.LockOutTheBar();
    if (!lock)
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
    // A journal that cannot be opened leaves the spans as they are; the rest
    // periods are added all the same, and the exit status tells.
    const TEventLog log = ReadJournal(*where, EncodeDate(ym->Year, ym->Month, 1), ctx.Now);
    if (log.ErrorCode != 0) {
        ReportJournalOpenError(*where, log.ErrorCode, ctx);
        ctx.Err << "zanpelctl: ジャーナルを読めなかったため、休憩だけを追加します\n";
    }
    const int status = log.ErrorCode != 0 ? ExitFileError : ExitOk;

    // The rests to add come from the settings: without them the month would
    // be saved without its rests, so nothing is written.
    TInitParam settings;
    if (!ctx.ReadSettings(settings)) {
        ctx.Err << "zanpelctl: 設定ファイルが読めないため書込みません: " << list->MonthFile()
                << "\n";
        return ExitFileError;
    }
    const auto before = LoginPeriods(*list);
    SyncStartEndTimes(*list, *list, log, SplitRestTimes(settings.RestTimes));
    int changed = 0;
    for (const auto& [day, periods] : LoginPeriods(*list)) {
        const auto old = before.find(day);
        if (old != before.end() && old->second == periods)
            continue;
        ++changed;
        PrintChange(ctx, day, old == before.end() ? nullptr : &old->second, periods);
    }
    if (changed == 0) {
        ctx.Out << "変更はありません: " << list->MonthFile() << "\n";
        return status;
    }
    if (!list->SaveMonth())
        return ExitFileError;
    ctx.Out << changed << " 日の開始・終了時間と休憩を修正して保存しました: " << list->MonthFile()
            << "\n";
    return status;
}

} // namespace zanpel::cli
