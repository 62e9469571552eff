#include "records/patternhint.h"
#include "records/patternmatch.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <random>

namespace zanpel {
namespace {

using test::Sjis;

// Up to maxLength pieces of set, picked at random.
template <size_t N>
std::string Pick(std::mt19937& random, const std::string (&set)[N], int maxLength) {
    std::string out;
    const int n = static_cast<int>(random() % static_cast<unsigned>(maxLength + 1));
    for (int i = 0; i < n; ++i)
        out += set[random() % N];
    return out;
}

TEST(PatternHint, RulesOutTextsWithoutTheLiterals) {
    EXPECT_FALSE(CanMatchWhole("a.txt - editor", "*.txt"));
    EXPECT_TRUE(CanMatchWhole("a.txt", "*.txt"));
    EXPECT_FALSE(CanMatchWhole("xa.txt", "a*"));
    EXPECT_FALSE(CanMatchAnywhere(Sjis("12月の予定"), Sjis("\\d+月の会議")));
    EXPECT_TRUE(CanMatchAnywhere(Sjis("12月の予定"), Sjis("\\d+月の")));
    EXPECT_FALSE(CanMatchAnywhere("x", Sjis("(メモ|ノート)帳"))); // the literal after a group
    EXPECT_TRUE(CanMatchAnywhere(Sjis("ノート帳"), Sjis("(メモ|ノート)帳")));
    EXPECT_FALSE(CanMatchAnywhere("x", Sjis("[ァ-ヶ]+帳")));
    EXPECT_TRUE(CanMatchAnywhere("x", "[abc]"));
    EXPECT_TRUE(CanMatchAnywhere("x", "a|x"));               // alternatives: no opinion
    EXPECT_TRUE(CanMatchAnywhere("x", "[a|b"));              // an unclosed class takes the rest
    EXPECT_TRUE(CanMatchWhole("  abc", "~abc"));             // anchored: no leading literal
    EXPECT_TRUE(CanMatchAnywhere("d", "\\d"));               // an escape is no literal
    EXPECT_TRUE(CanMatchAnywhere(Sjis("表示"), Sjis("表"))); // 0x5C second byte is literal
}

// The quick tests never change an answer: checked against the matcher alone
// on many random texts and patterns of the characters that matter.
TEST(PatternHint, AgreesWithTheMatcherOnRandomInput) {
    const std::string textChars[] = {"a",  "b", ".", "1",        "2",        " ",       "\r",
                                     "\n", "$", "*", Sjis("あ"), Sjis("表"), Sjis("ア")};
    const std::string patternChars[] = {"a",  "b",        ".",        "1",        "*",    "?", "$",
                                        "\\", "d",        "+",        "-",        "^",    "~", "/",
                                        " ",  Sjis("あ"), Sjis("表"), Sjis("ア"), "\x82", "(", ")",
                                        "[",  "]",        "|",        "(",        ")",    "["};
    std::mt19937 random(20051201);
    for (int round = 0; round < 300000; ++round) {
        const std::string text = Pick(random, textChars, 8);
        const std::string pattern = Pick(random, patternChars, 8);
        const auto match = FindPattern(text, pattern);
        ASSERT_EQ(PatternAnywhere(text, pattern), match.has_value()) << text << " / " << pattern;
        ASSERT_EQ(PatternWhole(text, pattern),
                  match && match->Start == 0 && match->End == text.size())
            << text << " / " << pattern;
    }
}

TEST(PatternFault, NamesElementsThatNoTextCanMatch) {
    for (const char* fine : {"", "abc", "(a|b)c", "a|(b", "[]-x", "[^]", "[a-]", "a)b", "*",
                             "(x|[])", "\\(", "[(]", "(x[+-\\])"})
        EXPECT_EQ(PatternFaultOf(fine), TPatternFault::None) << fine;
    EXPECT_TRUE(PatternAnywhere("a", "a|(b"));
    EXPECT_TRUE(PatternAnywhere("xA", "(x[+-\\])")); // "\\" ends the range, "]" the class
    for (const char* unclosed : {"(abc", "x(a|b", "(a|(b)", "((a)", "[+-\\](b"})
        EXPECT_EQ(PatternFaultOf(unclosed), TPatternFault::UnclosedGroup) << unclosed;
    for (const char* empty : {"a[]b", "ab[", "([]|[]+)", "^[]"})
        EXPECT_EQ(PatternFaultOf(empty), TPatternFault::EmptyClass) << empty;
    const auto nested = [](int depth) {
        return std::string(static_cast<size_t>(depth), '(') + "a" +
               std::string(static_cast<size_t>(depth), ')');
    };
    EXPECT_EQ(PatternFaultOf(nested(32)), TPatternFault::None);
    EXPECT_TRUE(PatternWhole("a", nested(32)));
    EXPECT_EQ(PatternFaultOf(nested(33)), TPatternFault::TooDeep);
    EXPECT_EQ(PatternFaultOf(nested(5000)), TPatternFault::TooDeep); // no deep stack either
    EXPECT_EQ(PatternFaultOf("a|" + nested(40)), TPatternFault::None);
}

// A pattern said to match nothing matches nothing: random patterns of the
// characters that matter, each flagged one tried on many random texts.
TEST(PatternFault, AFlaggedPatternMatchesNoText) {
    const std::string textChars[] = {"a", "b", "1", " ",  "(", ")",
                                     "[", "]", "|", "\\", "-", Sjis("表")};
    const std::string patternChars[] = {"a", "b", "1", "*", "?", "\\", "d", "+", "-",       "^",
                                        "(", ")", "[", "]", "|", "(",  ")", "[", Sjis("表")};
    std::mt19937 random(20240611);
    int flagged = 0;
    for (int round = 0; round < 100000; ++round) {
        const std::string pattern = Pick(random, patternChars, 7);
        if (PatternFaultOf(pattern) == TPatternFault::None)
            continue;
        ++flagged;
        for (int t = 0; t < 30; ++t) {
            const std::string text = Pick(random, textChars, 6);
            ASSERT_FALSE(PatternAnywhere(text, pattern)) << text << " / " << pattern;
        }
    }
    EXPECT_GT(flagged, 10000);
}

} // namespace
} // namespace zanpel
