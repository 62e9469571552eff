#include "cli/timezone.h"

namespace zanpel::cli {

// The C library reads zone names and the POSIX form alike.
void UseTimeZoneTheRuntimeReads() {}

} // namespace zanpel::cli
