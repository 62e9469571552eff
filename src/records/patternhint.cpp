#include "records/patternhint.h"

#include "records/timevalues.h"

#include <array>

namespace zanpel {
namespace {

// Literal stretches of a pattern: characters that match only themselves.
struct Literals {
    std::string_view Longest;
    std::string_view Leading;  // set when the pattern begins with a literal
    std::string_view Trailing; // set when the pattern ends with a literal
    bool Usable = false;       // false: the pattern is beyond this analysis
};

// What each byte of a pattern is to this analysis.
enum : unsigned char { Literal, Special, Structure, Lead };

// '\\', '*', '?', '$', '+', '-' and NUL start elements other than a literal
// ('+' and '-' repeat after some elements; '$' ends a line before "|" or the
// end); groups, classes and alternatives make literals optional.
constexpr auto ByteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (const unsigned char b : {'\\', '*', '?', '$', '+', '-', '\0'})
        kinds[b] = Special;
    for (const unsigned char b : {'(', ')', '[', ']', '|'})
        kinds[b] = Structure;
    for (int b = 0; b < 256; ++b)
        if (IsLeadByte(static_cast<unsigned char>(b)))
            kinds[static_cast<size_t>(b)] = Lead;
    return kinds;
}();

Literals FindLiterals(std::string_view pattern) {
    Literals found;
    const size_t n = pattern.size();
    size_t i = n > 0 && (pattern[0] == '^' || pattern[0] == '~') ? 1 : 0;
    size_t runStart = i;
    const auto closeRun = [&](size_t end) {
        if (end - runStart > found.Longest.size())
            found.Longest = pattern.substr(runStart, end - runStart);
        if (runStart == 0 && end > 0)
            found.Leading = pattern.substr(0, end);
    };
    while (i < n) {
        switch (ByteKinds[static_cast<unsigned char>(pattern[i])]) {
        case Literal: ++i; break;
        case Lead: i += i + 1 < n ? 2 : 1; break; // the matcher's stepping: lead and any byte
        case Structure: return {};
        default:
            closeRun(i);
            // An escape takes the character after it as well.
            if (pattern[i] == '\\' && i + 1 < n)
                i += ByteKinds[static_cast<unsigned char>(pattern[i + 1])] == Lead && i + 2 < n ? 2 : 1;
            runStart = ++i;
            break;
        }
    }
    closeRun(n);
    if (runStart < n)
        found.Trailing = pattern.substr(runStart);
    found.Usable = true;
    return found;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

} // namespace

bool CanMatchAnywhere(std::string_view text, std::string_view pattern) {
    const Literals literals = FindLiterals(pattern);
    return !literals.Usable || text.find(literals.Longest) != std::string_view::npos;
}

bool CanMatchWhole(std::string_view text, std::string_view pattern) {
    const Literals literals = FindLiterals(pattern);
    if (!literals.Usable)
        return true;
    return text.find(literals.Longest) != std::string_view::npos &&
           text.substr(0, literals.Leading.size()) == literals.Leading &&
           EndsWith(text, literals.Trailing);
}

} // namespace zanpel
