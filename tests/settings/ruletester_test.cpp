// The rule tester's words without a display: the result line for a match,
// for the ignore list and for each reason why nothing matched; the APP list
// history's lines and where they go; the rule lines that can match nothing.
#include "settings/ruletester.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

class RuleTester : public ::testing::Test {
protected:
    RuleTester() {
        for (const char* line : {R"(@会議,,@AP1,"outlook.exe/",)", R"(@,,@AP1,"ignored.exe/",)",
                                 R"(@設計,,@APX,"soffice.bin/設計",)",
                                 R"(@実装,,@AP1,"code:!main.cpp - 実装","code/*.cpp",)"})
            list.ParseLine(Sjis(line));
    }
    std::string Result(const char* program, const char* title, bool appSwitchOn = true) const {
        return TesterResultText(list, Sjis(program), Sjis(title), appSwitchOn);
    }
    TAppSwitch list;
};

TEST_F(RuleTester, TheResultNamesTheItemAndItsRuleLine) {
    EXPECT_EQ(Result("code", "a.cpp - x"), "→ 「実装」: 2行目「code/*.cpp」に一致");
    EXPECT_EQ(Result("Code", "main.cpp - 実装"),
              "→ 「実装」: 1行目「code:!main.cpp - 実装」に一致（切換え後は自動切換えを止める）");
    EXPECT_EQ(Result("ignored.exe", "x"),
              "→ 切換えなし: -【APP無視リスト】-の1行目「ignored.exe/」に一致");
    EXPECT_EQ(Result("outlook.exe", "x", false),
              "→ 「会議」: 1行目「outlook.exe/」に一致"
              "（全般でアプリによる自動切換を使わない設定です）");
    EXPECT_EQ(Result("", "x"), "プログラム名を入れると、選ばれる作業項目をここに示します");
}

TEST_F(RuleTester, WithoutAMatchTheNearestFailuresAreToldFirst) {
    // A program that fits with a title that does not comes before rules of
    // other programs, which come in list order.
    EXPECT_EQ(Result("code", "notes.txt"),
              "→ 該当なし: 「実装」1行目「code:!main.cpp - 実装」はタイトルが不一致、"
              "「実装」2行目「code/*.cpp」はタイトルが不一致、ほか3件");
    EXPECT_EQ(Result("soffice.bin", "設計書.odt"),
              "→ 該当なし: 「設計」は自動切換えが無効（1行目「soffice.bin/設計」は一致）、"
              "「会議」1行目「outlook.exe/」はプログラム名が違う、ほか3件");
    list.ParseLine(R"(@empty,,@AP1,"/",)");
    EXPECT_EQ(Result("vi", "x"), "→ 該当なし: 「empty」1行目は空の規則、"
                                 "「会議」1行目「outlook.exe/」はプログラム名が違う、ほか4件");
    EXPECT_EQ(TesterResultText(TAppSwitch(), "vi", "x", true),
              "→ 該当なし（切換えの規則がありません）");
}

TEST_F(RuleTester, HistoryLinesSplitGiveTheirTitlesAndTheItemTheyGoTo) {
    const std::vector<std::string> history = {Sjis("Code/main.cpp - 実装"), "code/other",
                                              "ignored.exe/x/y", "solo"};
    EXPECT_EQ(SplitSeenApp("ignored.exe/x/y").Program, "ignored.exe");
    EXPECT_EQ(SplitSeenApp("ignored.exe/x/y").Title, "x/y");
    EXPECT_EQ(SplitSeenApp("solo").Program, "solo");
    EXPECT_EQ(SplitSeenApp("solo").Title, "");
    EXPECT_EQ(SeenTitleOf(history, "CODE"), Sjis("main.cpp - 実装")); // the first, any case
    EXPECT_EQ(SeenTitleOf(history, "cod"), std::nullopt);
    EXPECT_EQ(SeenAppTarget(list, history[0]), "→ 実装");
    EXPECT_EQ(SeenAppTarget(list, history[1]), "→ なし");
    EXPECT_EQ(SeenAppTarget(list, history[2]), "→ 無視リスト");
}

TEST(RuleLineFaults, SayWhyALineCanMatchNothing) {
    EXPECT_EQ(RuleLineFault("  "), ""); // no rule at all
    EXPECT_EQ(RuleLineFault("code/"), "");
    EXPECT_EQ(RuleLineFault("code/!(draft"), "");
    EXPECT_EQ(RuleLineFault(" / "), "空の規則です（使われません）");
    EXPECT_EQ(RuleLineFault("code/(draft"), "「(」に対する「)」がなく一致しません");
    EXPECT_EQ(RuleLineFault("code/a[]"), "空の「[]」か行末の「[」で一致しません");
    EXPECT_EQ(RuleLineFault(std::string(40, '(') + "a" + std::string(40, ')')),
              "括弧が深すぎて一致しません");
}

} // namespace
} // namespace zanpel::test
