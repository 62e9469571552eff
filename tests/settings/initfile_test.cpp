// The settings file as a list of KEY=value lines.
#include "records/atomicfile.h"
#include "settings/initfile.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

TInitFile FromText(std::string_view text) {
    TInitFile file;
    file.SetText(text);
    return file;
}

TEST(InitFile, LinesEndAtCrLfOrCrAndAreWrittenWithCrLf) {
    EXPECT_THAT(FromText("a\r\nb\rc\nd").Lines(), ElementsAre("a", "b", "c", "d"));
    // LF CR is two line ends; a last line end adds no empty line.
    EXPECT_THAT(FromText("a\n\rb\r\n").Lines(), ElementsAre("a", "", "b"));
    EXPECT_THAT(FromText("\r\n\r\n").Lines(), ElementsAre("", ""));
    EXPECT_TRUE(FromText("").Lines().empty());
    EXPECT_EQ(FromText("a\rb\n").Text(), "a\r\nb\r\n");
}

TEST(InitFile, FindsTheFirstLineOfAKeyInAnyLetterCase) {
    const TInitFile file = FromText("WINSIZE\r\n"       // no "=": not a key line
                                    " WINSIZE=1\r\n"    // keys are not trimmed
                                    "winsize= 2=3 \r\n" // first "=" ends the key
                                    "WINSIZE=4\r\n");
    EXPECT_EQ(file.IndexOfKey("WINSIZE"), 2);
    EXPECT_EQ(file.ReadText("WinSize", "x"), " 2=3 ");
    EXPECT_EQ(file.ReadText("WINALIGN", "0,0,90,190"), "0,0,90,190");
    EXPECT_EQ(FromText("SELECTED=").ReadText("SELECTED", "default"), "");
    // Full-width letters fold too.
    EXPECT_EQ(FromText(Sjis("ＫＥＹ=1")).IndexOfKey(Sjis("ｋｅｙ")), 0);
}

TEST(InitFile, IntegersAreWholeDecimalNumbersOrTakeTheDefault) {
    EXPECT_EQ(ToDecimalInt("12"), 12);
    EXPECT_EQ(ToDecimalInt("-12"), -12);
    EXPECT_EQ(ToDecimalInt("007"), 7);
    EXPECT_EQ(ToDecimalInt("-0"), 0);
    EXPECT_EQ(ToDecimalInt("2147483647"), 2147483647);
    EXPECT_EQ(ToDecimalInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ToDecimalInt("0000000000002147483647"), 2147483647);
    for (const char* bad : {"", "-", "abc", "12abc", "+5", " 5", "5 ", "1.0", "0x10", "--1",
                            "2147483648", "-2147483649", "99999999999999999999"})
        EXPECT_EQ(ToDecimalInt(bad), std::nullopt) << bad;

    const TInitFile file = FromText("A=12abc\r\nB=-7\r\nC=\r\n");
    EXPECT_EQ(file.ReadInt("A", 165), 165);
    EXPECT_EQ(file.ReadInt("B", 165), -7);
    EXPECT_EQ(file.ReadInt("C", 165), 165);
    EXPECT_EQ(file.ReadInt("D", 165), 165);
}

TEST(InitFile, OnlyTheValueOneIsTrue) {
    const TInitFile file = FromText("A=1\r\nB=yes\r\nC=01\r\nD=true\r\nE=\r\nF=1 \r\n");
    EXPECT_TRUE(file.ReadBool("A", false));
    for (const char* key : {"B", "C", "D", "E", "F"})
        EXPECT_FALSE(file.ReadBool(key, true)) << key;
    EXPECT_TRUE(file.ReadBool("G", true));
    EXPECT_FALSE(file.ReadBool("G", false));
}

TEST(InitFile, WritesReplaceTheFirstLineInOurSpellingOrAppend) {
    TInitFile file = FromText("foo\r\nworkofday=8,18\r\nWORKOFDAY=old\r\n");
    EXPECT_FALSE(file.Modified());
    file.WriteText("WORKOFDAY", "9:00,17:00");
    file.WriteInt("WINSIZE", -3);
    file.WriteBool("APPSWITCH", true);
    file.WriteBool("AUTOHIDE", false);
    EXPECT_TRUE(file.Modified());
    EXPECT_THAT(file.Lines(), ElementsAre("foo", "WORKOFDAY=9:00,17:00", "WORKOFDAY=old",
                                          "WINSIZE=-3", "APPSWITCH=1", "AUTOHIDE=0"));
}

TEST(InitFile, AnEmptyTextRemovesEveryLineOfItsKey) {
    TInitFile file = FromText("SELECTED=a\r\nx\r\nselected=stale\r\n");
    file.WriteText("SELECTED", "");
    EXPECT_THAT(file.Lines(), ElementsAre("x"));
    EXPECT_EQ(file.ReadText("SELECTED", ""), "");
    file.WriteText("REPORT", ""); // a missing line stays missing
    EXPECT_THAT(file.Lines(), ElementsAre("x"));
    EXPECT_TRUE(file.Modified());
}

TEST(InitFile, ATextCannotAddLinesOfItsOwn) {
    TInitFile file;
    file.WriteText("SELECTED", "a\r\nAPPSWITCH=1");
    file.WriteText("REPORT", "\nb");
    EXPECT_THAT(file.Lines(), ElementsAre("SELECTED=a"));
}

TEST(InitFile, SortsIgnoringCaseWithOneOrderForAnyInput) {
    const std::vector<std::string> sorted = {"",    "; note",   "A=2",           "a=2",
                                             "b=1", "REPORT=x", "REPORTCLOSE=0", Sjis("ｂ=全角")};
    std::vector<std::string> lines = sorted;
    std::reverse(lines.begin(), lines.end());
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    TInitFile file = FromText(text);
    file.Sort();
    EXPECT_EQ(file.Lines(), sorted);
    EXPECT_TRUE(file.Modified());
}

TEST(InitFile, TheWrittenLineStaysFirstOfItsKeyAfterSorting) {
    // "winsize=100" sorts before "WINSIZE=165"; left there it would be read
    // next time instead of the value written.
    TInitFile file = FromText("WINSIZE=abc\r\nwinsize=100\r\nB=1\r\nWINSIZE=120\r\n");
    file.WriteInt("WINSIZE", 165);
    file.Sort();
    EXPECT_THAT(file.Lines(), ElementsAre("B=1", "WINSIZE=165", "winsize=100", "WINSIZE=120"));
    EXPECT_EQ(file.ReadInt("WINSIZE", 0), 165);
}

TEST(InitFile, LoadsAndSavesTheNamedFile) {
    TempDir dir;
    const std::string path = dir.File("zanpel.ini");
    std::string error;
    TInitFile missing(path);
    EXPECT_TRUE(missing.Load(error));
    EXPECT_TRUE(missing.Lines().empty());
    AtomicWriter writer;
    EXPECT_EQ(missing.Save(writer), ""); // nothing written, nothing to write
    EXPECT_FALSE(FileExists(path));

    WriteFile(path, "A=1\nB=2");
    TInitFile file(path);
    ASSERT_TRUE(file.Load(error));
    file.WriteInt("A", 3);
    EXPECT_EQ(file.Save(writer), "");
    EXPECT_FALSE(file.Modified());
    EXPECT_EQ(ReadFile(path), "A=3\r\nB=2\r\n");

    std::filesystem::create_directory(dir.File("folder.ini"));
    TInitFile folder(dir.File("folder.ini"));
    EXPECT_FALSE(folder.Load(error));
    EXPECT_NE(error.find("folder.ini"), std::string::npos);
}

} // namespace
} // namespace zanpel::test
