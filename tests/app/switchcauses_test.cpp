// What the timing engine tells of the switches it makes by itself, and that
// it tells nothing of the user's own presses.
#include "timingfixture.h"
#include "tracking/appswitch.h"

#include <gmock/gmock.h>

namespace zanpel::test {
namespace {

class SwitchCauses : public Timing {
protected:
    SwitchCauses() {
        timing.OnAutoSwitch = [this](const TSwitchEntry& entry) { told.push_back(entry); };
        list.AppSwitch().ParseLine(Sjis("@作業A,,@AP1,\"viewer/\",\"editor.bin/*報告*\","));
        buttons.AppSwitchActive = true;
    }
    std::vector<TSwitchEntry> told;
};

TEST_F(SwitchCauses, RulesRestPeriodsTheStartAndASecondStartAreToldWithTheirCause) {
    SetRestTimes("720:780");
    StartAt(Today(clock), T(11, 0));
    Press(B);
    buttons.SwitchByApplication("editor.bin", Sjis("月次報告.txt"));
    buttons.SwitchByApplication("editor.bin", Sjis("月次報告.txt")); // the same window
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0],
              (TSwitchEntry{Today(clock), T(11, 0), TSwitchCause::Rule, A, 1,
                            "editor.bin/*" + Sjis("報告*"), "editor.bin", Sjis("月次報告.txt")}));
    EXPECT_EQ(SwitchReasonText(told[0]), "規則 2「editor.bin/*報告*」");

    RunUntil(12, 0);
    Run(1);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told[1].Cause, TSwitchCause::RestStart);
    EXPECT_EQ(told[1].Item, RestName());
    EXPECT_EQ(told[1].Second, T(12, 0));
    EXPECT_EQ(SwitchReasonText(told[1]), "休憩時間 12:00-13:00");
    RunUntil(13, 0);
    Run(1);
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[2].Item, A);
    EXPECT_EQ(SwitchReasonText(told[2]), "休憩時間 12:00-13:00 の終わり");

    // Pressed by hand outside every rest period, the rest item goes at once.
    Press(RestName());
    Run(1);
    ASSERT_EQ(told.size(), 4u);
    EXPECT_EQ(SwitchReasonText(told[3]), "休憩時間外");

    timing.StartSelection(B);
    timing.PressItemByName(A);
    timing.PressItemByName(A); // runs already: no switch
    ASSERT_EQ(told.size(), 6u);
    EXPECT_EQ(told[4].Cause, TSwitchCause::Resume);
    EXPECT_EQ(told[4].Item, B);
    EXPECT_EQ(told[5].Cause, TSwitchCause::HandOver);
    EXPECT_EQ(told[5].Item, A);
    Press(B);
    Run(60);
    EXPECT_EQ(told.size(), 6u) << "the user's own presses are no automatic switches";
}

TEST_F(SwitchCauses, ARestPeriodTheUserEnteredByHandIsNamedAtItsEndWhereNothingRunsAfter) {
    SetRestTimes("720:780");
    StartAt(Today(clock), T(12, 10));
    Press(RestName()); // by hand, with nothing before it
    RunUntil(12, 59);
    EXPECT_TRUE(told.empty());
    RunUntil(13, 0);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].Item, "");
    EXPECT_EQ(SwitchReasonText(told[0]), "休憩時間 12:00-13:00 の終わり");
}

} // namespace
} // namespace zanpel::test
