// The folder's work definitions, read for a command that never writes them.
#pragma once

#include "cli/context.h"
#include "tracking/appswitch.h"

namespace zanpel::cli {

// Loads the definition file of the data folder into list; reports a file that
// cannot be read with the system's message and returns false.
bool LoadDefinitionsReadOnly(const Context& ctx, TAppSwitch& list);

} // namespace zanpel::cli
