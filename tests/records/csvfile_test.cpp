#include "records/csvfile.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel {
namespace {

using test::Sjis;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CommaList, SplitsAtCommasAndBlanksAndHonoursQuotes) {
    EXPECT_THAT(Split("one,\"two, three\",four"), ElementsAre("one", "two, three", "four"));
    EXPECT_THAT(Split("\"say \"\"hi\"\"\",x"), ElementsAre("say \"hi\"", "x"));
    EXPECT_THAT(Split("a,,b"), ElementsAre("a", "", "b"));
    EXPECT_THAT(Split("a,"), ElementsAre("a"));
    EXPECT_THAT(Split(",a"), ElementsAre("", "a"));
    EXPECT_THAT(Split("a b"), ElementsAre("a", "b"));
    EXPECT_THAT(Split("  a ,\t b  "), ElementsAre("a", "b"));
    EXPECT_THAT(Split(""), IsEmpty());
    EXPECT_THAT(Split("   "), IsEmpty());
    EXPECT_THAT(Split("\"\""), ElementsAre(""));
    EXPECT_THAT(Split("\"open"), ElementsAre("open")); // missing closing quote
    // A zero byte is a byte of its item, never the end of the line.
    EXPECT_THAT(Split(std::string("a\0b,c", 5)), ElementsAre(std::string("a\0b", 3), "c"));
    EXPECT_THAT(Split(std::string("\"x\",\0,\"y\0\"", 10)),
                ElementsAre("x", std::string(1, '\0'), std::string("y\0", 2)));
}

TEST(CommaList, NeverSplitsADoubleByteCharacter) {
    // 0x81 0x40 (ideographic space) and 0x83 0x5C (ソ, second byte is a backslash).
    const std::string wide = "\x81\x40\x83\x5C";
    EXPECT_THAT(Split(wide + "," + wide), ElementsAre(wide, wide));
    // A lead byte at the very end is kept as it is, without reading past the end.
    EXPECT_THAT(Split("ab\x82"), ElementsAre("ab\x82"));
}

TEST(CommaList, JoinQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(Join({"a b", "c"}), "\"a b\",c");
    EXPECT_EQ(Join({"x\"y", "z,w"}), "\"x\"\"y\",\"z,w\"");
    EXPECT_EQ(Join({""}), "\"\"");
    EXPECT_EQ(Join({}), "");
    EXPECT_EQ(Join({"a", "", "b"}), "a,,b");
    const StringList tricky = {"a b", "", "\"q\"", "c,d", Sjis("表示")};
    EXPECT_EQ(Split(Join(tricky)), tricky);
}

TEST(Escaping, MapsEverySeparatorAndBackAgain) {
    EXPECT_EQ(EscapeText("a\tb\nc d\"e,f\\g"), "a\\tb\\nc\\sd\\qe\\cf\\\\g");
    EXPECT_EQ(EscapeText("line\r\nnext"), "line\\nnext");
    EXPECT_EQ(EscapeText(std::string("kept\0here", 9)), std::string("kept\0here", 9));
    EXPECT_EQ(UnescapeText("a\\tb\\nc\\sd\\qe\\cf\\\\g"), "a\tb\r\nc d\"e,f\\g");
    EXPECT_EQ(UnescapeText("\\x"), "x");
    EXPECT_EQ(UnescapeText("end\\"), "end");
}

TEST(Escaping, RoundTripsNamesWithEveryCharacterKind) {
    const std::string texts[] = {
        Sjis("表示"),             // second byte 0x5C
        Sjis("ソフト開発\\能力"), // 0x5C second bytes next to a real backslash
        "tab\there, \"quoted\" \\ back",
        Sjis("会議 (定例), 資料"),
        "two\r\nlines",
    };
    for (const std::string& text : texts) {
        const std::string escaped = EscapeText(text);
        EXPECT_EQ(escaped.find_first_of(" ,\"\t\r\n"), std::string::npos) << escaped;
        EXPECT_EQ(UnescapeText(escaped), text);
        EXPECT_THAT(Split(escaped + "," + escaped), ElementsAre(escaped, escaped));
    }
    EXPECT_EQ(EscapeText(Sjis("表示")), Sjis("表示"));
    EXPECT_EQ(UnescapeText("lone\nfeed\rcr"), "lone\nfeed\rcr"); // not escapes: unchanged
    EXPECT_EQ(UnescapeText(EscapeText("a\rb\nc")), "ab\r\nc");
}

TEST(Escaping, JoinFieldsWritesEachKindWithoutAFinalComma) {
    EXPECT_EQ(JoinFields({"a b", 42, true, false, ""}), "a\\sb,42,1,0,");
    EXPECT_EQ(JoinFields({}), "");
}

TEST(CSVFileTest, TypedAccessorsAnswerZeroOrEmptyOutOfRange) {
    TCSVFile f;
    f.SetLine("2005/03/01,a\\sb,-12abc,540:600,540,09:30:00");
    EXPECT_EQ(f.GetDate(0, 1999), EncodeDate(2005, 3, 1));
    EXPECT_EQ(f.GetText(1), "a b");
    EXPECT_EQ(f.GetInt(2), -12);
    EXPECT_EQ(f.GetIntAfterColon(3), 600);
    EXPECT_EQ(f.GetIntAfterColon(4), 0);
    EXPECT_EQ(f.GetTime(5), 34200);
    EXPECT_EQ(f.GetText(6), "");
    EXPECT_EQ(f.GetRaw(-1), "");
    EXPECT_EQ(f.GetInt(99), 0);
    EXPECT_EQ(f.GetDate(99, 2005), 0);
    f.Clear();
    EXPECT_EQ(f.AddDate(EncodeDate(2005, 3, 1)), 0);
    EXPECT_EQ(f.AddTime(86400), 1);
    EXPECT_EQ(f.AddText("x y"), 2);
    EXPECT_EQ(f.GetLine(), "2005/03/01,00:00:00,x\\sy");
}

TEST(CSVFileTest, ReadsLinesWithEitherLineEnd) {
    LineReader reader("a,b\r\nc\nd");
    TCSVFile f;
    ASSERT_TRUE(f.ReadLine(reader));
    EXPECT_THAT(f.Items(), ElementsAre("a", "b"));
    ASSERT_TRUE(f.ReadLine(reader));
    EXPECT_THAT(f.Items(), ElementsAre("c"));
    ASSERT_TRUE(f.ReadLine(reader));
    EXPECT_THAT(f.Items(), ElementsAre("d"));
    EXPECT_FALSE(f.ReadLine(reader));
}

} // namespace
} // namespace zanpel

namespace zanpel {
namespace {

TEST(CommaList, AStrayLeadByteNeverSwallowsASeparator) {
    // 0x82 followed by a comma or at the end is no character: the comma still
    // separates, and escaping still escapes it.
    EXPECT_THAT(Split("\x82,b"), ElementsAre("\x82", "b"));
    EXPECT_THAT(Split(EscapeText("x\x82") + ",y"), ElementsAre("x\x82", "y"));
}

TEST(Escaping, KeepsEveryByteOfTextThatIsNoCp932) {
    // Stray lead bytes, text in UTF-8 (whose last byte may be a lead byte of
    // CP932) and zero bytes come back byte for byte from their escaped form,
    // also beside the characters that escaping replaces.
    const std::string texts[] = {
        "\xE8\xA8\xAD\xE8\xA8\x88", // 設計 in UTF-8: ends in a lead byte
        "\x82,",                    // a lead byte before an escaped comma
        "\x8c\"x",
        "\x88 \x89\t\x8a\\",
        "\x88\r\nA", // a line break before a trail byte
        std::string("a\0\x88\0b", 6),
        "\xFF\xFE\x80\xA0\xFD",
    };
    for (const std::string& text : texts) {
        const std::string escaped = EscapeText(text);
        EXPECT_EQ(escaped.find_first_of(" ,\"\t\r\n"), std::string::npos) << escaped;
        EXPECT_EQ(UnescapeText(escaped), text) << escaped;
        EXPECT_THAT(Split(escaped + "," + escaped), ElementsAre(escaped, escaped));
    }
    // Kept as it is where nothing pairs with it: a file in UTF-8 keeps its bytes.
    EXPECT_EQ(EscapeText("\xE8\xA8\xAD\xE8\xA8\x88"), "\xE8\xA8\xAD\xE8\xA8\x88");
    EXPECT_EQ(EscapeText("\x82,"), "\\\x82\\c");
}

} // namespace
} // namespace zanpel
