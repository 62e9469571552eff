#include "records/textcodec.h"

#include "records/textconverter.h"
#include "records/timevalues.h"

namespace zanpel {
namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

// Length of the CP932 character at the start of rest.
size_t Cp932CharLengthAtStart(std::string_view rest) {
    return Cp932CharLength(rest, 0);
}

// Length of the UTF-8 sequence at the start of rest (1 for a stray byte).
size_t Utf8CharLength(std::string_view rest) {
    const auto b = static_cast<unsigned char>(rest[0]);
    size_t n = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    if (n > rest.size())
        return 1;
    for (size_t i = 1; i < n; ++i)
        if ((static_cast<unsigned char>(rest[i]) & 0xC0) != 0x80)
            return 1;
    return n;
}

} // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    if (IsAscii(cp932))
        return std::string(cp932);
    return ConvertText(TextDirection::Cp932ToUtf8, cp932, "\xEF\xBF\xBD", Cp932CharLengthAtStart);
}

std::string Utf8ToCp932(std::string_view utf8) {
    if (IsAscii(utf8))
        return std::string(utf8);
    return ConvertText(TextDirection::Utf8ToCp932, utf8, "?", Utf8CharLength);
}

} // namespace zanpel
