#include "tracking/matchexplain.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

namespace zanpel {
namespace {

using ::testing::ElementsAre;

TAppSwitch Definitions(std::initializer_list<const char*> lines) {
    TAppSwitch list;
    for (const char* line : lines)
        list.ParseLine(line);
    return list;
}

TEST(MatchExplanation, NamesTheRuleThatTookItAndWhyEveryEarlierRuleDidNot) {
    const TAppSwitch list = Definitions({
        R"(@,,@AP1,"ignored.exe/",)",
        R"(@off,,@APX,"calc.exe/",)",
        R"(@first,,@AP1,"/","edit.exe//*.txt","word.exe:",)",
        R"(@second,,@AP1,"edit.exe/",)",
    });
    using T = TRuleTest;
    TMatchExplanation word = ExplainMatch(list, "WORD.exe", "x");
    EXPECT_EQ(word.Chosen, 2);
    EXPECT_EQ(word.Matched, 2);
    EXPECT_EQ(word.Rule, 2);
    EXPECT_TRUE(word.StopAfterSwitch);
    EXPECT_THAT(word.Passed, ElementsAre(TRuleOutcome{0, 0, T::OtherProgram, false},
                                         TRuleOutcome{1, 0, T::OtherProgram, true},
                                         TRuleOutcome{2, 0, T::Empty, false},
                                         TRuleOutcome{2, 1, T::OtherProgram, false}));

    TMatchExplanation edit = ExplainMatch(list, "edit.exe", "a.txt - viewer");
    EXPECT_EQ(edit.Chosen, 3);
    EXPECT_EQ(edit.Rule, 0);
    EXPECT_FALSE(edit.StopAfterSwitch);
    EXPECT_EQ(edit.Passed[3], (TRuleOutcome{2, 1, T::OtherTitle, false}));

    // A definition with switching off is told, with what its rule would do.
    TMatchExplanation calc = ExplainMatch(list, "calc.exe", "x");
    EXPECT_EQ(calc.Chosen, -1);
    EXPECT_EQ(calc.Matched, -1);
    EXPECT_EQ(calc.Passed.size(), 6u); // every rule of the list
    EXPECT_EQ(calc.Passed[1], (TRuleOutcome{1, 0, T::Matches, true}));

    // The ignore list takes the application away from every later rule.
    TMatchExplanation ignored = ExplainMatch(list, "ignored.exe", "x");
    EXPECT_EQ(ignored.Matched, 0);
    EXPECT_EQ(ignored.Rule, 0);
    EXPECT_EQ(ignored.Chosen, -1);
    EXPECT_TRUE(ignored.Passed.empty());
}

TEST(MatchExplanation, RuleFaultsNameRulesThatTakeNoApplication) {
    const auto fault = [](const char* text) { return RuleFaultOf(ParseRule(text)); };
    EXPECT_EQ(fault("/"), TRuleFault::Empty);
    EXPECT_EQ(fault(":"), TRuleFault::Empty);
    EXPECT_EQ(fault("!"), TRuleFault::Empty);
    EXPECT_EQ(fault("edit.exe/"), TRuleFault::None);
    EXPECT_EQ(fault("(draft"), TRuleFault::UnclosedGroup);
    EXPECT_EQ(fault("edit.exe//(draft"), TRuleFault::UnclosedGroup);
    EXPECT_EQ(fault("edit.exe/!(draft"), TRuleFault::None); // an exact title is no pattern
    EXPECT_EQ(fault("edit.exe/report[]"), TRuleFault::EmptyClass);
    EXPECT_EQ(fault(("/" + std::string(40, '(') + "x" + std::string(40, ')')).c_str()),
              TRuleFault::TooDeep);
}

// The explanation always names the bar's choice: random definitions asked
// about random applications, against TAppSwitch::Match on the same list.
TEST(MatchExplanation, AgreesWithTheBarsMatchingOnRandomDefinitions) {
    std::mt19937 random(1125);
    const auto any = [&](const auto& set) { return set[random() % std::size(set)]; };
    const char* names[] = {"", "a", "b", "c", "d", "e"};
    const char* programs[] = {"", "edit.exe", "word.exe", "calc"};
    const char* asked[] = {"edit.exe", "EDIT.EXE", "word.exe", "calc", "other"};
    const char* patternParts[] = {"", "a", "b", "*", "?", "(", ")", "|", "[", "]", "x"};
    const char* titleParts[] = {"a", "b", "x", "ab", "(", "]", " "};
    const TMatchKind kinds[] = {TMatchKind::mkExactTitle, TMatchKind::mkWholeTitle,
                                TMatchKind::mkAnywhere};
    int chosen = 0;
    for (int round = 0; round < 20000; ++round) {
        TAppSwitch list;
        for (int d = static_cast<int>(random() % 6); d > 0; --d) {
            TAppList item{any(names), "", "", random() % 4 != 0, {}};
            for (int r = static_cast<int>(random() % 4); r > 0; --r) {
                std::string pattern;
                for (int k = static_cast<int>(random() % 4); k > 0; --k)
                    pattern += any(patternParts);
                item.Rules.push_back({any(programs), any(kinds), random() % 2 == 0, pattern});
            }
            list.AddEntry(item);
        }
        const std::string exe = any(asked);
        std::string title;
        for (int k = static_cast<int>(random() % 4); k > 0; --k)
            title += any(titleParts);

        const TMatchExplanation explained = ExplainMatch(list, exe, title);
        TAppSwitch bar = list;
        const int index = bar.Match(exe, title);
        ASSERT_EQ(explained.Chosen, index) << exe << " / " << title;
        if (index >= 0) {
            ++chosen;
            EXPECT_EQ(explained.Rule, bar.LastMatchedRule);
            EXPECT_EQ(explained.StopAfterSwitch, bar.LastStopAfterSwitch);
        }
        // Every rule before the decision is told, in order, with its own test;
        // none that the bar tries took the application.
        std::vector<TRuleOutcome> expected;
        for (int i = 0; i < list.Count(); ++i) {
            const TAppList& item = list.Items(i);
            for (size_t r = 0; r < item.Rules.size(); ++r) {
                if (i == explained.Matched && static_cast<int>(r) == explained.Rule)
                    break;
                expected.push_back({i, static_cast<int>(r), TestRule(item.Rules[r], exe, title),
                                    !item.SwitchEnabled});
                // A rule said to take no application takes none.
                if (RuleFaultOf(item.Rules[r]) != TRuleFault::None) {
                    EXPECT_NE(expected.back().Test, TRuleTest::Matches);
                }
            }
            if (i == explained.Matched)
                break;
        }
        ASSERT_EQ(explained.Passed, expected);
        for (const TRuleOutcome& outcome : explained.Passed)
            EXPECT_TRUE(outcome.SwitchOff || outcome.Test != TRuleTest::Matches);
    }
    EXPECT_GT(chosen, 2000);
}

} // namespace
} // namespace zanpel
