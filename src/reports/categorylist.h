// The category list of a work item as the memo dialog extends it.
#pragma once

#include "records/csvfile.h"

#include <string>

namespace zanpel {

// Appends the trimmed text unless it is empty or the list holds it already in
// any letter case; answers whether it was added.
bool AddCategory(StringList& items, const std::string& text);

} // namespace zanpel
