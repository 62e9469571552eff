// A build without X11: no application is ever identified.
#include "tracking/foregroundopen.h"

namespace zanpel {

std::unique_ptr<ForegroundSource> OpenForegroundSource() {
    return std::make_unique<NullForegroundSource>();
}

} // namespace zanpel
