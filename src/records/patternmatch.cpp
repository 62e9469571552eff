#include "records/patternmatch.h"

#include "records/patternhint.h"

#include "records/timevalues.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace zanpel {
namespace {

// Groups and star searches recurse; this many may be open at once. Real rules
// use two or three; deeper patterns give no match instead of a deep stack.
constexpr int MaxNesting = 32;
// Work allowed for one call, in steps (a character taken, a pattern character
// read, a start position tried). The part that grows with the input keeps long
// texts working. Real rules on real titles take a few hundred steps, hostile
// patterns end within about a millisecond. Past the budget there is no match.
constexpr uint64_t FixedBudget = uint64_t{1} << 16;
constexpr uint64_t BudgetPerCell = 4;

constexpr unsigned HighestCode = 0xFFFF; // upper end of an open range such as [a-]

bool IsByteSetName(unsigned char name) {
    return name == 'd' || name == 'x' || name == 'a' || name == 'w';
}

// A set of bytes: the bytes of \d \x \a \w, or the first bytes that a pattern can
// begin a match with.
struct ByteSet {
    uint64_t Bits[4] = {0, 0, 0, 0};
    constexpr void Add(unsigned b) { Bits[b >> 6] |= uint64_t{1} << (b & 63); }
    constexpr void AddRange(unsigned low, unsigned high) {
        for (unsigned word = low >> 6; word <= (high >> 6) && low <= high; ++word) {
            const unsigned from = word * 64 > low ? 0 : low & 63;
            const unsigned to = (word + 1) * 64 - 1 < high ? 63 : high & 63;
            Bits[word] |= (~uint64_t{0} >> (63 - to)) & (~uint64_t{0} << from);
        }
    }
    constexpr void AddAll(const ByteSet& other) {
        for (int k = 0; k < 4; ++k)
            Bits[k] |= other.Bits[k];
    }
    bool Has(unsigned char b) const { return (Bits[b >> 6] >> (b & 63)) & 1; }
};

// The bytes of \d \x \a \w, and the lead bytes (\j).
constexpr ByteSet SetOfBytes(unsigned char name) {
    ByteSet set;
    if (name == 'j') {
        set.AddRange(0x81, 0x9F);
        set.AddRange(0xE0, 0xFC);
        return set;
    }
    if (name != 'a')
        set.AddRange('0', '9');
    if (name == 'x') {
        set.AddRange('A', 'F');
        set.AddRange('a', 'f');
    } else if (name != 'd') {
        set.AddRange('A', 'Z');
        set.AddRange('a', 'z');
        set.Add('_');
    }
    return set;
}
constexpr ByteSet Digits = SetOfBytes('d');
constexpr ByteSet HexDigits = SetOfBytes('x');
constexpr ByteSet Letters = SetOfBytes('a');
constexpr ByteSet WordBytes = SetOfBytes('w');
constexpr ByteSet LeadBytes = SetOfBytes('j');
static_assert(Digits.Bits[0] == 0x03FF000000000000 && Digits.Bits[1] == 0);
static_assert(Letters.Bits[1] == 0x07FFFFFE87FFFFFE && Letters.Bits[0] == 0);
static_assert(LeadBytes.Bits[2] == 0x00000000FFFFFFFE && LeadBytes.Bits[3] == 0x1FFFFFFF00000000);

// The set of \d \x \a \w by its letter; the lead bytes for "j".
const ByteSet& NamedByteSet(unsigned char name) {
    switch (name) {
    case 'd':
        return Digits;
    case 'x':
        return HexDigits;
    case 'a':
        return Letters;
    case 'w':
        return WordBytes;
    default:
        return LeadBytes;
    }
}

// Where a match of a list may begin. When Active, only at a character whose
// first byte is in First and, for a double-byte character, whose second byte is
// in Second; Single is the one byte of First when it holds only one, else -1.
// Run is the list's first element when the list is that element, repeated, and
// more: a start inside the run that failed fails the same way.
struct CandidateFilter {
    bool Active = false;
    int Single = -1;
    size_t Run = SIZE_MAX;
    size_t ClassAt = SIZE_MAX; // the first class looked at, and the end of it
    size_t ClassEnd = SIZE_MAX;
    ByteSet First;
    ByteSet Second;
};

// Patterns are short: a plain loop beats a library call here.
bool HasBar(std::string_view pattern) {
    bool bar = false;
    for (char c : pattern)
        bar |= c == '|';
    return bar;
}

// One entry of a character class.
struct ClassEntry {
    enum Kind { End, Range, ByteSetEntry, LineBreak };
    Kind What = End;
    unsigned Low = 0;
    unsigned High = 0;
    unsigned char Set = 0; // the name of a byte set
    bool Last = false;     // the entry closed the class, as in "[a-]"
};

// Whether the pattern at a position matches at a text position does not depend
// on where the search began, so a search that found nothing from some position
// finds nothing from any later one, and a found start answers every search that
// begins between the two. This keeps stars after stars from trying the same
// places over and over. The slots are left uninitialized (a call must stay
// cheap); a bit per slot tells which hold a search.
struct SearchMemo {
    size_t Key;    // pattern position the searched pattern begins at
    int Depth;     // group depth of that pattern
    size_t From;   // candidates From .. At-1 do not match
    size_t At;     // the first candidate that matches, when Found
    size_t End;    // where that match ends
    size_t Cursor; // pattern position where the matched list ended
    bool Found;
};
// One slot per pattern position modulo the slot count; a newer search of
// another position in the same slot replaces the older one.
constexpr size_t MemoSlots = 64;

// Where a pass over the pattern from From ended, for the same depth and kind.
struct SkipMemo {
    size_t From;
    size_t To;
    int Depth;
    bool StopAtBar;
};
constexpr size_t SkipSlots = 16;

struct SearchResult {
    size_t Start = 0;
    size_t End = 0;
    size_t Cursor = 0;
};

class Matcher {
public:
    Matcher(std::string_view text, std::string_view pattern)
        : m_text(text), m_pat(pattern), m_n(text.size()), m_m(pattern.size()),
          m_hasBar(HasBar(pattern)) {
        constexpr size_t Large = size_t{1} << 24; // beyond it the product could overflow
        m_budget = m_n < Large && m_m < Large
                       ? FixedBudget + uint64_t{m_n + 1} * (m_m + 1) * BudgetPerCell
                       : UINT64_MAX;
    }

    std::optional<PatternMatch> Find();

private:
    unsigned char T(size_t q) const { return static_cast<unsigned char>(m_text[q]); }
    unsigned char P(size_t pc) const { return static_cast<unsigned char>(m_pat[pc]); }

    // Length of the text character at q; 0 at the end of the text.
    size_t TextLen(size_t q) const {
        if (q >= m_n)
            return 0;
        return IsLeadByte(T(q)) && q + 1 < m_n ? 2 : 1;
    }
    unsigned TextCode(size_t q) const {
        return TextLen(q) == 2 ? T(q) * 256u + T(q + 1) : q < m_n ? T(q) : 0;
    }
    size_t PatLen(size_t pc) const { return IsLeadByte(P(pc)) && pc + 1 < m_m ? 2 : 1; }
    unsigned PatCode(size_t pc) const { return PatLen(pc) == 2 ? P(pc) * 256u + P(pc + 1) : P(pc); }
    bool IsCrOrLf(size_t q) const { return q < m_n && (T(q) == '\r' || T(q) == '\n'); }
    // The pattern character at pc, of len bytes, stands at text position q.
    bool LiteralAt(size_t q, size_t pc, size_t len) const {
        if (TextLen(q) != len)
            return false;
        return T(q) == P(pc) && (len == 1 || T(q + 1) == P(pc + 1));
    }
    bool EndsAlternative(size_t pc, int depth) const {
        return pc >= m_m || P(pc) == '|' || (P(pc) == ')' && depth > 0);
    }
    // The "$" at pc stands for a line end rather than for itself.
    bool IsLineEndAnchor(size_t pc) const { return pc + 1 >= m_m || P(pc + 1) == '|'; }

    bool Tick(size_t steps = 1) {
        m_steps += steps;
        if (m_steps > m_budget)
            m_aborted = true;
        return !m_aborted;
    }
    bool Enter() {
        if (++m_nesting > MaxNesting)
            m_aborted = true;
        return !m_aborted;
    }
    void Leave() { --m_nesting; }

    ClassEntry ReadClassEntry(size_t& pc);
    size_t ClassTakes(const ClassEntry& entry, size_t q) const;
    bool ClassOnce(size_t entries, bool negated, size_t q, size_t& taken, size_t& end);
    size_t SkipClass(size_t pc);
    size_t SkipInList(size_t pc, int depth, bool stopAtBar);
    size_t SkipInListUncached(size_t pc, int depth, bool stopAtBar);
    size_t ScanList(size_t pc, int depth, bool stopAtBar);

    bool MatchList(size_t q, size_t& pc, int depth, size_t& end);
    bool MatchAlternative(size_t q, size_t& pc, int depth, size_t& end);
    bool EscapeOnce(unsigned char name, size_t q, size_t& taken) const;
    bool MatchEscape(size_t& q, size_t& pc);
    bool MatchClass(size_t& q, size_t& pc);
    bool MatchStar(size_t& q, size_t& pc, int depth);
    bool Search(size_t from, size_t patStart, int depth, SearchResult& result);
    bool ScanCandidates(size_t from, size_t until, size_t patStart, int depth,
                        SearchResult& result);

    bool FirstBytes(size_t pc, int depth, int nesting, CandidateFilter& filter, size_t& listEnd);
    bool FirstBytesOfElement(size_t pc, int depth, int nesting, CandidateFilter& filter,
                             size_t& resume);
    bool IsRun(size_t pc) const;
    size_t RunEnd(size_t q, size_t element);
    CandidateFilter MakeFilter(size_t patStart, int depth);
    size_t NextCandidate(size_t c, size_t until, const CandidateFilter& filter);
    // The next start after a failed one at c.
    size_t After(size_t c, const CandidateFilter& filter) {
        const size_t next = c + TextLen(c);
        if (filter.Run == SIZE_MAX)
            return next;
        const size_t runEnd = RunEnd(c, filter.Run);
        return runEnd > next ? runEnd : next;
    }

    std::string_view m_text;
    std::string_view m_pat;
    size_t m_n;
    size_t m_m;
    bool m_hasBar; // the pattern holds a "|" byte, so some list may have alternatives
    uint64_t m_budget = 0;
    uint64_t m_steps = 0;
    int m_nesting = 0;
    bool m_aborted = false;
    SearchMemo m_memo[MemoSlots];
    uint64_t m_memoUsed = 0; // one bit per slot
    static_assert(MemoSlots <= 64);
    SkipMemo m_skips[SkipSlots];
    uint32_t m_skipsUsed = 0;
    static_assert(SkipSlots <= 32);
};

// Reads the class entry at pc and moves past it; End at "]" (passed over too)
// or at the end of the pattern.
ClassEntry Matcher::ReadClassEntry(size_t& pc) {
    if (pc >= m_m)
        return {};
    const unsigned char b = P(pc);
    if (b == ']') {
        ++pc;
        return {};
    }
    if (b == '\\' && pc + 1 < m_m) {
        const unsigned code = PatCode(pc + 1);
        pc += 1 + PatLen(pc + 1);
        switch (code) {
        case 'd':
        case 'x':
        case 'a':
        case 'w':
            return {ClassEntry::ByteSetEntry, 0, 0, static_cast<unsigned char>(code)};
        case 'j':
            return {ClassEntry::Range, 0x8140, 0xFCFC};
        case 'n':
            return {ClassEntry::LineBreak};
        case 'r':
            return {ClassEntry::Range, '\r', '\r'};
        case 't':
            return {ClassEntry::Range, '\t', '\t'};
        default:
            return {ClassEntry::Range, code, code};
        }
    }
    // A character, a range "c-d", an open range "c-]" that also closes the
    // class, or "-d", the range from code 0.
    unsigned low = 0;
    if (b != '-') {
        low = PatCode(pc);
        pc += PatLen(pc);
        if (pc >= m_m || P(pc) != '-')
            return {ClassEntry::Range, low, low};
    }
    ++pc;
    if (pc >= m_m)
        return {ClassEntry::Range, low, HighestCode};
    if (P(pc) == ']') {
        ++pc;
        return {ClassEntry::Range, low, HighestCode, 0, true};
    }
    const unsigned high = PatCode(pc);
    pc += PatLen(pc);
    return {ClassEntry::Range, low, high};
}

// Text bytes the entry takes at q (q before the end); 0 when it does not match.
size_t Matcher::ClassTakes(const ClassEntry& entry, size_t q) const {
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

size_t Matcher::SkipClass(size_t pc) {
    ++pc;
    if (pc < m_m && P(pc) == '^')
        ++pc;
    size_t taken = 0;
    size_t end = pc;
    ClassOnce(pc, false, m_n, taken, end);
    return end;
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

size_t Matcher::SkipInListUncached(size_t pc, int depth, bool stopAtBar) {
    // One pass is at most the pattern's length; it is charged when it ends.
    const size_t start = pc;
    pc = ScanList(pc, depth, stopAtBar);
    Tick(pc - start + 1);
    return pc;
}

size_t Matcher::ScanList(size_t pc, int depth, bool stopAtBar) {
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

// The alternatives from pc, each tried at q; the first that matches is taken.
// Leaves pc at the end of the list: the ")" of its group or the end of the pattern.
bool Matcher::MatchList(size_t q, size_t& pc, int depth, size_t& end) {
    for (;;) {
        if (MatchAlternative(q, pc, depth, end)) {
            // Outside groups the list runs to the end of the pattern.
            pc = depth == 0 ? m_m : SkipInList(pc, depth, false);
            return !m_aborted;
        }
        if (m_aborted || pc >= m_m || P(pc) != '|')
            return false;
        ++pc;
    }
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

bool Matcher::MatchEscape(size_t& q, size_t& pc) {
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

bool Matcher::MatchClass(size_t& q, size_t& pc) {
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

bool Matcher::MatchStar(size_t& q, size_t& pc, int depth) {
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

// The pattern at patStart searched from the text position from, as at the top
// level, except that the end of the text is tried too: "a*$" matches "a".
bool Matcher::Search(size_t from, size_t patStart, int depth, SearchResult& result) {
    if (!Enter()) {
        Leave();
        return false;
    }
    bool found = false;
    if (patStart < m_m && P(patStart) == '*') {
        // Only one start is tried: the star itself searches onward.
        size_t pc = patStart;
        size_t end = from;
        found = MatchList(from, pc, depth, end);
        result = {from, end, pc};
        Leave();
        return found;
    }
    // The slot is copied: the searches nested in this one may reuse it.
    const size_t slot = patStart % MemoSlots;
    const uint64_t slotBit = uint64_t{1} << slot;
    const bool known =
        (m_memoUsed & slotBit) != 0 && m_memo[slot].Key == patStart && m_memo[slot].Depth == depth;
    SearchMemo memo = known ? m_memo[slot] : SearchMemo{};
    if (known && from >= memo.From && (!memo.Found || from <= memo.At)) {
        found = memo.Found;
        result = {memo.At, memo.End, memo.Cursor};
    } else {
        const bool before = known && from < memo.From;
        found = ScanCandidates(from, before ? memo.From - 1 : m_n, patStart, depth, result);
        if (found) {
            memo = {patStart, depth, from, result.Start, result.End, result.Cursor, true};
        } else if (before) {
            memo.From = from;
            found = memo.Found;
            result = {memo.At, memo.End, memo.Cursor};
        } else {
            memo = {patStart, depth, from, m_n, m_n, patStart, false};
        }
        if (!m_aborted) {
            m_memo[slot] = memo;
            m_memoUsed |= slotBit;
        }
    }
    Leave();
    return found && !m_aborted;
}

// Candidates from..until (the end of the text included); the first match wins.
bool Matcher::ScanCandidates(size_t from, size_t until, size_t patStart, int depth,
                             SearchResult& result) {
    const CandidateFilter filter = MakeFilter(patStart, depth);
    for (size_t c = from; Tick();) {
        c = NextCandidate(c, until, filter);
        if (c == SIZE_MAX)
            return false;
        size_t pc = patStart;
        size_t end = c;
        if (MatchList(c, pc, depth, end)) {
            result = {c, end, pc};
            return true;
        }
        if (m_aborted || c >= m_n)
            return false;
        c = After(c, filter);
    }
    return false;
}

CandidateFilter Matcher::MakeFilter(size_t patStart, int depth) {
    CandidateFilter filter;
    size_t listEnd = m_m;
    filter.Active = FirstBytes(patStart, depth, 0, filter, listEnd);
    int count = 0;
    for (uint64_t bits : filter.First.Bits)
        count += std::popcount(bits);
    for (unsigned word = 0; word < 4 && filter.Active && count == 1; ++word)
        if (filter.First.Bits[word] != 0)
            filter.Single = static_cast<int>(word * 64) + std::countr_zero(filter.First.Bits[word]);
    bool run = IsRun(patStart);
    if (!run && patStart < m_m && P(patStart) == '[') {
        const size_t end = filter.ClassAt == patStart ? filter.ClassEnd : SkipClass(patStart);
        run = end < m_m && P(end) == '+';
    }
    if (run) {
        const size_t alternativeEnd = m_hasBar ? SkipInList(patStart, depth, true) : m_m;
        if (alternativeEnd >= m_m || P(alternativeEnd) != '|')
            filter.Run = patStart;
    }
    return filter;
}

// The first candidate from c on, up to until, that can begin a match; SIZE_MAX
// when none is left. With an active filter, characters that begin with another
// byte (and the end of the text) are passed over: bytes of the set are looked
// for without stepping from character to character, and each one found is then
// checked to begin a character. It does when an even number of lead bytes
// stands between it and the last byte that is no lead byte (which always ends a
// character) or the last place known to begin one.
size_t Matcher::NextCandidate(size_t c, size_t until, const CandidateFilter& filter) {
    if (!filter.Active)
        return c <= until ? c : SIZE_MAX;
    const size_t limit = until < m_n ? until + 1 : m_n;
    const size_t start = c;
    size_t known = c;
    while (c < limit) {
        if (filter.Single >= 0 && limit - c >= 16) {
            const void* hit = std::memchr(m_text.data() + c, filter.Single, limit - c);
            c = hit == nullptr ? limit
                               : static_cast<size_t>(static_cast<const char*>(hit) - m_text.data());
        } else {
            // Byte by byte: no step waits for the one before, as stepping by
            // characters would.
            while (c < limit && !filter.First.Has(T(c)))
                ++c;
        }
        if (c >= limit)
            break;
        size_t k = c;
        while (k > known && LeadBytes.Has(T(k - 1)))
            --k;
        if ((c - k) % 2 != 0) {
            known = ++c; // c was the second byte of a character
            continue;
        }
        if (TextLen(c) == 1 || filter.Second.Has(T(c + 1)))
            break;
        c += 2;
        known = c;
    }
    Tick((c - start) / 8);
    return c < limit ? c : SIZE_MAX;
}

// The bytes that a match of the list at pc can begin with; false when the list
// may match without taking a character or when that is not worth working out.
// Only a superset is needed: it passes over places that cannot match.
bool Matcher::FirstBytes(size_t pc, int depth, int nesting, CandidateFilter& filter,
                         size_t& listEnd) {
    for (;;) {
        size_t resume = pc; // where to look on for the end of the alternative
        if (nesting >= MaxNesting || !FirstBytesOfElement(pc, depth, nesting, filter, resume))
            return false;
        if (!m_hasBar) // every list has one alternative
            return true;
        pc = SkipInList(resume, depth, true);
        if (m_aborted || pc >= m_m || P(pc) != '|') {
            listEnd = pc;
            return !m_aborted;
        }
        ++pc;
    }
}

// Single-byte codes are their own first byte; a double-byte code begins with its
// lead byte, and a literal one also tells its second byte.
bool Matcher::FirstBytesOfElement(size_t pc, int depth, int nesting, CandidateFilter& filter,
                                  size_t& resume) {
    ByteSet& first = filter.First;
    if (EndsAlternative(pc, depth))
        return false;
    const size_t literal = P(pc) == '\\' && pc + 1 < m_m ? pc + 1 : pc;
    if (PatLen(literal) == 2) {
        first.Add(P(literal));
        filter.Second.Add(P(literal + 1));
        return true;
    }
    const unsigned char b = P(pc);
    switch (b) {
    case '?':
    case '*':
        return false;
    case '$':
        if (IsLineEndAnchor(pc))
            return false;
        break;
    case '(': {
        size_t groupEnd = m_m;
        if (!FirstBytes(pc + 1, depth + 1, nesting + 1, filter, groupEnd))
            return false;
        resume = groupEnd < m_m ? groupEnd + 1 : m_m;
        return true;
    }
    case '\\': {
        if (pc + 1 >= m_m)
            break;
        const unsigned char name = P(pc + 1);
        if (IsByteSetName(name) || name == 'j') {
            if (pc + 2 < m_m && P(pc + 2) == '-')
                return false;
            first.AddAll(NamedByteSet(name));
            if (name == 'j')
                filter.Second.AddRange(0, 255);
            return true;
        }
        switch (name) {
        case 'n':
            first.Add('\r');
            first.Add('\n');
            break;
        case 'r':
            first.Add('\r');
            break;
        case 't':
            first.Add('\t');
            break;
        default:
            first.Add(name);
            break;
        }
        return true;
    }
    case '[': {
        size_t entries = pc + 1;
        if (entries < m_m && P(entries) == '^')
            return false;
        ByteSet bytes;
        bool wide = false;
        for (;;) {
            const ClassEntry entry = ReadClassEntry(entries);
            if (entry.What == ClassEntry::End)
                break;
            if (entry.What == ClassEntry::Range && entry.Low <= entry.High) {
                if (entry.Low < 256)
                    bytes.AddRange(entry.Low, entry.High < 256 ? entry.High : 255);
                if (entry.High >= 256) {
                    bytes.AddRange((entry.Low < 256 ? 256 : entry.Low) >> 8, entry.High >> 8);
                    wide = true;
                }
            } else if (entry.What == ClassEntry::ByteSetEntry) {
                bytes.AddAll(NamedByteSet(entry.Set));
            } else if (entry.What == ClassEntry::LineBreak) {
                bytes.Add('\r');
                bytes.Add('\n');
            }
            if (entry.Last)
                break;
        }
        Tick(entries - pc);
        if (filter.ClassAt == SIZE_MAX) {
            filter.ClassAt = pc;
            filter.ClassEnd = entries;
        }
        if (entries < m_m && P(entries) == '-') // zero or one
            return false;
        first.AddAll(bytes);
        if (wide)
            filter.Second.AddRange(0, 255);
        resume = entries;
        return true;
    }
    default:
        break;
    }
    first.Add(b);
    return true;
}

// The element at pc repeats: \d+ \d- (and \x \a \w \j) or [...]+.
bool Matcher::IsRun(size_t pc) const {
    if (pc + 2 < m_m && P(pc) == '\\') {
        const unsigned char name = P(pc + 1);
        return (IsByteSetName(name) || name == 'j') && (P(pc + 2) == '+' || P(pc + 2) == '-');
    }
    return false;
}

// Where the run of the element at element, begun at q, ends, as long as it takes
// one whole character at each step.
size_t Matcher::RunEnd(size_t q, size_t element) {
    size_t taken = 0;
    if (P(element) == '\\') {
        while (q < m_n && Tick() && EscapeOnce(P(element + 1), q, taken) && taken == TextLen(q))
            q += taken;
        return q;
    }
    size_t entries = element + 1;
    const bool negated = entries < m_m && P(entries) == '^';
    entries += negated ? 1 : 0;
    size_t end = 0;
    while (q < m_n && ClassOnce(entries, negated, q, taken, end) && taken == TextLen(q))
        q += taken;
    return q;
}

std::optional<PatternMatch> Matcher::Find() {
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

} // namespace

std::optional<PatternMatch> FindPattern(std::string_view text, std::string_view pattern) {
    return Matcher(text, pattern).Find();
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
