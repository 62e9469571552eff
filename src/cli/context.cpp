#include "cli/context.h"

#include "app/datafolder.h"
#include "app/instancelock.h"
#include "records/atomicfile.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <ostream>

namespace zanpel::cli {

void StreamReporter::ReportError(const std::string& message) {
    ++m_count;
    std::string text = message;
    for (size_t pos = 0; (pos = text.find("\r\n", pos)) != std::string::npos;)
        text.erase(pos, 1);
    m_err << text << '\n';
}

std::string Context::MonthPath(YearMonth ym) const {
    return DataDir + "/" + TDataList::MonthFileName(EncodeDate(ym.Year, ym.Month, 1));
}

std::unique_ptr<TDataList> Context::OpenMonth(YearMonth ym, bool forWriting, bool& loaded) const {
    auto list = std::make_unique<TDataList>(Now, Reporter);
    list->KeepsLoginRecord = false;
    list->NoSave = !forWriting;
    list->SetDataDir(DataDir);
    const int before = Reporter.Count();
    list->ChangeDate(EncodeDate(ym.Year, ym.Month, 1));
    loaded = Reporter.Count() == before;
    return list;
}

bool Context::OnlyOptions(const CliArgs& args, std::initializer_list<const char*> allowed) const {
    for (const auto& option : args.Options) {
        bool known = false;
        for (const char* name : allowed)
            known = known || option.first == name;
        if (!known) {
            Usage("不明なオプションです: --" + option.first);
            return false;
        }
    }
    return true;
}

bool Context::TakesNothing(const CliArgs& args, const std::string& command) const {
    if (!OnlyOptions(args, {}))
        return false;
    if (args.Arguments.empty())
        return true;
    Usage(command + " は引数を取りません");
    return false;
}

int Context::Usage(const std::string& message) const {
    Err << "zanpelctl: " << message << "\n";
    PrintUsage(Err);
    return ExitUsage;
}

std::optional<YearMonth> Context::SingleMonth(const CliArgs& args,
                                              const std::string& command) const {
    if (args.Arguments.size() != 1) {
        Usage(command + " には月 (YYYYMM) を一つ指定してください");
        return std::nullopt;
    }
    const auto ym = ParseYearMonth(args.Arguments[0]);
    if (!ym)
        Usage("月は YYYYMM の形で指定してください: " + args.Arguments[0]);
    return ym;
}

bool Context::MonthRange(const CliArgs& args, const std::string& command, YearMonth& first,
                         YearMonth& last) const {
    if (args.Arguments.empty() || args.Arguments.size() > 2) {
        Usage(command + " には月 (YYYYMM) を一つか二つ指定してください");
        return false;
    }
    const auto from = ParseYearMonth(args.Arguments[0]);
    const auto to = args.Arguments.size() == 2 ? ParseYearMonth(args.Arguments[1]) : from;
    if (!from || !to || *to < *from) {
        Usage("月は YYYYMM の形で、古い月から指定してください");
        return false;
    }
    first = *from;
    last = *to;
    return true;
}

bool Context::ReadSettings(TInitParam& settings) const {
    return settings.Load(DataDir + "/" + SettingsFileName, Reporter);
}

bool Context::HasDataFolder() const {
    if (FileExists(DataDir))
        return true;
    Err << "zanpelctl: データフォルダがありません: " << DataDir << "\n";
    return false;
}

void PrintUsage(std::ostream& out) {
    out << "使い方: zanpelctl [--data-dir DIR] [--now \"YYYY-MM-DD hh:mm:ss\"] COMMAND ...\n"
        << "  today                                     今日の記録を表示\n"
        << "  export YYYYMM [YYYYMM] [--format csv|json] 期間の一覧を出力\n"
        << "  summary YYYYMM [YYYYMM]                   月度集計 (二つの月: 各月と月ごとの合計)\n"
        << "  report YYYYMM [--memo] [--categories] [--period-memos] [--subtotals] [--by-date]\n"
        << "         [--flags N] [--period month|day|week|range] [--day D]\n"
        << "         [--from D] [--to D] [--output FILE]  作業レポート\n"
        << "         --memo 標準メモ, --categories 作業分類リスト, --period-memos 作業メモ,\n"
        << "         --subtotals 小計, --by-date 日付順 (--flags はその和: 1, 2, 4, 8, 16)\n"
        << "  rewrite YYYYMM                            月のファイルを読込み、保存し直す\n"
        << "  check                                     すべてのファイルを確認\n"
        << "  journal [YYYYMM] [--file PATH|--directory DIR] ジャーナルの日ごとの最初と最後の時刻\n"
        << "  sync YYYYMM [--file PATH|--directory DIR] "
           "開始・終了時間をジャーナルから修正し、休憩を補って保存\n"
        << "  match EXE TITLE                           自動切換えで選ばれる作業項目を表示\n"
        << "                                            (Wayland のウィンドウでは EXE は app_id)\n"
        << "  why [--last N]                            自動切換えの履歴と理由 "
           "(新しいものが最後、既定 20 件)\n"
        << "  rules                                     作業定義と切換え規則を表示\n"
        << "  settings                                  設定の一覧 (既定値を含む) を表示\n"
        << "  autostart on|off|status                   ログイン時に zanpel "
           "を起動する/しない/状態を表示\n"
        << "  gnome-extension install|status            GNOME Shell 拡張機能を入れる/状態を表示\n"
        << "                                            (GNOME の Wayland での自動切換えに必要)\n"
        << "  help [match], --help                      この説明 (match: 自動切換えの説明)\n"
        << "  --version                                 版数\n";
}

} // namespace zanpel::cli

namespace zanpel::cli {

std::unique_ptr<InstanceLock> Context::LockOutTheBar() const {
    auto lock = std::make_unique<InstanceLock>(DataDir, InstanceLock::DataFolderFileName);
    if (lock->TryAcquire())
        return lock;
    if (lock->Error().empty())
        Err << "zanpelctl: zanpel が動作中のため書込みません。zanpel "
               "を終了してから実行してください。\n";
    else
        Err << "zanpelctl: ロックファイルを作れないため書込みません: " << lock->Error() << "\n";
    return nullptr;
}

} // namespace zanpel::cli
