#include "records/patternhint.h"

#include "records/patternmatcher.h"
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

// The end of a character (a lead byte and whatever byte follows it).
size_t PlainCharEnd(std::string_view p, size_t i) {
    return ByteKinds[static_cast<unsigned char>(p[i])] == Lead && i + 1 < p.size() ? i + 2 : i + 1;
}

// The end of the class that opens at i, read entry by entry as the matcher
// reads it: after the "]" that ends it (an unclosed class takes the rest of
// the pattern). The upper end of a range "c-d" is taken as it stands, also a
// backslash, and a range "c-]" ends the class.
size_t ClassEnd(std::string_view p, size_t i) {
    const size_t n = p.size();
    ++i;
    if (i < n && p[i] == '^')
        ++i;
    while (i < n) {
        if (p[i] == ']')
            return i + 1;
        if (p[i] == '\\' && i + 1 < n) {
            i = CharEnd(p, i);
            continue;
        }
        if (p[i] != '-') {
            i = PlainCharEnd(p, i);
            if (i >= n || p[i] != '-')
                continue;
        }
        ++i; // the "-" of a range
        if (i >= n)
            return n;
        if (p[i] == ']')
            return i + 1;
        i = PlainCharEnd(p, i);
    }
    return n;
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

// The lists and alternatives of a pattern as the matcher walks them, for the
// elements that never match: a group without its ")", a class of no
// characters that is not optional, a group nested too deep. An alternative
// with such an element never matches; a group none of whose alternatives
// can match never matches either.
class FaultScan {
public:
    explicit FaultScan(std::string_view pattern) : m_p(pattern), m_n(pattern.size()) {}

    TPatternFault Run() {
        size_t i = m_n > 0 && (m_p[0] == '^' || m_p[0] == '~') ? 1 : 0;
        return List(i, 0);
    }

private:
    // The alternatives from i to the end of their list: the ")" of the group
    // at depth, or the end of the pattern. The fault of the first when none
    // can match.
    TPatternFault List(size_t& i, int depth) {
        bool alive = false;
        TPatternFault first = TPatternFault::None;
        for (;;) {
            const TPatternFault fault = Alternative(i, depth);
            alive = alive || fault == TPatternFault::None;
            if (first == TPatternFault::None)
                first = fault;
            if (i >= m_n || m_p[i] != '|')
                break;
            ++i;
        }
        return alive ? TPatternFault::None : first;
    }

    // One alternative from i, left at the "|" or ")" that ends it.
    TPatternFault Alternative(size_t& i, int depth) {
        TPatternFault fault = TPatternFault::None;
        const auto note = [&fault](TPatternFault found) {
            if (fault == TPatternFault::None)
                fault = found;
        };
        while (i < m_n) {
            const char c = m_p[i];
            if (c == '|' || (c == ')' && depth > 0))
                return fault;
            if (c == '[') {
                const size_t end = ClassEnd(m_p, i);
                const bool empty = i + 1 >= m_n || m_p[i + 1] == ']';
                if (empty && (end >= m_n || m_p[end] != '-'))
                    note(TPatternFault::EmptyClass);
                i = end;
            } else if (c == '(' && depth >= detail::MaxNesting) {
                // Never entered: the matcher gives up here. Passed over
                // without going deeper.
                note(TPatternFault::TooDeep);
                i = GroupEnd(m_p, i);
                if (i == std::string_view::npos) {
                    i = m_n;
                    return fault;
                }
            } else if (c == '(') {
                ++i;
                const TPatternFault inner = List(i, depth + 1);
                if (i >= m_n) {
                    note(TPatternFault::UnclosedGroup);
                    return fault;
                }
                ++i;
                if (inner != TPatternFault::None)
                    note(inner);
            } else {
                i = CharEnd(m_p, i);
            }
        }
        return fault;
    }

    std::string_view m_p;
    size_t m_n;
};

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

TPatternFault PatternFaultOf(std::string_view pattern) {
    return FaultScan(pattern).Run();
}

} // namespace zanpel
