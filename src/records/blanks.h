// The blanks that every trimmed text loses at its ends (memos, categories,
// rules, file names): spaces, tabs, line breaks and the other control
// characters, bytes 0 to 32 and 127. None of them is ever the second byte of a
// CP932 character, so cutting them off never splits one.
#pragma once

#include <string_view>

namespace zanpel {

constexpr bool IsBlankOrControl(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 32 || b == 127;
}

// The text without blanks at either end.
std::string_view TrimBlanks(std::string_view text);

} // namespace zanpel
