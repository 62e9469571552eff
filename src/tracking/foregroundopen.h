// The foreground source of the session the program runs in.
#pragma once

#include "tracking/foregroundsource.h"

#include <memory>

namespace zanpel {

// The X11 source when the program's windows live on an X server that
// answers; else (another window system, a refusing server, a build without
// X11) a null source. Call once the application object exists.
std::unique_ptr<ForegroundSource> OpenForegroundSource();

} // namespace zanpel
