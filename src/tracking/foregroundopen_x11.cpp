// The X11 source when the program runs on X11 (also XWayland), checked at run
// time: the same build runs on Wayland or offscreen with a null source.
#include "tracking/foregroundopen.h"
#include "tracking/x11foreground.h"

#include <QGuiApplication>

namespace zanpel {

std::unique_ptr<ForegroundSource> OpenForegroundSource() {
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (std::unique_ptr<ForegroundSource> source = ConnectX11Foreground({}))
            return source;
    return std::make_unique<NullForegroundSource>();
}

} // namespace zanpel
