#include "tracking/kwinscript.h"

#include <algorithm>

namespace zanpel {
namespace {

// KWin 5.27 names the active window a client (clientActivated,
// activeClient); Plasma 6 names it a window (windowActivated,
// activeWindow). Activating a window may first report none: KWin takes the
// focus from the old one before it gives it to the new one. A window that
// closed while followed may be gone by the time another is activated, so
// leaving its caption may fail and is not needed then.
constexpr std::string_view ScriptBody = R"js(
    var followed = null;
    function text(value) {
        return value === undefined || value === null ? "" : String(value);
    }
    function report() {
        var w = followed;
        if (w)
            callDBus(bar.service, bar.path, bar.iface, bar.method, text(w.resourceClass),
                     text(w.caption), w.pid > 0 ? w.pid : 0);
        else
            callDBus(bar.service, bar.path, bar.iface, bar.method, "", "", 0);
    }
    function follow(window) {
        if (followed) {
            try {
                followed.captionChanged.disconnect(report);
            } catch (gone) {
            }
        }
        followed = window || null;
        if (followed)
            followed.captionChanged.connect(report);
        report();
    }
    if (workspace.windowActivated) {
        workspace.windowActivated.connect(follow);
        follow(workspace.activeWindow);
    } else {
        workspace.clientActivated.connect(follow);
        follow(workspace.activeClient);
    }
})();
)js";

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

} // namespace

bool IsUniqueBusName(std::string_view name) {
    // ':' then elements of [A-Za-z0-9_-] joined by single dots.
    if (name.size() < 2 || name.size() > 255 || name[0] != ':')
        return false;
    const std::string_view rest = name.substr(1);
    if (rest.front() == '.' || rest.back() == '.' || rest.find("..") != std::string_view::npos ||
        rest.find('.') == std::string_view::npos)
        return false;
    return std::all_of(rest.begin(), rest.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-' || c == '.';
    });
}

std::string KWinScriptText(std::string_view service) {
    // The name goes into the text as a string literal: only a name of the
    // bus's own characters, which need no escape, is taken.
    if (!IsUniqueBusName(service))
        return {};
    return "// Zanpel: tells the bar which window is active.\n(function () {\n    var bar = "
           "{service: " +
           Quoted(service) + ", path: " + Quoted(KWinReportPath) +
           ",\n               iface: " + Quoted(KWinReportInterface) +
           ", method: " + Quoted(KWinReportMethod) + "};" + std::string(ScriptBody);
}

} // namespace zanpel
