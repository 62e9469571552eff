// zanpelctl gnome-extension install|status: our GNOME Shell extension, which
// application switching needs on GNOME on Wayland, for a bar built from
// source (the package installs it for every user).
#include "app/gnomeextension.h"
#include "app/sessioninfo.h"
#include "cli/context.h"
#include "tracking/reportedforeground.h"

#include <ostream>

namespace zanpel::cli {
namespace {

const char* StateText(TGnomeExtensionState state) {
    switch (state) {
    case TGnomeExtensionState::Unknown:
        return "分かりません (gsettings で GNOME の設定を読めません)";
    case TGnomeExtensionState::Enabled:
        return "有効";
    case TGnomeExtensionState::NotEnabled:
        return "無効";
    case TGnomeExtensionState::AllExtensionsOff:
        return "無効 (GNOME の設定で拡張機能がすべて切られています。「拡張機能」アプリで"
               "使うようにするか、gsettings set org.gnome.shell disable-user-extensions false)";
    }
    return "";
}

} // namespace

int RunGnomeExtension(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {}))
        return ExitUsage;
    const std::string what = args.Arguments.size() == 1 ? args.Arguments[0] : "";
    if (what != "install" && what != "status")
        return ctx.Usage("gnome-extension には install か status を指定してください");
    const GnomeExtensionPaths paths = GnomeExtensionPathsOfProcess();
    if (what == "install") {
        if (const std::string error = InstallGnomeExtension(paths); !error.empty()) {
            ctx.Err << "zanpelctl: " << error << "\n";
            return ExitFileError;
        }
        ctx.Out << "GNOME Shell 拡張機能を入れました: " << paths.User << "\n";
    }
    const std::string installed = InstalledGnomeExtension(paths);
    if (installed.empty())
        ctx.Out << "GNOME Shell 拡張機能 " << GnomeExtensionUuid << " は入っていません。\n";
    else
        ctx.Out << "入っている場所: " << installed << "\n";
    const TGnomeExtensionState state = GnomeExtensionState();
    ctx.Out << "有効かどうか: " << StateText(state) << "\n";
    if (installed.empty() || state != TGnomeExtensionState::Enabled)
        ctx.Out << GnomeExtensionHint() << "\n";
    return ExitOk;
}

} // namespace zanpel::cli
