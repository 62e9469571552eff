// zanpelctl autostart on|off|status: start the bar at log-in, or not.
#include "app/autostart.h"
#include "cli/context.h"

#include <ostream>

namespace zanpel::cli {

int RunAutostart(const CliArgs& args, const Context& ctx) {
    if (!ctx.OnlyOptions(args, {}))
        return ExitUsage;
    const std::string what = args.Arguments.size() == 1 ? args.Arguments[0] : "";
    if (what != "on" && what != "off" && what != "status")
        return ctx.Usage("autostart には on, off, status のどれかを指定してください");
    const AutostartPaths paths = AutostartPathsOfProgram();
    if (what != "status") {
        if (const std::string error = SetAutostart(what == "on", paths); !error.empty()) {
            ctx.Err << "zanpelctl: " << error << "\n";
            return ExitFileError;
        }
    }
    if (IsAutostartOn(paths))
        ctx.Out << "ログイン時に起動します: " << paths.EntryPath() << "\n";
    else
        ctx.Out << "ログイン時に起動しません。\n";
    return ExitOk;
}

} // namespace zanpel::cli
