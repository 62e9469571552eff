// zanpelctl why [--last N]: the bar's last switches by itself and why it made
// them, from its switch log in the state folder, the newest last.
#include "app/datafolder.h"
#include "app/switchlogfile.h"
#include "app/switchlogline.h"
#include "cli/context.h"

#include <ostream>

namespace zanpel::cli {
namespace {

constexpr int DefaultCount = 20;

void PrintEntry(std::ostream& out, const TSwitchEntry& entry) {
    // Every text as the log holds it: a tab or a line end in a title cannot
    // break the printed line either.
    out << SwitchTimeText(entry) << "\t"
        << (entry.Item.empty() ? "(なし)" : EscapeLogText(entry.Item)) << "\t"
        << SwitchReasonText(entry) << "\t" << EscapeLogText(entry.Program) << "\t"
        << EscapeLogText(entry.Title) << "\n";
}

} // namespace

int RunWhy(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {"last"}))
        return ExitUsage;
    if (!args.Arguments.empty())
        return ctx.Usage("why には引数を指定しません (件数は --last N)");
    const std::optional<int> count =
        args.Has("last") ? ParseWholeNumber(args.Option("last")) : DefaultCount;
    if (!count || *count < 1)
        return ctx.Usage("--last には 1 以上の件数を指定してください");
    const std::string folder = StateFolderOfProgram();
    if (folder.empty()) {
        ctx.Err << "zanpelctl: 切換え履歴の場所がありません"
                   " (XDG_STATE_HOME も HOME も絶対パスではありません)\n";
        return ExitFileError;
    }
    std::string error;
    const std::vector<TSwitchEntry> entries =
        ReadSwitchLog(folder, static_cast<size_t>(*count), error);
    for (const TSwitchEntry& entry : entries)
        PrintEntry(ctx.Out, entry);
    if (!error.empty()) {
        ctx.Err << "zanpelctl: 切換え履歴を読込めません: " << error << "\n";
        return ExitFileError;
    }
    if (entries.empty())
        ctx.Err << "zanpelctl: 切換え履歴はありません: " << folder << "/" << SwitchLogFileName
                << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
