// Texts the core compares with or writes into its files, held as CP932 bytes
// (converted once from the UTF-8 source text).
#pragma once

#include <string>

namespace zanpel {

// Name of the computer-on record of a day.
inline const std::string LoginName = "%LOGIN%";
// Name of the rest work item, and category of rest periods ("休憩").
const std::string& RestName();

} // namespace zanpel
