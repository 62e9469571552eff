#include "tracking/foregroundsource.h"

#include "records/textcodec.h"
#include "records/textcompare.h"
#include "records/timevalues.h"
#include "tracking/windowtitle.h"

namespace zanpel {

std::string CutCp932(std::string_view text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + Cp932CharLength(text, end);
        if (next > maxBytes)
            break;
        end = next;
    }
    return std::string(text.substr(0, end));
}

std::string ExeNameOfPath(std::string_view path) {
    const size_t slash = path.rfind('/');
    if (slash != std::string_view::npos)
        path.remove_prefix(slash + 1);
    return CutCp932(LowerAsciiLetters(Utf8ToCp932(path)), MaxExeNameBytes);
}

TForegroundApp AppOfToplevel(std::string_view appId, std::string_view title) {
    if (appId.empty())
        return {};
    return {ExeNameOfPath(appId), WindowTitleText(TTitleEncoding::Utf8, title)};
}

TForegroundCoverage CoverageOf(bool x11Source, bool waylandSource, bool waylandSession) {
    if (x11Source && waylandSource)
        return TForegroundCoverage::X11AndWayland;
    if (waylandSource)
        return TForegroundCoverage::Wayland;
    if (x11Source)
        return waylandSession ? TForegroundCoverage::XWaylandOnly : TForegroundCoverage::X11;
    return TForegroundCoverage::None;
}

} // namespace zanpel
