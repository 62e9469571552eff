// The foreground source of the session the program runs in.
#pragma once

#include "tracking/foregroundsource.h"

#include <memory>
#include <string>
#include <string_view>

namespace zanpel {

struct TOpenedForeground {
    std::unique_ptr<ForegroundSource> Source; // never null: a null source at least
    TForegroundCoverage Coverage = TForegroundCoverage::None;
};

// The sources that the session offers, chosen at run time: the X11 source
// when the program's windows live on an X server (also XWayland), the
// Wayland source when the Wayland compositor lists its windows, both joined
// on a Wayland session that has both; else a null source. platform: the
// name of the platform the program's windows are on ("xcb", "wayland",
// "offscreen", ...); ownAppId: the app_id of this program's Wayland windows.
TOpenedForeground OpenForegroundSource(std::string_view platform, const std::string& ownAppId);

} // namespace zanpel
