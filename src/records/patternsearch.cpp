#include "records/patternmatcher.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace zanpel::detail {

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
inline bool Matcher::ScanCandidates(size_t from, size_t until, size_t patStart, int depth,
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
inline bool Matcher::FirstBytes(size_t pc, int depth, int nesting, CandidateFilter& filter,
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
inline bool Matcher::IsRun(size_t pc) const {
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

} // namespace zanpel::detail
