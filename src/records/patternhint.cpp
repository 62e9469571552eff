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
enum : unsigned char { Literal, Special, Open, Bar, Lead };

// '\\', '*', '?', '$', '+', '-' and NUL start elements other than a literal
// ('+' and '-' repeat after some elements; '$' ends a line before "|" or the
// end; ')' and ']' outside a group or class are taken as such to be safe).
// Groups and classes are elements of their own; a "|" outside any group
// makes every literal optional.
constexpr auto ByteKinds = [] {
    std::array<unsigned char, 256> kinds{};
    for (const unsigned char b : {'\\', '*', '?', '$', '+', '-', '\0', ')', ']'})
        kinds[b] = Special;
    kinds['('] = Open;
    kinds['['] = Open;
    kinds['|'] = Bar;
    for (int b = 0; b < 256; ++b)
        if (IsLeadByte(static_cast<unsigned char>(b)))
            kinds[static_cast<size_t>(b)] = Lead;
    return kinds;
}();

// The matcher's stepping: a lead byte and whatever byte follows it, an escape
// and the character after it.
size_t CharEnd(std::string_view p, size_t i) {
    const size_t n = p.size();
    if (p[i] == '\\' && i + 1 < n)
        return ByteKinds[static_cast<unsigned char>(p[i + 1])] == Lead && i + 2 < n ? i + 3 : i + 2;
    return ByteKinds[static_cast<unsigned char>(p[i])] == Lead && i + 1 < n ? i + 2 : i + 1;
}

// The end of the class that opens at i: after its first "]" (an unclosed
// class takes the rest of the pattern).
size_t ClassEnd(std::string_view p, size_t i) {
    for (++i; i < p.size(); i = CharEnd(p, i))
        if (p[i] == ']')
            return i + 1;
    return p.size();
}

// The end of the group that opens at i, after its ")"; npos when unclosed.
size_t GroupEnd(std::string_view p, size_t i) {
    int depth = 0;
    while (i < p.size()) {
        if (p[i] == '[') {
            i = ClassEnd(p, i);
            continue;
        }
        if (p[i] == '(')
            ++depth;
        else if (p[i] == ')' && --depth == 0)
            return i + 1;
        i = CharEnd(p, i);
    }
    return std::string_view::npos;
}

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
        case Literal:
            ++i;
            break;
        case Lead:
            i += i + 1 < n ? 2 : 1;
            break;
        case Bar:
            return {};
        case Open:
            closeRun(i);
            i = pattern[i] == '[' ? ClassEnd(pattern, i) : GroupEnd(pattern, i);
            if (i == std::string_view::npos)
                return {};
            runStart = i;
            break;
        default:
            closeRun(i);
            runStart = i = CharEnd(pattern, i);
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
