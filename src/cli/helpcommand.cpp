// zanpelctl help (or --help) and --version.
#include "app/gnomeextension.h"
#include "app/sessioninfo.h"
#include "app/version.h"
#include "cli/context.h"

#include <cstdlib>
#include <ostream>

namespace zanpel::cli {

namespace {

// What a program name in a rule means: it depends on the desktop, so the
// help says what the bar would see in the session it is asked from.
void PrintMatchHelp(std::ostream& out) {
    const bool gnomeEnabled = GnomeExtensionState() == TGnomeExtensionState::Enabled;
    const TForegroundCoverage coverage =
        LikelyCoverage(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"),
                       std::getenv("XDG_CURRENT_DESKTOP"), gnomeEnabled);
    out << "使い方: zanpelctl match EXE TITLE\n"
        << "自動切換えが EXE (プログラム名) と TITLE (ウィンドウタイトル) のウィンドウで選ぶ"
           "作業項目を表示します。\n"
        << "プログラム名は、X11 ではウィンドウのプロセスのプログラムファイル名 (小文字) です。\n"
        << "このセッションのアプリケーション検出: " << CoverageText(coverage) << "\n";
}

} // namespace

int RunHelp(const CliArgs& args, const Context& ctx) {
    if (args.Arguments.size() == 1 && args.Arguments[0] == "match") {
        PrintMatchHelp(ctx.Out);
        return ExitOk;
    }
    PrintUsage(ctx.Out);
    return ExitOk;
}

int RunVersion(const CliArgs&, const Context& ctx) {
    ctx.Out << "zanpelctl " << ProgramVersion << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
