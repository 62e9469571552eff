// The rest periods of the settings dialog without a display, and what the
// dialog takes from and gives back to the settings.
#include "records/clock.h"
#include "settings/initparam.h"
#include "settings/restlist.h"
#include "settings/setupoptions.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

class RestList : public ::testing::Test {
protected:
    FixedClock clock{EncodeDate(2005, 3, 1), 14 * 3600 + 23 * 60 + 40};
    TRangeGridModel grid;
};

TEST_F(RestList, OpensOnTheFirstItemOverTheWholeDay) {
    TRestListEditor rest("720:780,900:910", grid, clock);
    EXPECT_EQ(grid.ColCount(), 144);
    EXPECT_EQ(rest.Selected(), 0);
    EXPECT_EQ(grid.BeginTime(), 720);
    EXPECT_EQ(grid.EndTime(), 780);
    EXPECT_EQ(rest.LabelText(), "休憩: 12:00-13:00");
    // Shown as times of day, kept as minutes.
    EXPECT_THAT(rest.ItemTexts(), ElementsAre("12:00-13:00", "15:00-15:10"));
    EXPECT_EQ(rest.RestTimes(), "720:780,900:910");
    TRestListEditor none("", grid, clock); // the current minute, one column long
    EXPECT_EQ(none.Selected(), -1);
    EXPECT_EQ(none.LabelText(), "休憩: 14:23-14:33");
}

TEST_F(RestList, AddKeepsTheOrderOfTheStartsAndSelectsTheNewItem) {
    TRestListEditor rest("", grid, clock);
    rest.ShowRange(720, 780);
    rest.Add();
    rest.ShowRange(600, 615);
    rest.Add();
    EXPECT_THAT(rest.Items(), ElementsAre("600:615", "720:780"));
    EXPECT_EQ(rest.Selected(), 0);
    rest.ShowRange(720, 730); // the same start: after the one there
    rest.Add();
    EXPECT_THAT(rest.Items(), ElementsAre("600:615", "720:780", "720:730"));
    EXPECT_EQ(rest.Selected(), 2);
    EXPECT_EQ(rest.RestTimes(), "600:615,720:780,720:730");
}

TEST_F(RestList, RemoveSelectsTheNextItemOrTheCurrentMinuteAfterTheLast) {
    TRestListEditor rest("600:615,720:780", grid, clock);
    rest.Remove();
    EXPECT_THAT(rest.Items(), ElementsAre("720:780"));
    EXPECT_EQ(rest.Selected(), 0);
    EXPECT_EQ(rest.LabelText(), "休憩: 12:00-13:00");
    rest.Remove();
    EXPECT_TRUE(rest.Items().empty());
    EXPECT_EQ(rest.Selected(), -1);
    EXPECT_EQ(grid.BeginTime(), 14 * 60 + 23);
    EXPECT_EQ(grid.EndTime(), 14 * 60 + 33);
    rest.Remove(); // nothing selected: nothing happens
    EXPECT_EQ(rest.RestTimes(), "");
}

TEST_F(RestList, AdjustmentsMoveTheEdgesByAMinute) {
    TRestListEditor rest("720:780", grid, clock);
    rest.AdjustBegin();
    rest.AdjustEnd();
    rest.AdjustEnd();
    EXPECT_EQ(rest.LabelText(), "休憩: 12:01-12:58");
    rest.Add();
    EXPECT_THAT(rest.Items(), ElementsAre("720:780", "721:778"));
    rest.ShowRange(600, 601);
    rest.AdjustBegin(); // the begin cannot reach the end: the grid pushes it back
    EXPECT_LT(grid.BeginTime(), grid.EndTime());
}

TEST_F(RestList, OverlapsAreFoundButStoredAsEntered) {
    TRestListEditor rest("600:615,610:620,,720:780,780:790", grid, clock);
    EXPECT_THAT(rest.Overlapping(), ElementsAre(0, 1));
    EXPECT_EQ(rest.Items().size(), 5u); // the empty item reads as 0:0
    EXPECT_EQ(OptionsWarning(540, 1020, false), "");
    EXPECT_NE(OptionsWarning(1020, 540, false).find("就業時間の終了が開始より前"),
              std::string::npos);
    EXPECT_NE(OptionsWarning(540, 1020, true).find("休憩時間が重なって"), std::string::npos);
}

TEST(SetupOptions, TakenFromAndBackIntoTheSettingsAndTheWorkList) {
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    TDataList list(clock, reporter);
    TInitParam settings;
    settings.SaveWindowPos = true;
    settings.MergeSeconds = 5;
    settings.WorkDayBegin = 540;
    settings.WorkDayEnd = 1020;
    settings.RestTimes = "720:780";
    settings.AwayMinutes = 10;
    settings.NoCountSeconds = 99; // the work list's value is the live one
    list.SetNoCountSeconds(7);
    TSetupOptions options = OptionsFrom(settings, list, true);
    EXPECT_TRUE(options.SaveWindowPos);
    EXPECT_TRUE(options.AppSwitch);
    EXPECT_EQ(options.NoCount, 7);
    EXPECT_EQ(options.MergeLimit, 5);
    EXPECT_EQ(options.RestTimes, "720:780");
    EXPECT_EQ(options.AwayMinutes, 10);

    options.ContinueCategory = true;
    options.MergeLimit = 30;
    options.NoCount = 12;
    options.AwayMinutes = 25;
    options.WorkDayEnd = 1080;
    options.RestTimes = "600:615,720:780";
    TakeBackOptions(options, settings, list);
    EXPECT_TRUE(settings.ContinueCategory);
    EXPECT_TRUE(list.ContinueCategory);
    EXPECT_EQ(settings.MergeSeconds, 30);
    EXPECT_EQ(list.MergeSeconds(), 30);
    EXPECT_EQ(list.NoCountSeconds(), 12);
    EXPECT_EQ(settings.NoCountSeconds, 99); // follows at the end of the program
    EXPECT_EQ(settings.WorkDayEnd, 1080);
    EXPECT_EQ(settings.AwayMinutes, 25);
    EXPECT_EQ(settings.RestTimes, "600:615,720:780");
}

} // namespace
} // namespace zanpel::test
