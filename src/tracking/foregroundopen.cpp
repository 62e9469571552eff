// The platform is checked at run time: the same build runs on X11, on
// XWayland, on Wayland and offscreen.
#include "tracking/foregroundopen.h"

#include "tracking/sessionforeground.h"
#include "tracking/waylandforeground.h"
#include "tracking/x11foreground.h"

#include <cstdlib>

namespace zanpel {
namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

} // namespace

TOpenedForeground OpenForegroundSource(std::string_view platform, const std::string& ownAppId) {
    const bool onX11 = platform == "xcb";
    const bool onWayland = platform == "wayland";
    const bool waylandSession = Set("WAYLAND_DISPLAY");
    // On Wayland itself the X11 windows of XWayland are still worth seeing.
    std::unique_ptr<ForegroundSource> x11 =
        onX11 || (onWayland && Set("DISPLAY")) ? ConnectX11Foreground({}) : nullptr;
    std::unique_ptr<ForegroundSource> wayland =
        (onX11 || onWayland) && waylandSession ? ConnectWaylandForeground({}, ownAppId) : nullptr;
    TOpenedForeground opened;
    opened.Coverage = CoverageOf(x11 != nullptr, wayland != nullptr, waylandSession);
    if (x11 && wayland)
        opened.Source = std::make_unique<TSessionForeground>(std::move(x11), std::move(wayland));
    else if (x11)
        opened.Source = std::move(x11);
    else if (wayland)
        opened.Source = std::move(wayland);
    else
        opened.Source = std::make_unique<NullForegroundSource>();
    return opened;
}

} // namespace zanpel
