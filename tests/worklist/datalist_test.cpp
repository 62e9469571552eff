#include "worklist/worklistfixture.h"

#include <gmock/gmock.h>

namespace zanpel::test {
namespace {

using MergeRules = WorkListTest;
using NoCountRule = WorkListTest;
using LoginRecord = WorkListTest;
using EditingCommands = WorkListTest;

TEST_F(MergeRules, ARestartWithinMergeSecondsContinuesTheLastPeriod) {
    StartOn(march1, 9, 0);
    list.StartWork(march1, A);
    At(9, 10);
    list.StopWork();
    At(9, 10, 1); // 1 second later, MergeSeconds 1
    list.StartWork(march1, A);
    At(9, 20);
    EXPECT_EQ(list.UpdateRunning(), 20 * 60);
    ASSERT_EQ(Work(A)->Periods.size(), 1u);
    list.StopWork();
    At(9, 20, 2); // 2 seconds later: a new period
    list.StartWork(march1, A);
    At(9, 30);
    list.UpdateRunning();
    EXPECT_EQ(Work(A)->Periods.size(), 2u);
    EXPECT_EQ(Work(A)->Total, 20 * 60 + 10 * 60 - 2);
}

TEST_F(MergeRules, CategoriesDecideBetweenMergingAndAppending) {
    list.SetMergeSeconds(60);
    TWorkInfo* work = list.AddWork({march1, A, "", 0, {}});
    list.AddPeriod(work, {"", "first", 100, 200});
    // Merged: the empty category takes the new one, the new memo is dropped.
    EXPECT_EQ(list.AddPeriod(work, {"X", "dropped", 230, 300}), 0);
    EXPECT_EQ(work->Periods[0].Category, "X");
    EXPECT_EQ(work->Periods[0].Memo, "first");
    EXPECT_EQ(work->Periods[0].EndSec, 300);
    // Another category is never merged.
    EXPECT_EQ(list.AddPeriod(work, {"Y", "", 310, 400}), 1);
    // A start before the last end is a huge unsigned gap: appended.
    EXPECT_EQ(list.AddPeriod(work, {"Y", "", 350, 500}), 2);
    EXPECT_EQ(work->Total, 200 + 90 + 150);
    // Appended with an empty category: taken from the last only with ContinueCategory.
    list.AddPeriod(work, {"", "", 1000, 1100});
    EXPECT_EQ(work->Periods.back().Category, "");
    list.ContinueCategory = true;
    list.AddPeriod(work, {"", "", 2000, 2100});
    EXPECT_EQ(work->Periods.back().Category, "");
    list.AddPeriod(work, {"Z", "", 3000, 3100});
    list.AddPeriod(work, {"", "", 4000, 4100});
    EXPECT_EQ(work->Periods.back().Category, "Z");
    EXPECT_EQ(list.AddPeriod(nullptr, {}), -1);
}

TEST_F(NoCountRule, ShortPeriodsAreDroppedWhenStopped) {
    StartOn(march1, 9, 0);
    list.SetNoCountSeconds(5);
    list.StartWork(march1, A);
    At(9, 0, 5); // exactly NoCountSeconds: dropped
    EXPECT_EQ(list.StopWork(), 0);
    EXPECT_TRUE(Work(A)->Periods.empty());
    At(9, 1);
    list.StartWork(march1, A);
    At(9, 1, 6);
    EXPECT_EQ(list.StopWork(), 6);
    // Switching items stops the previous one by the same rule.
    At(9, 2);
    list.StartWork(march1, B);
    At(9, 2, 3);
    list.StartWork(march1, A);
    EXPECT_EQ(Work(B)->Total, 0);
    EXPECT_EQ(list.CurrentWork(), Work(A));
    list.SetNoCountSeconds(0);
    EXPECT_EQ(list.NoCountSeconds(), 1);
    list.SetMergeSeconds(0);
    EXPECT_EQ(list.MergeSeconds(), 1);
}

TEST_F(LoginRecord, TheDayStartsWithAComputerOnSpanThatFollowsTheClock) {
    StartOn(march1, 8, 50);
    TWorkInfo* login = list.FindLogin();
    ASSERT_NE(login, nullptr);
    EXPECT_EQ(login->Periods[0].StartSec, 8 * 3600 + 50 * 60);
    At(12, 0);
    list.UpdateRunning();
    EXPECT_EQ(login->Periods[0].EndSec, 12 * 3600);
    EXPECT_EQ(login->Total, 0); // the span is not counted
}

TEST_F(LoginRecord, RestTimeIsRecordedInTheLoginRecordAndNeverMergedIntoTheSpan) {
    StartOn(march1, 9, 0);
    list.SetMergeSeconds(3600);
    At(12, 0);
    TWorkInfo* rest = list.StartWork(march1, RestName());
    EXPECT_EQ(rest, list.FindLogin());
    EXPECT_EQ(list.Find(march1, RestName()), list.FindLogin());
    At(13, 0);
    EXPECT_EQ(list.StopWork(), 3600);
    const TWorkInfo& login = *list.FindLogin();
    ASSERT_EQ(login.Periods.size(), 2u);
    EXPECT_EQ(login.Periods[1].Category, RestName());
    EXPECT_EQ(login.Periods[0].Category, "");
    // A second rest within MergeSeconds merges into the first rest period.
    At(13, 10);
    list.StartWork(march1, RestName());
    At(13, 20);
    list.StopWork();
    EXPECT_EQ(login.Periods.size(), 2u);
    EXPECT_EQ(login.Total, 80 * 60);
}

TEST_F(LoginRecord, IsOnlyKeptForTodayAndNotByTheTool) {
    StartOn(march1, 9, 0);
    list.ChangeDate(march1 - 1); // a past day of the previous month
    EXPECT_EQ(list.FindLogin(), nullptr);
    TempDir empty;
    TDataList tool(clock, reporter);
    tool.KeepsLoginRecord = false;
    tool.SetDataDir(empty.Path());
    tool.ChangeDate(march1);
    tool.UpdateRunning();
    EXPECT_EQ(tool.FindLogin(), nullptr);
}

TEST_F(LoginRecord, APeriodRunningPastMidnightEndsThereWithTheComputerOnSpan) {
    StartOn(march1, 23, 30);
    list.StartWork(march1, A);
    clock.Set(march1 + 1, 15 * 60); // a late look at the old day's record
    list.UpdateRunning();
    EXPECT_EQ(Work(A)->Periods[0].EndSec, SecondsPerDay);
    EXPECT_EQ(Work(A)->Total, 30 * 60);
    EXPECT_EQ(list.FindLogin()->Periods[0].EndSec, SecondsPerDay);
}

TEST_F(EditingCommands, ResetTimesKeepsTheLoginRecordAndOtherDays) {
    StartOn(march1, 9, 0);
    list.AddPeriod(list.AddWork({march1 - 1, A, "", 0, {}}), {"", "", 0, 100});
    list.StartWork(march1, B);
    At(10, 0);
    list.StartWork(march1, A);
    At(10, 30);
    list.StartWork(march1, RestName());
    At(11, 0);
    list.StartWork(march1, A);
    At(11, 30);
    list.ResetTimes(nullptr);
    list.UpdateRunning(); // the next tick
    EXPECT_EQ(Work(A)->Total, 0);
    EXPECT_EQ(Work(B)->Total, 0);
    EXPECT_EQ(list.FindLogin()->Total, 1800);
    EXPECT_EQ(list.Find(march1 - 1, A)->Total, 100);
    // The running item keeps running and opens a new period now.
    EXPECT_EQ(list.CurrentWork(), Work(A));
    At(11, 40);
    EXPECT_EQ(list.UpdateRunning(), 600);
    list.ResetTimes(Work(A));
    EXPECT_TRUE(Work(A)->Periods.empty());
}

TEST_F(EditingCommands, DeleteWorkRemovesTheDefinitionAlways) {
    StartOn(march1, 9, 0);
    list.AppSwitch().AddEntry({A, "", "", false, {}});
    list.AppSwitch().AddEntry({B, "", "", false, {}});
    list.AddWork({march1 - 1, B, "", 0, {}});
    EXPECT_FALSE(list.DeleteWork(march1, B)); // no record today
    EXPECT_EQ(list.AppSwitch().IndexOf(B), -1);
    EXPECT_NE(list.Find(march1 - 1, B), nullptr);
    list.StartWork(march1, A);
    EXPECT_TRUE(list.DeleteWork(march1, A));
    EXPECT_EQ(list.CurrentWork(), nullptr);
    EXPECT_EQ(Work(A), nullptr);
    EXPECT_FALSE(list.DeleteWork(0, A));
}

TEST_F(EditingCommands, AssignCopiesDateAndRecordsOnly) {
    StartOn(march1, 9, 0);
    list.NoSave = true;
    list.StartWork(march1, A);
    At(10, 0);
    list.UpdateRunning();
    TDataList other(clock, reporter);
    other.Assign(list);
    EXPECT_EQ(other.CurrentDate(), march1);
    EXPECT_EQ(other.Count(), list.Count());
    EXPECT_EQ(other.Find(march1, A)->Total, 3600);
    EXPECT_FALSE(other.NoSave);
    EXPECT_EQ(other.MonthFile(), "");
    EXPECT_EQ(other.CurrentWork(), nullptr);
}

TEST_F(EditingCommands, RegisterWorkNamesAddsDefinitionsForTodaysRecords) {
    StartOn(march1, 9, 0);
    list.AppSwitch().AddEntry({A, "memo", "", true, {}});
    list.AddWork({march1, A, "", 0, {}});
    list.AddWork({march1, B, "", 0, {}});
    list.AddWork({march1 - 1, "old", "", 0, {}});
    list.RegisterWorkNames();
    ASSERT_EQ(list.AppSwitch().Count(), 2);
    EXPECT_EQ(list.AppSwitch().Items(0).Memo, "memo");
    EXPECT_EQ(list.AppSwitch().Items(1).Name, B);
    EXPECT_FALSE(list.AppSwitch().Items(1).SwitchEnabled);
}

TEST_F(EditingCommands, StartWorkTakesTheStandardMemoAndSortOrdersNames) {
    StartOn(march1, 9, 0);
    list.AppSwitch().AddEntry({A, "standard", "", false, {}});
    list.StartWork(march1, A);
    EXPECT_EQ(Work(A)->Memo, "standard");
    EXPECT_EQ(list.StartWork(0, A), nullptr);
    EXPECT_EQ(list.StartWork(march1, ""), nullptr);
    list.AddWork({march1, "beta", "", 0, {}});
    list.AddWork({march1, "Alpha", "", 0, {}});
    list.AddWork({march1 + 1, "zeta", "", 0, {}});
    list.SortWorks(false);
    std::vector<std::string> names;
    for (int i = 0; i < list.Count(); ++i)
        names.push_back(list.WorkAt(i)->Name);
    EXPECT_THAT(names, ::testing::ElementsAre("zeta", LoginName, "Alpha", "beta", A));
    EXPECT_EQ(list.AddWork({0, A, "", 0, {}}), nullptr);
    EXPECT_EQ(list.GetWorkCopy(march1 + 5, "none").Date, march1);
    EXPECT_EQ(list.GetWorkAt(99).Date, 0);
}

} // namespace
} // namespace zanpel::test
