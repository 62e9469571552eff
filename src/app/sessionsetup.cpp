#include "app/sessionsetup.h"

#include "app/i3ipc.h"
#include "tracking/deferredidle.h"
#include "tracking/foregroundopen.h"
#include "tracking/idleopen.h"

#include <QGuiApplication>

#include <cstdlib>

namespace zanpel {

bool ChooseQtPlatform() {
    const std::string platform = PreferredQtPlatform(
        std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
    if (platform.empty())
        return false;
    ::setenv("QT_QPA_PLATFORM", platform.c_str(), 1);
    return true;
}

void ForgetQtPlatformChoice(bool chosen) {
    if (chosen)
        ::unsetenv("QT_QPA_PLATFORM");
}

void SetUpSession(TZanpelForm::Environment& env, const std::string& ownAppId,
                  const std::function<void(std::function<void()>)>& later) {
    TSessionInfo& session = env.Session;
    session.Platform = QGuiApplication::platformName().toStdString();
    TOpenedForeground foreground = OpenForegroundSource(session.Platform, ownAppId);
    env.Foreground = std::move(foreground.Source);
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    session.WaylandSession = waylandDisplay != nullptr && waylandDisplay[0] != '\0';
    session.Coverage = foreground.Coverage;
    auto idle = std::make_shared<TDeferredIdleSource>(
        [platform = session.Platform] { return OpenIdleSource(platform); });
    later([idle] { idle->Open(); });
    env.Idle = std::move(idle);
    const char* swaySock = std::getenv("SWAYSOCK");
    const std::string ipc = I3SocketPath(swaySock, std::getenv("I3SOCK"));
    session.Placement = PlacementOf(session.Platform, ipc, swaySock && swaySock[0] != '\0');
    if (session.Placement == TPlacementMethod::I3Ipc ||
        session.Placement == TPlacementMethod::SwayIpc)
        env.TilingSocket = QString::fromStdString(ipc);
}

} // namespace zanpel
