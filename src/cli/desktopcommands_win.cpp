// zanpelctl autostart and gnome-extension on Windows: both set up the bar on
// a Linux desktop (a desktop entry, a GNOME Shell extension). There is no bar
// on Windows, and the files they write would land in folders that mean
// nothing there, so they say so and change nothing.
#include "cli/context.h"

#include <ostream>
#include <string>

namespace zanpel::cli {
namespace {

int NotOnWindows(const std::string& command, const Context& ctx) {
    ctx.Err << "zanpelctl: " << command
            << " は Windows では使えません (バーは Linux のデスクトップで動きます)\n";
    return ExitFileError;
}

} // namespace

int RunAutostart(const CliArgs&, const Context& ctx) {
    return NotOnWindows("autostart", ctx);
}

int RunGnomeExtension(const CliArgs&, const Context& ctx) {
    return NotOnWindows("gnome-extension", ctx);
}

} // namespace zanpel::cli
