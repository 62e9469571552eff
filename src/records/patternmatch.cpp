#include "records/patternmatch.h"

#include "records/patternhint.h"
#include "records/patternmatcher.h"

namespace zanpel {
namespace detail {

// Text bytes the entry takes at q (q before the end); 0 when it does not match.
inline size_t Matcher::ClassTakes(const ClassEntry& entry, size_t q) const {
    const unsigned code = TextCode(q);
    switch (entry.What) {
    case ClassEntry::Range:
        return code >= entry.Low && code <= entry.High ? TextLen(q) : 0;
    case ClassEntry::ByteSetEntry:
        // Single-byte characters only: the second byte of a double-byte
        // character is no letter or digit of its own.
        return code < 256 && NamedByteSet(entry.Set).Has(static_cast<unsigned char>(code)) ? 1 : 0;
    case ClassEntry::LineBreak:
        if (code == '\n')
            return 1;
        return code == '\r' && q + 1 < m_n && T(q + 1) == '\n' ? 2 : 0;
    default:
        return 0;
    }
}

// One character of the class whose entries begin at entries, at q. At the end of
// the text only a negated class matches, taking nothing. end is set after "]".
bool Matcher::ClassOnce(size_t entries, bool negated, size_t q, size_t& taken, size_t& end) {
    size_t hit = 0;
    end = entries;
    for (;;) {
        const ClassEntry entry = ReadClassEntry(end);
        if (entry.What == ClassEntry::End)
            break;
        if (hit == 0 && q < m_n)
            hit = ClassTakes(entry, q);
        if (entry.Last)
            break;
    }
    if (!Tick(end - entries + 1))
        return false;
    if (q >= m_n) {
        taken = 0;
        return negated;
    }
    taken = negated ? TextLen(q) : hit;
    return negated ? hit == 0 : hit != 0;
}

// Passes over pattern text up to the "|" (when stopAtBar) or the ")" that ends
// the list begun at this depth, or to the end of the pattern. A ")" with no
// group open is an ordinary character.
size_t Matcher::SkipInList(size_t pc, int depth, bool stopAtBar) {
    if (depth == 0 && !m_hasBar) // one alternative, running to the end
        return m_m;
    // The same places are passed over again at every start position tried.
    SkipMemo& memo = m_skips[pc % SkipSlots];
    const uint32_t slotBit = uint32_t{1} << (pc % SkipSlots);
    if ((m_skipsUsed & slotBit) != 0 && memo.From == pc && memo.Depth == depth &&
        memo.StopAtBar == stopAtBar)
        return memo.To;
    const size_t from = pc;
    pc = SkipInListUncached(pc, depth, stopAtBar);
    if (!m_aborted) {
        memo = {from, pc, depth, stopAtBar};
        m_skipsUsed |= slotBit;
    }
    return pc;
}

inline size_t Matcher::SkipInListUncached(size_t pc, int depth, bool stopAtBar) {
    // One pass is at most the pattern's length; it is charged when it ends.
    const size_t start = pc;
    pc = ScanList(pc, depth, stopAtBar);
    Tick(pc - start + 1);
    return pc;
}

inline size_t Matcher::ScanList(size_t pc, int depth, bool stopAtBar) {
    int open = 0;
    while (pc < m_m) {
        if (PatLen(pc) == 2) {
            pc += 2;
            continue;
        }
        switch (P(pc)) {
        case '\\':
            pc += pc + 1 < m_m ? 1 + PatLen(pc + 1) : 1;
            break;
        case '[':
            pc = SkipClass(pc);
            break;
        case '(':
            ++open;
            ++pc;
            break;
        case ')':
            if (open == 0 && depth > 0)
                return pc;
            open -= open > 0 ? 1 : 0;
            ++pc;
            break;
        case '|':
            if (open == 0 && stopAtBar)
                return pc;
            ++pc;
            break;
        default:
            ++pc;
            break;
        }
    }
    return m_m;
}

// One alternative at q. On failure pc is left at the end of the alternative.
bool Matcher::MatchAlternative(size_t q, size_t& pc, int depth, size_t& end) {
    while (Tick()) {
        if (EndsAlternative(pc, depth)) {
            end = q;
            return true;
        }
        const size_t element = pc;
        const size_t len = PatLen(pc);
        bool ok = true;
        switch (len == 2 ? 0 : P(pc)) {
        case '?':
            q += TextLen(q);
            ++pc;
            break;
        case '*':
            ok = MatchStar(q, pc, depth);
            break;
        case '\\':
            ok = MatchEscape(q, pc);
            break;
        case '[':
            ok = MatchClass(q, pc);
            break;
        case '(': {
            size_t inner = pc + 1;
            size_t groupEnd = q;
            ok = Enter() && MatchList(q, inner, depth + 1, groupEnd) && inner < m_m;
            Leave();
            q = groupEnd;
            pc = inner + 1;
            break;
        }
        case '$':
            if (IsLineEndAnchor(pc)) {
                ok = q >= m_n || IsCrOrLf(q);
                ++pc;
                break;
            }
            [[fallthrough]];
        default:
            ok = LiteralAt(q, pc, len);
            q += len;
            pc += len;
            break;
        }
        if (!ok) {
            pc = SkipInList(element, depth, true);
            return false;
        }
    }
    return false;
}

bool Matcher::EscapeOnce(unsigned char name, size_t q, size_t& taken) const {
    if (q >= m_n)
        return false;
    if (name == 'j') {
        taken = 2;
        return IsLeadByte(T(q)) && q + 1 < m_n && T(q + 1) >= 0x40 && T(q + 1) <= 0xFC;
    }
    taken = 1;
    return NamedByteSet(name).Has(T(q));
}

inline bool Matcher::MatchEscape(size_t& q, size_t& pc) {
    if (pc + 1 >= m_m) // a backslash that ends the pattern stands for itself
        return LiteralAt(q++, pc++, 1);
    const size_t nameLen = PatLen(pc + 1);
    const unsigned char name = nameLen == 1 ? P(pc + 1) : 0;
    pc += 1 + nameLen;
    if (IsByteSetName(name) || name == 'j') {
        const unsigned char suffix = pc < m_m ? P(pc) : 0;
        size_t taken = 0;
        if (suffix != '+' && suffix != '-') {
            const bool ok = EscapeOnce(name, q, taken);
            q += taken;
            return ok;
        }
        ++pc;
        size_t count = 0;
        while (Tick() && EscapeOnce(name, q, taken)) {
            q += taken;
            ++count;
        }
        return suffix == '-' || count > 0;
    }
    switch (name) {
    case 'n':
        if (q < m_n && T(q) == '\n') {
            ++q;
            return true;
        }
        if (q + 1 < m_n && T(q) == '\r' && T(q + 1) == '\n') {
            q += 2;
            return true;
        }
        return false;
    case 'r':
        return q < m_n && T(q++) == '\r';
    case 't':
        return q < m_n && T(q++) == '\t';
    default: {
        const bool ok = LiteralAt(q, pc - nameLen, nameLen);
        q += nameLen;
        return ok;
    }
    }
}

inline bool Matcher::MatchClass(size_t& q, size_t& pc) {
    size_t entries = pc + 1;
    const bool negated = entries < m_m && P(entries) == '^';
    if (negated)
        ++entries;
    size_t taken = 0;
    size_t end = m_m;
    const bool first = ClassOnce(entries, negated, q, taken, end);
    pc = end;
    const unsigned char suffix = end < m_m ? P(end) : 0;
    if (suffix == '-') { // zero or one
        ++pc;
        if (first)
            q += taken;
        return true;
    }
    if (!first)
        return false;
    q += taken;
    if (suffix == '+') {
        ++pc;
        while (q < m_n && ClassOnce(entries, negated, q, taken, end))
            q += taken;
    }
    return true;
}

inline bool Matcher::MatchStar(size_t& q, size_t& pc, int depth) {
    if (pc + 1 >= m_m || P(pc + 1) == '|') { // the rest of the text
        q = m_n;
        ++pc;
        return true;
    }
    SearchResult found;
    if (P(pc + 1) == ')' && depth > 0) {
        // The fewest characters after which what follows the group matches;
        // the group ends where that match starts.
        if (!Search(q, pc + 2, depth - 1, found))
            return false;
        q = found.Start;
        ++pc;
        return true;
    }
    // The fewest characters after which the rest of the list matches; the rest
    // is taken with them.
    if (!Search(q, pc + 1, depth, found))
        return false;
    q = found.End;
    pc = found.Cursor;
    return true;
}

inline std::optional<PatternMatch> Matcher::Find() {
    // "^" tries the start of every line, "~" also after its leading blanks.
    const int anchor = m_m == 0 ? 0 : P(0) == '^' ? 1 : P(0) == '~' ? 2 : 0;
    const size_t patStart = anchor != 0 ? 1 : 0;
    const bool starFirst = patStart < m_m && P(patStart) == '*';
    const CandidateFilter filter = anchor == 0 ? MakeFilter(patStart, 0) : CandidateFilter{};

    for (size_t q = 0; q < m_n && Tick(); q = After(q, filter)) {
        if (anchor != 0) {
            if (q != 0)
                while (q < m_n && !IsCrOrLf(q))
                    q += TextLen(q);
            while (q < m_n && (IsCrOrLf(q) || (anchor == 2 && (T(q) == ' ' || T(q) == '\t'))))
                ++q;
        } else {
            q = NextCandidate(q, m_n - 1, filter);
            if (q == SIZE_MAX)
                break;
        }
        size_t pc = patStart;
        size_t end = q;
        if (MatchList(q, pc, 0, end))
            return m_aborted ? std::nullopt : std::optional(PatternMatch{q, end});
        if (m_aborted || starFirst)
            break;
    }
    return std::nullopt;
}

} // namespace detail

std::optional<PatternMatch> FindPattern(std::string_view text, std::string_view pattern) {
    return detail::Matcher(text, pattern).Find();
}

bool PatternAnywhere(std::string_view text, std::string_view pattern) {
    return CanMatchAnywhere(text, pattern) && FindPattern(text, pattern).has_value();
}

bool PatternWhole(std::string_view text, std::string_view pattern) {
    if (!CanMatchWhole(text, pattern))
        return false;
    const auto match = FindPattern(text, pattern);
    return match && match->Start == 0 && match->End == text.size();
}

} // namespace zanpel
