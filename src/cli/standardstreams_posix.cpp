// POSIX streams carry bytes as they are: nothing to prepare.
#include "cli/standardstreams.h"

namespace zanpel::cli {

void PrepareStandardStreams() {}

} // namespace zanpel::cli
