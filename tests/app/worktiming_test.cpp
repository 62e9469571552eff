// The timing engine on a fixed clock: whole days run in milliseconds.
#include "records/atomicfile.h"
#include "timingfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

using Midnight = Timing;
using RestPeriods = Timing;
using SwitchingOff = Timing;
using MemoDialog = Timing;

TEST_F(Timing, APressTimesTheItemAndTheTickShowsItsTotal) {
    Press(A);
    EXPECT_TRUE(ui.WorkTimer);
    Run(90);
    EXPECT_EQ(buttons.Buttons(0).TimeText, "00:01:30");
    Press(B); // A's text stays as at its last tick
    Run(30);
    EXPECT_EQ(buttons.Buttons(0).TimeText, "00:01:30");
    EXPECT_EQ(buttons.Buttons(1).TimeText, "00:00:30");
    Press(B); // releasing shows StopWork's total
    EXPECT_FALSE(ui.WorkTimer);
    EXPECT_EQ(Rec(B)->Total, 30);
    EXPECT_TRUE(buttons.Buttons(1).DetailEnabled);
    Press(A);
    Run(1);
    Press(A); // one second or less: dropped
    EXPECT_EQ(buttons.Buttons(0).TimeText, "00:01:30");
    EXPECT_EQ(Rec(A)->Periods.size(), 1u);
}

TEST_F(Midnight, ARunningItemIsClosedOnTheOldDayAndGoesOnInTheNew) {
    clock.Set(EncodeDate(2005, 3, 1), 23 * 3600 + 50 * 60);
    Press(A);
    Run(20 * 60); // to 00:10 of 2 March
    const DayNumber first = EncodeDate(2005, 3, 1);
    const TWorkInfo* old = Rec(A, first);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->Periods.back().EndSec, 86400); // closed by the tick at midnight
    EXPECT_EQ(list.CurrentDate(), first + 1);
    EXPECT_EQ(Rec(A)->Periods.front().StartSec, 0);
    EXPECT_EQ(buttons.Buttons(0).TimeText, "00:10:00");
    EXPECT_THAT(ReadFile(dir.File("200503.dat")),
                HasSubstr("2005/03/01," + A + ",,\"23:50:00,00:00:00,,\""));
}

TEST_F(Midnight, AnItemLeftRunningOverAWholeDayKeepsThatDayUpToMidnight) {
    // Friday 23:59:50 to Sunday 00:00:15, the machine on and the bar idle.
    const DayNumber friday = EncodeDate(2005, 3, 4);
    clock.Set(friday, 23 * 3600 + 59 * 60 + 50);
    Press(A);
    Run(SecondsPerDay + 25, 5);
    ASSERT_EQ(list.CurrentDate(), friday + 2);
    const std::string march = ReadFile(dir.File("200503.dat"));
    EXPECT_THAT(march, HasSubstr("2005/03/05," + A + ",,\"00:00:00,00:00:00,,\"\r\n"));
    EXPECT_THAT(march, HasSubstr("2005/03/05,%LOGIN%,,\"00:00:00,00:00:00,,\"\r\n"));
    EXPECT_THAT(march, HasSubstr("2005/03/04,%LOGIN%,,\"23:59:50,00:00:00,,\"\r\n"));
    // Read back, Saturday is a whole day of A inside a whole computer-on day.
    TDataList reread(clock, reporter);
    reread.SetDataDir(dir.Path());
    reread.ChangeDate(friday + 1);
    ASSERT_NE(reread.Find(friday + 1, A), nullptr);
    EXPECT_EQ(reread.Find(friday + 1, A)->Total, SecondsPerDay);
    EXPECT_EQ(reread.Find(friday + 1, LoginName)->Periods[0].EndSec, SecondsPerDay);
    EXPECT_EQ(Rec(A)->Periods.front().StartSec, 0);
}

TEST_F(Midnight, APressAfterMidnightBeforeTheTickEndsTheOldDayAtMidnight) {
    clock.Set(EncodeDate(2005, 3, 1), 23 * 3600 + 59 * 60);
    Press(A);
    Run(59);
    clock.AdvanceMilliseconds(5500); // no tick since 23:59:59
    Press(B);
    const TWorkInfo* old = Rec(A, EncodeDate(2005, 3, 1));
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->Periods.back().EndSec, SecondsPerDay);
    EXPECT_EQ(list.CurrentDate(), EncodeDate(2005, 3, 2));
    EXPECT_EQ(list.CurrentWork(), Rec(B));
}

TEST_F(Midnight, AChangeOfMonthWritesTheOldFileAndReadsTheNew) {
    WriteFile(dir.File("200504.dat"), "2005/04/01," + B + ",,\"00:00:10,00:00:20,,\"\r\n");
    clock.Set(EncodeDate(2005, 3, 31), 23 * 3600 + 59 * 60);
    list.ChangeDate(Today(clock));
    Press(A);
    Run(120);
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("2005/03/31," + A));
    EXPECT_EQ(Rec(B)->Total, 10); // read from April's file
    EXPECT_EQ(list.CurrentWork(), Rec(A));
}

TEST_F(Midnight, WithNothingRunningTheListKeepsTheOldDayUntilAStart) {
    clock.Set(EncodeDate(2005, 3, 1), 23 * 3600 + 59 * 60);
    Run(3600);
    EXPECT_EQ(list.CurrentDate(), EncodeDate(2005, 3, 1));
    Press(A); // the list moves to the new day first, then A starts on it
    EXPECT_EQ(list.CurrentDate(), EncodeDate(2005, 3, 2));
    Run(61);
    ASSERT_NE(Rec(A), nullptr);
    EXPECT_EQ(Rec(A)->Periods.size(), 1u);
    EXPECT_EQ(Rec(A)->Total, 61);
    EXPECT_EQ(list.FindLogin()->Periods[0].StartSec, Rec(A)->Periods[0].StartSec);
}

TEST_F(RestPeriods, TheRestItemRunsInTheRestPeriodAndTheItemBeforeComesBack) {
    list.AppSwitch().DeleteByName(RestName());
    buttons.LoadButtons(list.AppSwitch());
    SetRestTimes("720:780");
    StartAt(Today(clock), T(11, 50));
    Press(A);
    RunUntil(12, 0);
    EXPECT_EQ(PressedName(buttons), RestName()); // the button was created
    EXPECT_EQ(buttons.ButtonCount(), 3);
    RunUntil(12, 30);
    Press(B); // lasts only until the next tick
    EXPECT_EQ(PressedName(buttons), B);
    Run(1);
    EXPECT_EQ(PressedName(buttons), RestName());
    RunUntil(13, 0);
    Run(1);
    EXPECT_EQ(PressedName(buttons), B);       // the item current just before the last switch
    EXPECT_EQ(list.FindLogin()->Total, 3600); // B's one-second period merged back into the rest
    EXPECT_EQ(Rec(A)->Total, 600);
}

TEST_F(RestPeriods, NothingRunningSwitchesNothingAndBadRangesNeverSwitch) {
    SetRestTimes("720:780");
    clock.Set(Today(clock), 12 * 3600 + 10 * 60);
    Run(60);
    EXPECT_EQ(PressedName(buttons), "-");
    Press(A); // inside the period: the next tick goes to the rest item
    Run(1);
    EXPECT_EQ(PressedName(buttons), RestName());
    Press(RestName());
    SetRestTimes("720,900:800,-5:-1");
    EXPECT_THAT(timing.RestRanges(),
                ElementsAre(TRestRange{720, 0}, TRestRange{900, 800}, TRestRange{-5, -1}));
    Press(A);
    Run(120);
    EXPECT_EQ(PressedName(buttons), A);
    SetRestTimes("-1:780"); // no begin: from midnight
    Run(1);
    EXPECT_EQ(PressedName(buttons), RestName());
}

TEST_F(SwitchingOff, ManualPressesAndTheReturnFromRestTurnApplicationSwitchingOff) {
    settings.ManualSwitchOff = true;
    buttons.AppSwitchActive = true;
    Press(RestName()); // the rest item never does
    EXPECT_TRUE(ui.AppSwitchMode.empty());
    Press(A);
    EXPECT_THAT(ui.AppSwitchMode, ElementsAre(false));
    buttons.AppSwitchActive = true;
    SetRestTimes("540:541");
    Run(1);
    EXPECT_EQ(PressedName(buttons), RestName());
    RunUntil(9, 1);
    Run(1);
    EXPECT_EQ(PressedName(buttons), A);
    EXPECT_THAT(ui.AppSwitchMode, ElementsAre(false, false));
}

TEST_F(SwitchingOff, AnApplicationSwitchNotesTitleAndProgramOnce) {
    list.AppSwitch().ParseLine(Sjis("@" + std::string("作業A") + ",,@AP1,\"editor.bin/\","));
    buttons.AppSwitchActive = true;
    buttons.SwitchByApplication("editor.bin", Sjis("報告書.txt"));
    EXPECT_EQ(PressedName(buttons), A);
    const TWorkData& period = Rec(A)->Periods.back();
    EXPECT_EQ(period.Memo, Sjis("報告書.txt"));
    EXPECT_EQ(period.Category, "editor");
    EXPECT_EQ(buttons.LastExeName, "");
    EXPECT_THAT(ui.AppSwitchMode, ElementsAre(true));
    Run(60);
    Press(B);
    Run(1);
    buttons.SwitchByApplication("editor.bin", Sjis("報告書.txt")); // continues A's period
    ASSERT_EQ(Rec(A)->Periods.size(), 1u);
    EXPECT_EQ(Rec(A)->Periods.back().Memo, Sjis("報告書.txt")); // the title only once
    EXPECT_TRUE(ui.MemoRequests.empty()); // never asked for an application switch
}

TEST_F(MemoDialog, AskedOnManualStartsOnly) {
    settings.MemoOnStart = true;
    ui.MemoAnswer = TMemoResult{Sjis(" 設計 "), Sjis("メモ\r\n"), {}};
    timing.StartSelection(A); // the start selection: not asked
    EXPECT_TRUE(ui.MemoRequests.empty());
    Press(B);
    ASSERT_EQ(ui.MemoRequests.size(), 1u);
    EXPECT_EQ(ui.MemoRequests[0].Category, B);
    EXPECT_EQ(ui.MemoRequests[0].Categories, Sjis("設計,試験"));
    EXPECT_EQ(ui.MemoRequests[0].TimeText, "09:00:00- ...");
    EXPECT_TRUE(ui.AutoHideTimer);
    EXPECT_EQ(Rec(B)->Periods.back().Category, Sjis("設計"));
    EXPECT_EQ(Rec(B)->Periods.back().Memo, Sjis("メモ"));
    Press(RestName()); // the rest item: not asked
    SetRestTimes("540:541");
    Press(A); // inside a rest period: the switch back is automatic
    Run(1);
    RunUntil(9, 1);
    Run(1);
    EXPECT_EQ(ui.MemoRequests.size(), 2u);
}

// A second copy of the program hands an item over; the program's own
// selections stay its own when another one happens within them.
TEST_F(MemoDialog, NeverAskedForTheProgramsOwnSelections) {
    settings.MemoOnStart = true;
    timing.PressItemByName(A);
    EXPECT_EQ(PressedName(buttons), A);
    timing.PressItemByName(A); // runs already: goes on
    timing.PressItemByName(Sjis("無い作業"));
    EXPECT_EQ(PressedName(buttons), A);
    {
        TWorkTiming::AutoSelectingScope outer(timing);
        { TWorkTiming::AutoSelectingScope inner(timing); }
        Press(B);
    }
    EXPECT_EQ(PressedName(buttons), B);
    EXPECT_TRUE(ui.MemoRequests.empty());
    Press(A); // the user's own press
    EXPECT_EQ(ui.MemoRequests.size(), 1u);
}

TEST_F(MemoDialog, AnAnswerForAPeriodDroppedMeanwhileIsDiscarded) {
    settings.MemoOnStart = true;
    settings.NoCountSeconds = 5;
    list.SetNoCountSeconds(5);
    SetRestTimes("540:600");
    clock.Set(Today(clock), 8 * 3600 + 59 * 60 + 58);
    ui.MemoAnswer = TMemoResult{"X", "Y", {}};
    ui.WhileMemoOpen = [this] {
        Run(3);
    }; // 9:00 arrives: the rest switch drops A's 2-second period
    Press(A);
    EXPECT_EQ(PressedName(buttons), RestName());
    EXPECT_TRUE(Rec(A)->Periods.empty());
    for (const TWorkData& p : list.FindLogin()->Periods)
        EXPECT_NE(p.Category, "X");
}

TEST_F(MemoDialog, AnAnswerAfterTheMonthEndedGoesToThePeriodInItsMonth) {
    settings.MemoOnStart = true;
    clock.Set(EncodeDate(2005, 3, 31), 23 * 3600 + 59 * 60);
    list.ChangeDate(Today(clock));
    ui.MemoAnswer = TMemoResult{Sjis("設計"), Sjis("月末"), {}};
    std::function<void()> underTheDialog;
    ui.WhileMemoOpen = [&] {
        Run(120); // March is saved at midnight, April read
        if (underTheDialog)
            underTheDialog();
    };
    Press(A);
    EXPECT_TRUE(ui.Errors.empty());
    EXPECT_THAT(ReadFile(dir.File("200503.dat")),
                HasSubstr("2005/03/31," + A + ",,\"23:59:00,00:00:00," + Sjis("設計,月末") + "\""));
    EXPECT_EQ(Rec(A)->Periods.front().Category, ""); // April's period is another one

    // A month that cannot be read now is said so, and not written over.
    Press(A);
    clock.Set(EncodeDate(2005, 4, 30), 23 * 3600 + 59 * 60);
    underTheDialog = [&] { WriteFile(dir.File("200504.dat"), "2005/04/99,x,,\r\n"); };
    Press(A);
    ASSERT_EQ(ui.Errors.size(), 1u);
    EXPECT_THAT(ui.Errors[0],
                HasSubstr("2005/04/30 23:59:00 からの作業分類とメモを保存できません"));
    EXPECT_EQ(ReadFile(dir.File("200504.dat")), "2005/04/99,x,,\r\n");
}

TEST_F(Timing, AShortSwitchAwayIsNotMergedOverTheOtherItemsTime) {
    settings.MergeSeconds = 60;
    list.SetMergeSeconds(60);
    Press(A);
    Run(600);
    Press(B); // 30 seconds of B, kept (longer than NoCountSeconds)
    Run(30);
    Press(A); // within MergeSeconds of A's end
    Run(60);
    ASSERT_EQ(Rec(A)->Periods.size(), 2u);
    EXPECT_EQ(Rec(A)->Periods[1].StartSec, Rec(B)->Periods[0].EndSec);
    EXPECT_EQ(Rec(A)->Total + Rec(B)->Total, 690); // every second once
    Press(A);
    Run(30); // nothing ran in the gap: merged as before
    Press(A);
    Run(10);
    EXPECT_EQ(Rec(A)->Periods.size(), 2u);
}

TEST_F(Timing, ReplacingTheListWithNothingPressedLeavesTheTimerOff) {
    TDataList copy(clock, reporter);
    copy.Assign(list);
    timing.ReplaceWorkList(copy);
    EXPECT_FALSE(ui.WorkTimer);
    Press(A);
    timing.ReplaceWorkList(copy);
    EXPECT_TRUE(ui.WorkTimer);
}

TEST_F(Timing, RefreshShowsTodaysTotalsAndEnablesTheBarForTheCurrentMonth) {
    settings.AutoRestSwitch = false; // the rest item runs outside rest periods too
    Press(A);
    Run(30);
    Press(RestName());
    Run(20);
    Press(RestName());
    timing.RefreshButtons();
    EXPECT_EQ(buttons.Buttons(0).TimeText, "00:00:30");
    EXPECT_TRUE(buttons.Buttons(0).DetailEnabled);
    EXPECT_FALSE(buttons.Buttons(1).DetailEnabled);
    // The rest item shows its time but never has an editor: its periods are
    // those of the computer-on record.
    EXPECT_EQ(buttons.Buttons(2).TimeText, "00:00:20");
    EXPECT_FALSE(buttons.Buttons(2).DetailEnabled);
    EXPECT_TRUE(ui.BarEnabled);
    // A list in another month than today's (the clock was set back) disables it.
    list.ChangeDate(EncodeDate(2005, 4, 1));
    timing.RefreshButtons();
    EXPECT_FALSE(ui.BarEnabled);
}

TEST_F(Midnight, AResetAfterTheEndOfAMonthLeavesTheBarUsable) {
    clock.Set(EncodeDate(2005, 3, 31), 17 * 3600);
    list.ChangeDate(Today(clock));
    Press(A);
    Run(3600);
    Press(A); // nothing runs at midnight
    Run(7 * 3600 + 5);
    ASSERT_EQ(Today(clock), EncodeDate(2005, 4, 1));
    EXPECT_EQ(list.CurrentDate(), EncodeDate(2005, 3, 31));

    ui.Answers = {true};
    timing.N_AllResetClick();
    EXPECT_TRUE(ui.BarEnabled);
    EXPECT_EQ(list.CurrentDate(), EncodeDate(2005, 4, 1));
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("2005/03/31," + A));
    EXPECT_EQ(Rec(A, EncodeDate(2005, 3, 31)), nullptr); // March is on disk, not in the list

    Press(B); // a press works and times the new day
    Run(60);
    EXPECT_EQ(Rec(B)->Total, 60);
    EXPECT_TRUE(ui.BarEnabled);
}

TEST_F(Midnight, DeletingAnItemAfterTheEndOfAMonthLeavesTheBarUsable) {
    clock.Set(EncodeDate(2005, 3, 31), 23 * 3600);
    list.ChangeDate(Today(clock));
    Run(3600 + 5);
    timing.PopupMenu1Popup(&buttons.Buttons(1));
    ui.Answers = {true};
    timing.N_DeleteClick();
    EXPECT_EQ(buttons.ButtonCount(), 2);
    EXPECT_TRUE(ui.BarEnabled);
    Press(A);
    Run(30);
    EXPECT_EQ(Rec(A)->Total, 30);
}

TEST_F(Timing, TheMonthIsSavedEveryFewMinutesWhileAnItemRuns) {
    settings.AutoSaveMinutes = 5;
    Press(A);
    Run(4 * 60);
    EXPECT_FALSE(FileExists(dir.File("200503.dat")));
    Run(61);
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("\"09:00:00,09:05:00,,\""));
    settings.AutoSaveMinutes = 0;
    Run(10 * 60);
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("\"09:00:00,09:05:00,,\""));
}

TEST_F(Timing, EverySaveTakesTheRunningItemUpToTheMomentOfSaving) {
    // The last tick lies back (the bar was held up, or ends between two
    // ticks): the save, at the end as at any other time, counts up to now.
    Press(A);
    Run(60);
    clock.Advance(10 * 60);
    ASSERT_TRUE(list.SaveIfAllowed());
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr(A + ",,\"09:00:00,09:11:00,,\"\r\n"));
    EXPECT_EQ(Rec(A)->Total, 11 * 60);
}

} // namespace
} // namespace zanpel::test
