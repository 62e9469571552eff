#include "records/atomicfile.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "support/testsupport.h"
#include "tracking/appswitch.h"
#include "worklist/datalist.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

constexpr TMatchKind Exact = TMatchKind::mkExactTitle;
constexpr TMatchKind Whole = TMatchKind::mkWholeTitle;
constexpr TMatchKind Anywhere = TMatchKind::mkAnywhere;

TEST(DefinitionLine, ParsesNameMemoCategoriesAndRulesAndWritesThemBack) {
    TAppSwitch list;
    const std::string line = Sjis(
        "@会議,定例の打合せ,\"議事録\",\"準備\",@AP1,\"outlook.exe/\",\"excel.exe:!予定表.xls\",");
    ASSERT_EQ(list.ParseLine(line), 0);
    const TAppList& item = list.Items(0);
    EXPECT_EQ(item.Name, Sjis("会議"));
    EXPECT_EQ(item.Memo, Sjis("定例の打合せ"));
    EXPECT_EQ(item.Categories, Sjis("\"議事録\",\"準備\","));
    EXPECT_TRUE(item.SwitchEnabled);
    EXPECT_THAT(item.Rules, ElementsAre(TAppDefs{"outlook.exe", Anywhere, false, ""},
                                        TAppDefs{"excel.exe", Exact, true, Sjis("予定表.xls")}));
    EXPECT_EQ(list.FormatLine(0), line);
    EXPECT_EQ(list.GetField(0, 3), Sjis("\"outlook.exe/\",\"excel.exe:!予定表.xls\","));
}

TEST(DefinitionLine, OnlyLinesStartingWithAnAtAreDefinitions) {
    TAppSwitch list;
    EXPECT_EQ(list.ParseLine(" @blank,first"), -1);
    EXPECT_EQ(list.ParseLine("name,memo"), -1);
    EXPECT_EQ(list.ParseLine(""), -1);
    EXPECT_EQ(list.ParseLine("@a,one,@APX,\"x.exe/\","), 0);
    EXPECT_FALSE(list.Items(0).SwitchEnabled);
    EXPECT_EQ(list.Items(0).Rules.size(), 1u);
    EXPECT_EQ(list.ParseLine("@b,"), 1);
    EXPECT_EQ(list.ParseLine("@a,two"), 0); // same name: replaced in place
    EXPECT_EQ(list.Items(0).Memo, "two");
    EXPECT_TRUE(list.Items(0).Rules.empty());
    EXPECT_EQ(list.ParseLine("@c,a\\sb\\nc,x\\sy,"), 2); // every field is unescaped
    EXPECT_EQ(list.Items(2).Memo, "a b\r\nc");
    EXPECT_EQ(list.Items(2).Categories, "\"x y\",");
}

TEST(RuleText, EveryFormOfTheRuleTable) {
    struct Case {
        const char* text;
        TAppDefs rule;
        const char* written; // the text form written back
    } cases[] = {
        {"excel.exe/", {"excel.exe", Anywhere, false, ""}, "excel.exe/"},
        {"excel.exe/abc", {"excel.exe", Anywhere, false, "abc"}, "excel.exe/abc"},
        {"excel.exe/!Book1", {"excel.exe", Exact, false, "Book1"}, "excel.exe/!Book1"},
        {"excel.exe//*.xls", {"excel.exe", Whole, false, "*.xls"}, "excel.exe//*.xls"},
        {"excel.exe:abc", {"excel.exe", Anywhere, true, "abc"}, "excel.exe:abc"},
        {"abc", {"", Anywhere, false, "abc"}, "abc"},
        {"!abc", {"", Exact, false, "abc"}, "/!abc"},
        {"EXCEL.EXE/x", {"excel.exe", Anywhere, false, "x"}, "excel.exe/x"},
        {"", {"", Anywhere, false, ""}, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseRule(c.text), c.rule) << c.text;
        EXPECT_EQ(FormatRule(c.rule), c.written);
        EXPECT_EQ(ParseRule(c.written), c.rule) << c.written;
    }
    // Double-byte characters are stepped over whole: 0x95 0x5C is not a slash,
    // and upper-case letters inside them stay as they are.
    EXPECT_EQ(ParseRule(Sjis("表示/x")).ExeName, Sjis("表示"));
    EXPECT_EQ(ParseRule(Sjis("Ａ.exe/")).ExeName, Sjis("Ａ.exe"));
    // A lead byte without a trail byte cannot hide the slash after it.
    EXPECT_EQ(ParseRule("a\xe5/b"), (TAppDefs{"a\xe5", Anywhere, false, "b"}));
    // A title pattern holding "/" or ":" keeps its leading "/" when written, so
    // that it does not read back as an executable name.
    EXPECT_EQ(FormatRule({"", Anywhere, false, "http://x"}), "/http://x");
    EXPECT_EQ(ParseRule(FormatRule({"", Anywhere, false, "a:b"})),
              (TAppDefs{"", Anywhere, false, "a:b"}));
}

class RuleMatching : public ::testing::Test {
protected:
    int Add(const std::string& line) { return list.ParseLine(Sjis(line)); }
    TAppSwitch list;
};

TEST_F(RuleMatching, SwitchingNeedsTheMarkerAndAMatchingExecutable) {
    Add("@on,,@AP1,\"notepad.exe/\",");
    Add("@off,,@APX,\"calc.exe/\",");
    EXPECT_EQ(list.Match("notepad.exe", "anything"), 0);
    EXPECT_EQ(list.Match("NotePad.EXE", ""), 0);
    EXPECT_EQ(list.Match("calc.exe", "anything"), -1);
    EXPECT_EQ(list.Match("notepad.exe2", "anything"), -1);
}

TEST_F(RuleMatching, DoubleByteProgramNamesMatchWhateverTheirSecondBytes) {
    // ス is 0x83 0x58: its second byte is an upper-case X and must stay one.
    Add("@作業,,@AP1,\"スクリプト/\",\"メモ帳/\",");
    Add("@混在,,@AP1,\"ツールX.exe/\",");
    EXPECT_EQ(list.Match(Sjis("スクリプト"), "x"), 0);
    EXPECT_EQ(list.Match(Sjis("メモ帳"), "x"), 0);
    EXPECT_EQ(list.Match(Sjis("ツールx.EXE"), "x"), 1);
    EXPECT_EQ(list.Match(Sjis("スクリプトx"), "x"), -1);
    // A name whose second bytes differ only by letter case is another name.
    EXPECT_EQ(list.Match(Sjis("ベクリプト"), "x"), -1);
}

TEST_F(RuleMatching, TitleRulesByKind) {
    Add("@title,,@AP1,\"メモ帳\",\"notepad.exe\",");
    Add("@whole,,@AP1,\"edit.exe//*.txt\",");
    Add("@part,,@AP1,\"view.exe/.txt\",\"exact.exe/!Book1\",");
    EXPECT_EQ(list.Match("any.exe", Sjis("無題 - メモ帳")), 0);
    EXPECT_EQ(list.Match("any.exe", "see notepad.exe here"), 0);
    EXPECT_EQ(list.Match("notepad.exe", "untitled"), -1);
    EXPECT_EQ(list.Match("edit.exe", "a.txt"), 1);
    EXPECT_EQ(list.Match("edit.exe", Sjis("a.txt - メモ帳")), 0); // only the title rule
    EXPECT_EQ(list.Match("edit.exe", "a.txt - editor"), -1);
    EXPECT_EQ(list.Match("view.exe", "a.txt - viewer"), 2);
    EXPECT_EQ(list.Match("exact.exe", "Book1"), 2);
    EXPECT_EQ(list.Match("exact.exe", "Book12"), -1);
}

TEST_F(RuleMatching, FirstDefinitionWinsAndTheIgnoreListBlocks) {
    Add("@,,@AP1,\"notepad.exe/\",");
    Add("@first,,@AP1,\"notepad.exe/\",\"word.exe:\",");
    Add("@second,,@AP1,\"word.exe/\",\"calc.exe/\",");
    EXPECT_EQ(list.Match("notepad.exe", "x"), -1); // ignored
    EXPECT_FALSE(list.LastStopAfterSwitch);
    EXPECT_EQ(list.Match("word.exe", "x"), 1);
    EXPECT_TRUE(list.LastStopAfterSwitch);
    EXPECT_EQ(list.Match("nothing.exe", "x"), -1);
    EXPECT_TRUE(list.LastStopAfterSwitch); // no match leaves it as it was
    EXPECT_EQ(list.Match("calc.exe", "x"), 2);
    EXPECT_FALSE(list.LastStopAfterSwitch);
    EXPECT_EQ(list.LastMatchedRule, 1); // the second rule of "second"
    list.ParseLine("@empty,,@AP1,\"/\",");
    list.Move(3, 0);
    EXPECT_EQ(list.Match("calc.exe", "x"), 3); // a rule with nothing in it is skipped
}

TEST(DefinitionFile, LoadsLinesAddsTheRestItemAndSavesThemBack) {
    TempDir dir;
    TAppSwitch list;
    std::string error;
    list.AddEntry({"kept", "", "", false, {}});
    ASSERT_TRUE(list.LoadFromFile(dir.File("missing.wk2"), error));
    EXPECT_EQ(list.Count(), 1); // a missing file changes nothing

    ASSERT_TRUE(list.LoadFromFile(DataFile("definitions-sample.wk2"), error)) << error;
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.Items(i).Name);
    EXPECT_THAT(names, ElementsAre(Sjis("会議"), "", Sjis("設計"), Sjis("メモ"), RestName()));
    EXPECT_EQ(list.Items(2).Rules[1].Pattern, Sjis("\\d+月"));
    EXPECT_EQ(list.Items(3).Memo, Sjis("複数行\r\nのメモ"));

    const std::string saved = dir.File("zanpel.wk2");
    AtomicWriter writer;
    ASSERT_TRUE(list.SaveToFile(saved, writer, error));
    const std::string text = ReadFile(saved);
    EXPECT_THAT(text, HasSubstr(Sjis("@会議,定例の打合せ,\"議事録\",\"準備\",@AP1,\"outlook.exe/\","
                                     "\"excel.exe:!予定表.xls\",\r\n")));
    EXPECT_THAT(text, HasSubstr(Sjis("\r\n@休憩,,\r\n")));
    EXPECT_THAT(text, HasSubstr(Sjis("\"\\\\d+月\","))); // a backslash survives the next load
    TAppSwitch again;
    ASSERT_TRUE(again.LoadFromFile(saved, error));
    ASSERT_EQ(again.Count(), list.Count());
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(again.Items(i), list.Items(i)) << i;
}

TEST(DefinitionFile, CategoriesSetAsAPlainListReadBackWithTheirRules) {
    TempDir dir;
    TAppSwitch list;
    list.ParseLine(Sjis("@作業,,@AP1,\"word.exe/\","));
    list.SetField(0, 2, Sjis("設計,レビュー"));
    list.SetField(0, 1, "with\x01control");
    std::string error;
    AtomicWriter writer;
    ASSERT_TRUE(list.SaveToFile(dir.File("d.wk2"), writer, error));
    EXPECT_EQ(ReadFile(dir.File("d.wk2")),
              Sjis("@作業,\"with\x01control\",\"設計\",\"レビュー\",@AP1,\"word.exe/\",\r\n"));
    TAppSwitch again;
    ASSERT_TRUE(again.LoadFromFile(dir.File("d.wk2"), error));
    EXPECT_THAT(Split(again.Items(0).Categories), ElementsAre(Sjis("設計"), Sjis("レビュー")));
    EXPECT_EQ(again.Items(0).Rules, list.Items(0).Rules);
    EXPECT_EQ(again.Items(0).Memo, "with\x01control");
    EXPECT_TRUE(again.Items(0).SwitchEnabled);
    // A category that begins like the rule marker stays a category.
    list.SetField(0, 2, "@AP1,x");
    TAppSwitch marker;
    ASSERT_EQ(marker.ParseLine(list.FormatLine(0)), 0);
    EXPECT_THAT(Split(marker.Items(0).Categories), ElementsAre("@AP1", "x"));
    EXPECT_EQ(marker.Items(0).Rules.size(), 1u);
    // A definition without rules is written without a marker and reads back off.
    list.ParseLine("@plain,,@AP1,");
    EXPECT_EQ(list.FormatLine(1), "@plain,,");
}

TEST(DefinitionFile, ZeroBytesAndBytesThatAreNoCp932AreKept) {
    // A zero byte between two categories, and names saved by an editor in
    // UTF-8 (設計 ends in a byte that is a CP932 lead byte).
    TempDir dir;
    const std::string utf8 = "\xE8\xA8\xAD\xE8\xA8\x88";
    const std::string path = dir.File("zanpel.wk2");
    WriteFile(path, "@a,,\"x\"" + std::string(1, '\0') + ",\"y\",@AP1,\"calc.exe/\",\r\n@" + utf8 +
                        "," + utf8 + "\x88,\"" + utf8 + "\",\r\n");
    TAppSwitch list;
    std::string error;
    // The zero byte stands outside the quotes: it is read, as an item of
    // its own, but written quoted, so the line is named.
    EXPECT_FALSE(list.LoadFromFile(path, error));
    EXPECT_THAT(error, HasSubstr("1 行目: "));
    EXPECT_THAT(error, Not(HasSubstr("2 行目")));
    AtomicWriter writer;
    ASSERT_TRUE(list.SaveToFile(path, writer, error));
    TAppSwitch again;
    ASSERT_TRUE(again.LoadFromFile(path, error)) << error;
    ASSERT_EQ(again.Count(), 3);
    EXPECT_THAT(Split(again.Items(0).Categories), ElementsAre("x", std::string(1, '\0'), "y"));
    ASSERT_EQ(again.Items(0).Rules.size(), 1u);
    EXPECT_EQ(again.Items(0).Rules[0].ExeName, "calc.exe");
    EXPECT_EQ(again.Items(1).Name, utf8);
    EXPECT_EQ(again.Items(1).Memo, utf8 + "\x88");
    EXPECT_THAT(Split(again.Items(1).Categories), ElementsAre(utf8));
    EXPECT_EQ(ReadFile(path).find('?'), std::string::npos);
}

} // namespace
} // namespace zanpel::test
