// The panel menu's commands of the timing engine: resetting, deleting and
// starting a new period of an item, on a fixed clock.
#include "timingfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using MenuCommands = Timing;

TEST_F(MenuCommands, ResetOneAsksAndResetsOnlyOnYes) {
    Press(A);
    Run(100);
    timing.PopupMenu1Popup(nullptr); // the running item
    ui.Answers = {false};
    timing.N_ResetClick();
    EXPECT_THAT(ui.Asked, ElementsAre(Cp932ToUtf8(A) + " の時間をリセットします！"));
    EXPECT_EQ(Rec(A)->Total, 100);
    EXPECT_TRUE(ui.WorkTimer);
    timing.PopupMenu1Popup(nullptr);
    ui.Answers = {true};
    timing.N_ResetClick();
    EXPECT_EQ(Rec(A)->Total, 0);
    EXPECT_EQ(buttons.Buttons(0).TimeText, "00:00:00");
    EXPECT_EQ(timing.MenuTarget(), nullptr);
    Run(10); // still running: the first tick after the reset opens a new period
    EXPECT_EQ(Rec(A)->Total, 9);
    timing.PopupMenu1Popup(&buttons.Buttons(1)); // no record today: nothing asked
    timing.N_ResetClick();
    EXPECT_EQ(ui.Asked.size(), 2u);
}

TEST_F(MenuCommands, ResetAllKeepsTheComputerOnRecord) {
    settings.AutoRestSwitch = false; // else the rest item outside a rest period lasts one tick
    Press(RestName());
    Run(60);
    Press(A);
    Run(60);
    ui.Answers = {false, true};
    timing.N_AllResetClick();
    EXPECT_EQ(Rec(A)->Total, 60);
    timing.N_AllResetClick();
    EXPECT_THAT(ui.Asked,
                ElementsAre("全項目の時間をリセットします！", "全項目の時間をリセットします！"));
    EXPECT_EQ(Rec(A)->Total, 0);
    EXPECT_EQ(list.FindLogin()->Total, 60);
    EXPECT_EQ(buttons.Buttons(2).TimeText, "00:01:00");
}

TEST_F(MenuCommands, DeleteRemovesTheItemStopsItAndSavesAtOnce) {
    Press(A);
    Run(100);
    timing.PopupMenu1Popup(nullptr);
    ui.Answers = {false};
    timing.N_DeleteClick();
    EXPECT_EQ(buttons.ButtonCount(), 3);
    EXPECT_TRUE(ui.WorkTimer);
    timing.PopupMenu1Popup(nullptr);
    ui.Answers = {true};
    timing.N_DeleteClick();
    EXPECT_THAT(ui.Asked.back(), Cp932ToUtf8(A) + " を削除しますよ！");
    EXPECT_EQ(buttons.ButtonCount(), 2);
    EXPECT_EQ(buttons.Current(), nullptr);
    EXPECT_FALSE(ui.WorkTimer);
    EXPECT_EQ(list.AppSwitch().IndexOf(A), -1);
    EXPECT_EQ(Rec(A), nullptr);
    const std::string saved = ReadFile(dir.File("200503.dat"));
    EXPECT_THAT(saved, HasSubstr("%LOGIN%"));
    EXPECT_EQ(saved.find(A), std::string::npos);
}

TEST_F(MenuCommands, NewWorkStartsAPeriodAtOnceWithItsOwnCategory) {
    Press(A);
    Run(100);
    auto state = timing.PopupMenu1Popup(&buttons.Buttons(1));
    EXPECT_FALSE(state.NewWork); // only on the running button
    timing.N_NewWorkClick();
    EXPECT_TRUE(ui.MemoRequests.empty());
    state = timing.PopupMenu1Popup(nullptr);
    EXPECT_TRUE(state.NewWork);
    ui.MemoAnswer = std::nullopt;
    timing.N_NewWorkClick();
    EXPECT_EQ(Rec(A)->Periods.size(), 1u);
    timing.PopupMenu1Popup(nullptr);
    ui.MemoAnswer = TMemoResult{Sjis("試験"), Sjis(" 結合試験 "), Sjis("設計,試験,レビュー")};
    timing.N_NewWorkClick();
    EXPECT_EQ(ui.MemoRequests.back().Caption, "新しい作業を開始する");
    ASSERT_EQ(Rec(A)->Periods.size(), 2u); // even within the merge time
    EXPECT_EQ(Rec(A)->Periods[1].Memo, Sjis("結合試験"));
    EXPECT_EQ(list.GetCategories(A), Sjis("設計,試験,レビュー"));
    Run(50);
    EXPECT_EQ(Rec(A)->Periods[1].EndSec - Rec(A)->Periods[1].StartSec, 50);
    EXPECT_TRUE(ui.AutoHideTimer);
}

TEST_F(MenuCommands, NewWorkAfterTheItemStoppedUnderTheDialogAddsNothingAndLeavesTheTimerOff) {
    Press(A);
    Run(100);
    timing.PopupMenu1Popup(nullptr);
    ui.MemoAnswer = TMemoResult{Sjis("試験"), {}, Sjis("設計,試験")};
    ui.WhileMemoOpen = [&] { Press(A); }; // released while the dialog is open
    timing.N_NewWorkClick();
    EXPECT_EQ(Rec(A)->Periods.size(), 1u);
    EXPECT_FALSE(ui.WorkTimer);
}

TEST_F(MenuCommands, TheComputerOnRecordBehindTheRestItemIsNeverReset) {
    Press(RestName());
    Run(60);
    const TWorkInfo before = *list.FindLogin();
    EXPECT_FALSE(timing.PopupMenu1Popup(&buttons.Buttons(2)).Reset);
    ui.Answers = {true};
    timing.N_ResetClick(); // as a stray short-cut would
    EXPECT_EQ(*list.FindLogin(), before);
    EXPECT_TRUE(ui.Asked.empty());
}

} // namespace
} // namespace zanpel::test
