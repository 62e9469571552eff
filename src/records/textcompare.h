// Case-insensitive comparison of CP932 texts: ASCII letters and the full-width
// Latin letters fold to one case; every other character compares by its bytes.
#pragma once

#include <string_view>

namespace zanpel {

int CompareTextIgnoreCase(std::string_view a, std::string_view b);
inline bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    return CompareTextIgnoreCase(a, b) == 0;
}

} // namespace zanpel
