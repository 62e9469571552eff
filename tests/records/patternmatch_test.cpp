#include "records/patternmatch.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

// Every allocation of this test program is counted, so that a test can show that
// matching allocates nothing.
namespace {
std::atomic<size_t> g_allocations{0};
}

// GCC sees malloc and free behind the replaced operators once they are
// inlined into the standard library's code, and takes them for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

namespace zanpel {
namespace {

using test::Sjis;

// The matched part of text, or "<none>".
std::string Matched(std::string_view text, std::string_view pattern) {
    const auto m = FindPattern(text, pattern);
    if (!m)
        return "<none>";
    EXPECT_LE(m->Start, m->End);
    EXPECT_LE(m->End, text.size());
    return std::string(text.substr(m->Start, m->End - m->Start));
}

size_t StartOf(std::string_view text, std::string_view pattern) {
    const auto m = FindPattern(text, pattern);
    return m ? m->Start : SIZE_MAX;
}

TEST(PatternMatch, LiteralsKeepDoubleByteCharactersWhole) {
    EXPECT_EQ(Matched(Sjis("画面表示の設定"), Sjis("表示")), Sjis("表示"));
    // ソ and 表 end in 0x5C, ア in 0x41: neither is a backslash or an "A" of its own.
    EXPECT_EQ(Matched(Sjis("ソフト開発"), Sjis("ソフト")), Sjis("ソフト"));
    EXPECT_EQ(Matched(Sjis("表"), "\\\\"), "<none>");
    EXPECT_EQ(Matched(Sjis("ア"), "A"), "<none>");
    EXPECT_EQ(StartOf(Sjis("ファイル.txt"), ".txt"), 8u);
    // Second bytes that look like the first byte sought (ャ is 0x83 0x83).
    EXPECT_EQ(StartOf(Sjis("アアアアアアアアアA"), "A"), 18u);
    EXPECT_EQ(StartOf(Sjis("ャャャャャャャャャア"), Sjis("ア")), 18u);
    EXPECT_EQ(Matched("Book1", "book"), "<none>"); // case-sensitive
    EXPECT_FALSE(PatternAnywhere("", ""));
    EXPECT_FALSE(PatternAnywhere("", "*"));
}

TEST(PatternMatch, QuestionMarkTakesOneCharacterOrNothingAtTheEnd) {
    EXPECT_EQ(Matched(Sjis("あいう"), "?"), Sjis("あ"));
    EXPECT_TRUE(PatternWhole(Sjis("あい"), "??"));
    EXPECT_TRUE(PatternWhole(Sjis("あい"), "???"));
    EXPECT_EQ(Matched("abc", "b??"), "bc");
}

TEST(PatternMatch, StarTakesTheFewestCharactersOrTheRest) {
    EXPECT_TRUE(PatternWhole("a.txt", "*.txt"));
    EXPECT_FALSE(PatternWhole("a.txt.txt", "*.txt"));
    EXPECT_TRUE(PatternAnywhere("a.txt.txt", "*.txt"));
    EXPECT_TRUE(PatternWhole(Sjis("議事録.txt"), "*.txt"));
    EXPECT_EQ(Matched("a-b-c", "a*-"), "a-");
    EXPECT_EQ(Matched(Sjis("予定表 - Excel"), Sjis("表*")), Sjis("表 - Excel"));
    EXPECT_EQ(Matched("x(abc)", "(a*)c"), "abc");
    // What follows the star may match at the very end of the text.
    EXPECT_EQ(Matched("ab", "a*$"), "ab");
    EXPECT_EQ(Matched("ab", "(b*)"), "b");
    EXPECT_EQ(Matched("a", "a*\\d-"), "a");
}

TEST(PatternMatch, DollarMatchesBeforeLineEndsAndAtTheEnd) {
    EXPECT_EQ(StartOf("abc", "c$"), 2u);
    EXPECT_EQ(StartOf("abc\r\nxyz", "c$"), 2u);
    EXPECT_EQ(StartOf("abc\nxyz", "c$"), 2u);
    EXPECT_EQ(Matched("abc", "b$"), "<none>");
    EXPECT_EQ(Matched("abc", "b$|c"), "c");
    EXPECT_EQ(Matched("cost $5", "$5"), "$5");
}

TEST(PatternMatch, EscapedSetsTestSingleBytes) {
    EXPECT_EQ(Matched(Sjis("第２版 v2"), "\\d"), "2"); // a full-width digit is no digit
    EXPECT_EQ(Matched("0xFG", "x\\x\\x"), "<none>");
    EXPECT_EQ(Matched("0xFA", "x\\x\\x"), "xFA");
    EXPECT_EQ(Matched("-_a1", "\\a+"), "_a");
    EXPECT_EQ(Matched(Sjis("ア_b9!"), "\\w+"), "_b9");
    EXPECT_EQ(Matched(Sjis("12月の予定"), Sjis("\\d+月")), Sjis("12月"));
    EXPECT_EQ(Matched("x123y", "x\\d-y"), "x123y");
    EXPECT_EQ(Matched("xy", "x\\d-y"), "xy");
}

TEST(PatternMatch, JTakesDoubleByteCharacters) {
    EXPECT_EQ(Matched(Sjis("ab議事録cd"), "\\j+"), Sjis("議事録"));
    EXPECT_EQ(Matched(Sjis("ab議事録cd"), "b\\j-c"), Sjis("b議事録c"));
    EXPECT_EQ(Matched(Sjis("ab議事録cd"), "b\\j-"), Sjis("b議事録"));
    EXPECT_EQ(Matched("abc", "\\j"), "<none>");
    EXPECT_EQ(Matched("a\x82", "a\\j"), "<none>");     // lead byte without its partner
    EXPECT_EQ(Matched("a\x82\x0D", "a\\j"), "<none>"); // second byte out of range
}

TEST(PatternMatch, LineAndOtherEscapes) {
    EXPECT_EQ(Matched("a\r\nb", "a\\nb"), "a\r\nb");
    EXPECT_EQ(Matched("a\nb", "a\\nb"), "a\nb");
    EXPECT_EQ(Matched("a\rb", "a\\nb"), "<none>");
    EXPECT_EQ(Matched("a\rb", "a\\rb"), "a\rb");
    EXPECT_EQ(Matched("a\tb", "a\\tb"), "a\tb");
    EXPECT_EQ(Matched("x*y", "\\*"), "*");
    EXPECT_EQ(Matched("C:\\tmp", "C:\\\\"), "C:\\");
    EXPECT_EQ(Matched("a|b", "a\\|b"), "a|b");
    EXPECT_EQ(Matched("b", "a\\|b"), "<none>");
    EXPECT_EQ(Matched(Sjis("画面表示"), Sjis("\\表示")), Sjis("表示"));
}

TEST(PatternMatch, ClassesCompareWholeCharacterCodes) {
    EXPECT_EQ(Matched(Sjis("かい"), Sjis("[あ-お]")), Sjis("い"));
    EXPECT_EQ(Matched(Sjis("かき"), Sjis("[あ-お]")), "<none>");
    EXPECT_FALSE(PatternWhole("123", "[^0-9]+"));
    EXPECT_TRUE(PatternWhole(Sjis("abあ"), "[^0-9]+"));
    EXPECT_EQ(Matched("x5a", "[-9]+"), "5");         // "-" as the first entry: from code 0
    EXPECT_TRUE(PatternWhole(Sjis("zあ"), "[y-]+")); // a range without upper end
    EXPECT_EQ(Matched("a|b", "[|]"), "|");
    EXPECT_EQ(Matched("a]b", "[\\]]"), "]");
    EXPECT_EQ(Matched(Sjis("ab表"), "[\\j]"), Sjis("表"));
    EXPECT_TRUE(PatternWhole("a\r\nb", "a[\\n]b"));
    // The set entries of a class do not look into double-byte characters.
    EXPECT_EQ(Matched(Sjis("アa"), "[\\a]"), "a");
    // At the end of the text only a negated class matches, taking nothing.
    EXPECT_EQ(Matched("ab", "b[^x]"), "b");
    EXPECT_EQ(Matched("ab", "b[x-z]"), "<none>");
    EXPECT_EQ(Matched("ab", "b[-z]"), "<none>");
}

TEST(PatternMatch, RepetitionNeverGivesBack) {
    EXPECT_FALSE(PatternAnywhere("19", "\\d+9"));
    EXPECT_FALSE(PatternAnywhere("19", "[0-9]+9"));
    EXPECT_EQ(StartOf("12 3x", "\\d+x"), 3u);
    EXPECT_EQ(StartOf("21", "\\d+x|1"), 1u); // a later start inside the run still tries "1"
    EXPECT_EQ(Matched("xay", "x[a]-y"), "xay");
    EXPECT_EQ(Matched("xy", "x[a]-y"), "xy");
    EXPECT_EQ(Matched("xaay", "x[a]-y"), "<none>"); // "-" after a class: zero or one
}

TEST(PatternMatch, AlternativesAndGroups) {
    EXPECT_TRUE(PatternWhole(Sjis("メモ帳"), Sjis("(メモ|ノート)帳")));
    EXPECT_TRUE(PatternWhole(Sjis("ノート帳"), Sjis("(メモ|ノート)帳")));
    EXPECT_FALSE(PatternAnywhere(Sjis("日記帳"), Sjis("(メモ|ノート)帳")));
    EXPECT_EQ(Matched("xb", "a|b"), "b");
    // The first alternative that matches is kept even when the rest then fails.
    EXPECT_EQ(Matched("abc", "(a|ab)c"), "<none>");
    EXPECT_FALSE(PatternWhole("ab", "a|ab"));
    // A failed group lets the next alternative of the enclosing list try.
    EXPECT_EQ(Matched("ab", "(x)y|ab"), "ab");
    EXPECT_EQ(Matched("bce", "((a|b)c|d)e"), "bce");
    EXPECT_EQ(Matched("de", "((a|b)c|d)e"), "de");
    EXPECT_FALSE(PatternWhole("abab", "ab"));
}

TEST(PatternMatch, AnchorsTryEachLine) {
    EXPECT_EQ(StartOf("abc", "^abc"), 0u);
    EXPECT_EQ(StartOf("xyz\r\nabc", "^abc"), 5u);
    EXPECT_EQ(StartOf("xyz\nabc", "^abc"), 4u);
    EXPECT_EQ(StartOf("xyz\r\n\r\nabc", "^abc"), 7u);
    EXPECT_EQ(StartOf("xyzabc", "^abc"), SIZE_MAX);
    EXPECT_EQ(StartOf("xyz\r\n  abc", "^abc"), SIZE_MAX);
    EXPECT_EQ(StartOf("xyz\r\n \tabc", "~abc"), 7u);
    EXPECT_EQ(StartOf(Sjis("  会議\r\n  予定"), Sjis("~予定")), 10u);
    EXPECT_EQ(StartOf("ab\r\n", "^\\d-$"), 4u); // the end of the text is a line start
}

TEST(PatternMatch, MalformedPatternsStayInsideTheirText) {
    EXPECT_EQ(Matched("abc", "(abc"), "<none>"); // a group without ")" fails
    EXPECT_EQ(Matched("xb", "[abc"), "b");       // the class runs to the end
    EXPECT_EQ(Matched("z", "[a-"), "z");
    EXPECT_EQ(Matched("a\\", "a\\"), "a\\"); // a final backslash is itself
    EXPECT_EQ(Matched("a)b", "a)b"), "a)b"); // ")" without a group is itself
    EXPECT_EQ(Matched("a\x82", "a\x82"), "a\x82");
    EXPECT_EQ(Matched(Sjis("aあ"), "a\x82"), "<none>");
    EXPECT_TRUE(PatternWhole("a\x82", "a?"));
    const std::string texts[] = {"", "a", "\x82", "ab\r\n", Sjis("表示\r\n  ア")};
    const std::string patterns[] = {
        "(",     "[",    "[^",    "\\",       "[a-",   "((a|b)|(c",   "*)",   "(*)",
        "a(*)*", "[\\",  "\x82",  "(\x82",    "[\x82", "*\x82",       "^",    "~*",
        "$)",    "(|)|", "[]]-+", "\\j+\\d-", "*(*)",  "(((*a*)b*)c", "[^]+", "*(a|*)",
    };
    for (const std::string& text : texts) {
        for (const std::string& pattern : patterns) {
            Matched(text, pattern);
            EXPECT_LE(PatternWhole(text, pattern), PatternAnywhere(text, pattern)) << pattern;
        }
    }
}

TEST(PatternMatch, NestingAndWorkAreBounded) {
    // Stars after stars that cannot match are given up once, not at every start.
    const std::string as(60, 'a');
    EXPECT_EQ(StartOf(as + "c", "(*a*a*a*a*a*a*a*b)|c"), 60u);
    EXPECT_EQ(StartOf(as, "*a*a*a*a*a*a*a*a*a*b"), SIZE_MAX);
    // Ten nested groups work; hundreds give no match instead of a deep stack.
    EXPECT_TRUE(PatternWhole("a", std::string(10, '(') + "a" + std::string(10, ')')));
    EXPECT_FALSE(PatternAnywhere("a", std::string(500, '(') + "a" + std::string(500, ')')));
    EXPECT_FALSE(PatternAnywhere(as, std::string(300, '*') + "b"));
    // Long texts are searched to the end.
    EXPECT_TRUE(PatternWhole(std::string(100000, 'x') + ".txt", "*.txt"));
}

TEST(PatternMatch, MatchingAllocatesNothing) {
    const size_t atStart = g_allocations.load();
    const std::string title = Sjis("議事録 2024年12月.txt - メモ帳");
    const std::string patterns[] = {
        "*.txt", Sjis("\\d+月"), Sjis("(メモ|ノート)帳"), Sjis("[あ-ん]+"), "^*$", "(*a*b)|*",
    };
    const size_t before = g_allocations.load();
    ASSERT_GT(before, atStart); // the counter sees the allocations of this program
    size_t found = 0;
    for (int round = 0; round < 100; ++round)
        for (const std::string& pattern : patterns)
            found += PatternAnywhere(title, pattern) + PatternWhole(title, pattern);
    EXPECT_EQ(g_allocations.load(), before);
    EXPECT_GT(found, 0u);
}

} // namespace
} // namespace zanpel
