// The pattern matcher's state and its small helpers, shared by the two files
// that implement it: patternmatch.cpp (the elements of a pattern, tried at one
// text position, and the public functions) and patternsearch.cpp (the searches
// that star elements start and the filter that passes over hopeless start
// positions). Nothing else includes this file.
#pragma once

#include "records/patternmatch.h"
#include "records/timevalues.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace zanpel::detail {

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

inline bool IsByteSetName(unsigned char name) {
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
inline constexpr ByteSet Digits = SetOfBytes('d');
inline constexpr ByteSet HexDigits = SetOfBytes('x');
inline constexpr ByteSet Letters = SetOfBytes('a');
inline constexpr ByteSet WordBytes = SetOfBytes('w');
inline constexpr ByteSet LeadBytes = SetOfBytes('j');
static_assert(Digits.Bits[0] == 0x03FF000000000000 && Digits.Bits[1] == 0);
static_assert(Letters.Bits[1] == 0x07FFFFFE87FFFFFE && Letters.Bits[0] == 0);
static_assert(LeadBytes.Bits[2] == 0x00000000FFFFFFFE && LeadBytes.Bits[3] == 0x1FFFFFFF00000000);

// The set of \d \x \a \w by its letter; the lead bytes for "j".
inline const ByteSet& NamedByteSet(unsigned char name) {
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
inline bool HasBar(std::string_view pattern) {
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

// The text and the pattern a matcher reads, a byte and a character at a time.
class MatchInput {
protected:
    MatchInput(std::string_view text, std::string_view pattern)
        : m_text(text), m_pat(pattern), m_n(text.size()), m_m(pattern.size()) {}

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

    std::string_view m_text;
    std::string_view m_pat;
    size_t m_n;
    size_t m_m;
};

// The work a matcher may do for one call, and how deep it may nest; past
// either it is aborted, and finds no match.
class MatchBudget {
protected:
    MatchBudget(size_t textSize, size_t patternSize) {
        constexpr size_t Large = size_t{1} << 24; // beyond it the product could overflow
        m_budget = textSize < Large && patternSize < Large
                       ? FixedBudget + uint64_t{textSize + 1} * (patternSize + 1) * BudgetPerCell
                       : UINT64_MAX;
    }

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

    uint64_t m_budget = 0;
    uint64_t m_steps = 0;
    int m_nesting = 0;
    bool m_aborted = false;
};

class Matcher : private MatchInput, private MatchBudget {
public:
    Matcher(std::string_view text, std::string_view pattern)
        : MatchInput(text, pattern), MatchBudget(text.size(), pattern.size()),
          m_hasBar(HasBar(pattern)) {}

    // Defined in patternmatch.cpp, next to its one caller.
    inline std::optional<PatternMatch> Find();

private:
    // Defined at the end of this file: both files call them.
    ClassEntry ReadClassEntry(size_t& pc);
    size_t SkipClass(size_t pc);
    bool MatchList(size_t q, size_t& pc, int depth, size_t& end);

    // patternmatch.cpp: classes, passing over lists, the elements of an alternative.
    bool ClassOnce(size_t entries, bool negated, size_t q, size_t& taken, size_t& end);
    size_t SkipInList(size_t pc, int depth, bool stopAtBar);
    bool MatchAlternative(size_t q, size_t& pc, int depth, size_t& end);
    bool EscapeOnce(unsigned char name, size_t q, size_t& taken) const;
    // Called only in that file, from one place each: inline, so that they fold
    // into their callers.
    inline size_t ClassTakes(const ClassEntry& entry, size_t q) const;
    inline size_t SkipInListUncached(size_t pc, int depth, bool stopAtBar);
    inline size_t ScanList(size_t pc, int depth, bool stopAtBar);
    inline bool MatchEscape(size_t& q, size_t& pc);
    inline bool MatchClass(size_t& q, size_t& pc);
    inline bool MatchStar(size_t& q, size_t& pc, int depth);

    // patternsearch.cpp: the start positions tried and the filter over them.
    bool Search(size_t from, size_t patStart, int depth, SearchResult& result);
    bool FirstBytesOfElement(size_t pc, int depth, int nesting, CandidateFilter& filter,
                             size_t& resume);
    size_t RunEnd(size_t q, size_t element);
    CandidateFilter MakeFilter(size_t patStart, int depth);
    size_t NextCandidate(size_t c, size_t until, const CandidateFilter& filter);
    // Called only in that file: inline, so that they fold into their callers.
    inline bool ScanCandidates(size_t from, size_t until, size_t patStart, int depth,
                               SearchResult& result);
    inline bool FirstBytes(size_t pc, int depth, int nesting, CandidateFilter& filter,
                           size_t& listEnd);
    inline bool IsRun(size_t pc) const;
    // The next start after a failed one at c.
    size_t After(size_t c, const CandidateFilter& filter) {
        const size_t next = c + TextLen(c);
        if (filter.Run == SIZE_MAX)
            return next;
        const size_t runEnd = RunEnd(c, filter.Run);
        return runEnd > next ? runEnd : next;
    }

    bool m_hasBar; // the pattern holds a "|" byte, so some list may have alternatives
    SearchMemo m_memo[MemoSlots];
    uint64_t m_memoUsed = 0; // one bit per slot
    static_assert(MemoSlots <= 64);
    SkipMemo m_skips[SkipSlots];
    uint32_t m_skipsUsed = 0;
    static_assert(SkipSlots <= 32);
};

// Used by both files from their loops over the pattern and the text, so defined
// here, where every caller can inline them.

// Reads the class entry at pc and moves past it; End at "]" (passed over too)
// or at the end of the pattern.
inline ClassEntry Matcher::ReadClassEntry(size_t& pc) {
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

inline size_t Matcher::SkipClass(size_t pc) {
    ++pc;
    if (pc < m_m && P(pc) == '^')
        ++pc;
    size_t taken = 0;
    size_t end = pc;
    ClassOnce(pc, false, m_n, taken, end);
    return end;
}

// The alternatives from pc, each tried at q; the first that matches is taken.
// Leaves pc at the end of the list: the ")" of its group or the end of the pattern.
inline bool Matcher::MatchList(size_t q, size_t& pc, int depth, size_t& end) {
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

} // namespace zanpel::detail
