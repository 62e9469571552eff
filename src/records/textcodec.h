// The one place where text changes encoding. The core holds every text as CP932
// bytes; widgets, terminals and X11 titles speak UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

// CP932 bytes to UTF-8; bytes that form no CP932 character become U+FFFD.
std::string Cp932ToUtf8(std::string_view cp932);
// UTF-8 to CP932; characters CP932 lacks (and malformed UTF-8) become "?".
std::string Utf8ToCp932(std::string_view utf8);
// Text in the encoding of the current C locale (setlocale) to CP932, with "?"
// for what CP932 lacks.
std::string LocaleToCp932(std::string_view text);

} // namespace zanpel
