// The platform is checked at run time: the same build runs on X11, on
// XWayland, on Wayland and offscreen.
#include "tracking/foregroundopen.h"

#include "tracking/gnomeforeground.h"
#include "tracking/kwinforeground.h"
#include "tracking/reportedforeground.h"
#include "tracking/sessionforeground.h"
#include "tracking/waylandforeground.h"
#include "tracking/x11foreground.h"

#include <unistd.h>

#include <cstdlib>

namespace zanpel {
namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool OnGnome() {
    const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
    return desktops != nullptr &&
           std::string_view(desktops).find("GNOME") != std::string_view::npos;
}

// KWin and GNOME Shell on Wayland list their windows to no program; they
// tell ours through a script or an extension of ours on the session bus.
bool OpenDesktopReporter(TOpenedForeground& opened, std::unique_ptr<ForegroundSource>& x11) {
    const auto ownPid = static_cast<uint32_t>(::getpid());
    if (auto kwin = ConnectKWinForeground(ownPid)) {
        opened.Source = std::move(kwin);
        opened.Coverage = TForegroundCoverage::KWinScript;
        return true;
    }
    // A bar started with the session may come before the shell's name.
    if (!GnomeShellRuns() && !OnGnome())
        return false;
    auto gnome = ConnectGnomeForeground(ownPid);
    if (!gnome)
        return false;
    opened.Source = std::make_unique<TPreferredForeground>(
        std::move(gnome), TForegroundCoverage::GnomeExtension,
        x11 ? std::move(x11) : std::make_unique<NullForegroundSource>(),
        TForegroundCoverage::GnomeWithoutExtension);
    opened.Coverage = *opened.Source->Coverage();
    return true;
}

} // namespace

TOpenedForeground OpenForegroundSource(std::string_view platform, const std::string& ownAppId) {
    const bool onX11 = platform == "xcb";
    const bool onWayland = platform == "wayland";
    const bool waylandSession = Set("WAYLAND_DISPLAY");
    // On Wayland itself the X11 windows of XWayland are still worth seeing.
    std::unique_ptr<ForegroundSource> x11 =
        onX11 || (onWayland && Set("DISPLAY")) ? ConnectX11Foreground({}) : nullptr;
    TOpenedForeground opened;
    if ((onX11 || onWayland) && waylandSession && OpenDesktopReporter(opened, x11))
        return opened;
    std::unique_ptr<ForegroundSource> wayland =
        (onX11 || onWayland) && waylandSession ? ConnectWaylandForeground({}, ownAppId) : nullptr;
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
