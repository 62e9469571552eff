// Case-insensitive comparison of CP932 texts: ASCII letters and the full-width
// Latin letters fold to one case; every other character compares by its bytes.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

int CompareTextIgnoreCase(std::string_view a, std::string_view b);
inline bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    return CompareTextIgnoreCase(a, b) == 0;
}

// The text with its single-byte letters A..Z lowered; double-byte characters
// stay as they are (their second byte may look like an upper-case letter).
std::string LowerAsciiLetters(std::string_view text);

// Whether text, lowered as LowerAsciiLetters does, equals lowered. Allocates
// nothing.
bool EqualsLowered(std::string_view lowered, std::string_view text);

} // namespace zanpel
