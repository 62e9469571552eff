#include "records/textcompare.h"

#include "records/timevalues.h"

namespace zanpel {
namespace {

// One character as a comparable key: single bytes as their value, double-byte
// characters above every single byte. Upper-case letters fold to lower case.
unsigned Key(std::string_view s, size_t& i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (Cp932CharLength(s, i) == 2) {
        auto trail = static_cast<unsigned char>(s[i + 1]);
        i += 2;
        // Full-width A..Z (0x8260..0x8279) fold onto a..z (0x8281..0x829A).
        if (b == 0x82 && trail >= 0x60 && trail <= 0x79)
            trail = static_cast<unsigned char>(trail + 0x21);
        return 0x10000u + (unsigned{b} << 8) + trail;
    }
    ++i;
    return b >= 'A' && b <= 'Z' ? b + 32u : b;
}

} // namespace

int CompareTextIgnoreCase(std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned ka = Key(a, i);
        const unsigned kb = Key(b, j);
        if (ka != kb)
            return ka < kb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    return j < b.size() ? -1 : 0;
}

namespace {

char LowerAt(std::string_view text, size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    return b >= 'A' && b <= 'Z' && Cp932CharLength(text, i) == 1 ? static_cast<char>(b + 32)
                                                                 : text[i];
}

} // namespace

std::string LowerAsciiLetters(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < text.size(); i += Cp932CharLength(text, i))
        out[i] = LowerAt(text, i);
    return out;
}

bool EqualsLowered(std::string_view lowered, std::string_view text) {
    if (lowered.size() != text.size())
        return false;
    for (size_t i = 0; i < text.size();) {
        const size_t length = Cp932CharLength(text, i);
        if (LowerAt(text, i) != lowered[i] || (length == 2 && text[i + 1] != lowered[i + 1]))
            return false;
        i += length;
    }
    return true;
}

} // namespace zanpel
