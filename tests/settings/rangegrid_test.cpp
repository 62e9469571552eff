// The time range grid's rules without a display: units, columns, the
// begin-before-end pushes, the scroll rule, the mouse and partial cells.
#include "settings/rangegrid.h"

#include <gtest/gtest.h>

#include <random>

namespace zanpel::test {
namespace {

TRangeGridModel WholeDay(int unit) {
    TRangeGridModel grid;
    grid.SetTimeUnit(unit);
    grid.SetMaxRange(1440);
    grid.SetVisibleColCount(20);
    return grid;
}

TEST(RangeGrid, UnitsRoundUpToDivisorsOfAnHourAndSetTheColumns) {
    TRangeGridModel grid;
    EXPECT_EQ(grid.TimeUnit(), 15);
    EXPECT_EQ(grid.ColCount(), 1); // no range yet
    grid.SetMaxRange(1440);
    grid.SetTimeUnit(10);
    EXPECT_EQ(grid.ColCount(), 144);
    grid.SetTimeUnit(15);
    EXPECT_EQ(grid.ColCount(), 96);
    for (const auto& [asked, taken] : {std::pair{7, 8}, {25, 30}, {45, 60}, {1, 1}, {60, 60}}) {
        grid.SetTimeUnit(asked);
        EXPECT_EQ(grid.TimeUnit(), taken) << asked;
        EXPECT_EQ(grid.ColCount(), 1440 / taken) << asked;
    }
    grid.SetTimeUnit(0);
    grid.SetTimeUnit(61);
    EXPECT_EQ(grid.TimeUnit(), 60);
    grid.SetMaxRange(12); // too short to be a strip
    EXPECT_EQ(grid.MaxRange(), 1440);
    grid.SetMaxRange(13);
    EXPECT_EQ(grid.MaxRange(), 13);
    EXPECT_EQ(grid.ColCount(), 1); // 13 div 60, at least one
}

TEST(RangeGrid, TheBeginStaysBeforeTheEndBySettingEither) {
    TRangeGridModel grid = WholeDay(10);
    grid.SetBeginTime(760);
    grid.SetEndTime(770);
    grid.SetBeginTime(780); // past the end: the end follows
    EXPECT_EQ(grid.BeginTime(), 780);
    EXPECT_EQ(grid.EndTime(), 790);
    grid.SetBeginTime(710);
    grid.SetEndTime(700); // before the begin: the begin follows
    EXPECT_EQ(grid.BeginTime(), 690);
    EXPECT_EQ(grid.EndTime(), 700);
    EXPECT_EQ(grid.SelectionFirst(), 69);
    EXPECT_EQ(grid.SelectionLast(), 69);
}

TEST(RangeGrid, SettingTheBeginScrollsItAboutAnHourFromTheLeftEdge) {
    TRangeGridModel grid = WholeDay(10); // 20 columns visible, 6 an hour
    grid.SetBeginTime(30);
    EXPECT_EQ(grid.LeftCol(), 0); // within the first hour
    grid.SetBeginTime(720);
    EXPECT_EQ(grid.LeftCol(), 66); // was out of view to the right
    grid.SetBeginTime(800);        // column 80 is the last one an hour from the right edge
    EXPECT_EQ(grid.LeftCol(), 66);
    grid.SetBeginTime(810); // beyond it
    EXPECT_EQ(grid.LeftCol(), 75);
    grid.SetBeginTime(850); // column 85, well in view: no scroll
    EXPECT_EQ(grid.LeftCol(), 75);
    grid.SetBeginTime(600); // column 60 is left of the view
    EXPECT_EQ(grid.LeftCol(), 54);
    grid.SetBeginTime(1430); // near the end: as far as the strip goes
    EXPECT_EQ(grid.LeftCol(), 124);
    // A passing wide size (while a dialog is laid out) does not lose the place.
    grid.SetBeginTime(720);
    grid.SetVisibleColCount(96);
    EXPECT_EQ(grid.LeftCol(), 48);
    grid.SetVisibleColCount(20);
    EXPECT_EQ(grid.LeftCol(), 66);
}

TEST(RangeGrid, APressAndDragPicksWholeCellsEitherWay) {
    TRangeGridModel grid = WholeDay(10);
    int raised = 0;
    grid.OnSelectTime = [&] { ++raised; };
    grid.MouseDown(72); // 12:00
    EXPECT_TRUE(grid.Dragging());
    EXPECT_EQ(grid.BeginTime(), 720);
    EXPECT_EQ(grid.EndTime(), 730);
    for (int col = 73; col <= 77; ++col)
        grid.MouseMove(col);
    EXPECT_EQ(grid.BeginTime(), 720);
    EXPECT_EQ(grid.EndTime(), 780);
    EXPECT_EQ(raised, 6); // the press and every move
    grid.MouseMove(70);   // back past the anchor: 11:40 up to 12:10
    EXPECT_EQ(grid.BeginTime(), 700);
    EXPECT_EQ(grid.EndTime(), 730);
    grid.MouseUp();
    grid.MouseMove(90); // no longer dragging
    EXPECT_EQ(grid.EndTime(), 730);
    EXPECT_EQ(raised, 7);
    grid.SetBeginTime(0); // the setters raise nothing
    EXPECT_EQ(raised, 7);
}

TEST(RangeGrid, ARangeOffTheCellEdgesHighlightsPartsOfItsEndCells) {
    TRangeGridModel grid = WholeDay(10);
    grid.SetBeginTime(725);
    grid.SetEndTime(777);
    EXPECT_EQ(grid.SelectionFirst(), 72);
    EXPECT_EQ(grid.SelectionLast(), 77);
    const TCellHighlight begin = grid.Highlight(72, 15);
    EXPECT_EQ(begin.Covered, TCellHighlight::Part);
    EXPECT_EQ(begin.Left, 7); // from the middle
    EXPECT_EQ(begin.Right, 15);
    const TCellHighlight end = grid.Highlight(77, 15);
    EXPECT_EQ(end.Left, 0);
    EXPECT_EQ(end.Right, 11); // seven tenths, rounded down to whole pixels
    EXPECT_EQ(grid.Highlight(74, 15).Covered, TCellHighlight::Whole);
    EXPECT_EQ(grid.Highlight(71, 15).Covered, TCellHighlight::None);
    EXPECT_EQ(grid.Highlight(78, 15).Covered, TCellHighlight::None);
    // The work registration dialog opens with -15..0: nothing to see.
    TRangeGridModel none = WholeDay(15);
    none.SetBeginTime(-15);
    none.SetEndTime(0);
    EXPECT_EQ(none.Highlight(0, 15).Covered, TCellHighlight::None);
}

TEST(RangeGrid, TheKeyboardMovesACursorAndShiftStretchesTheRangeFromWhereItBegan) {
    TRangeGridModel grid = WholeDay(10);
    int raised = 0;
    grid.OnSelectTime = [&] { ++raised; };
    grid.SetBeginTime(720); // a rest period 12:00-13:00, the cursor at its end
    grid.SetEndTime(780);
    using Key = TRangeGridModel::Key;
    const auto range = [&] { return std::pair{grid.BeginTime(), grid.EndTime()}; };
    grid.KeyPress(Key::Right, false);
    EXPECT_EQ(range(), std::pair(780, 790));
    grid.KeyPress(Key::Right, true);
    grid.KeyPress(Key::Right, true);
    EXPECT_EQ(range(), std::pair(780, 810));
    grid.KeyPress(Key::Left, true);
    grid.KeyPress(Key::Left, true);
    grid.KeyPress(Key::Left, true); // past the anchor: the range turns round it
    EXPECT_EQ(range(), std::pair(770, 790));
    grid.KeyPress(Key::HourLeft, false);
    EXPECT_EQ(range(), std::pair(710, 720));
    grid.KeyPress(Key::First, false);
    grid.KeyPress(Key::Left, false); // stays on the strip
    EXPECT_EQ(range(), std::pair(0, 10));
    EXPECT_EQ(grid.LeftCol(), 0);
    grid.KeyPress(Key::Last, true);
    EXPECT_EQ(range(), std::pair(0, 1440));
    EXPECT_EQ(grid.LeftCol(), 144 - 20); // the cursor in view
    EXPECT_EQ(raised, 10);
    // The mouse's cells are where the keyboard goes on from.
    grid.MouseDown(50);
    grid.MouseMove(52);
    grid.MouseUp();
    grid.KeyPress(Key::Right, true);
    EXPECT_EQ(range(), std::pair(500, 540));
}

TEST(RangeGrid, WithNothingSelectedTheFirstKeyTakesTheCursorsColumn) {
    TRangeGridModel grid = WholeDay(15);
    grid.SetBeginTime(-15);
    grid.SetEndTime(0);
    grid.SetCursorColumn(55); // 13:45, the quarter before now
    grid.KeyPress(TRangeGridModel::Key::Right, true);
    EXPECT_EQ(grid.BeginTime(), 825);
    EXPECT_EQ(grid.EndTime(), 840);
}

TEST(RangeGrid, AnyMixOfKeysMouseAndSettersKeepsAWholeRangeAroundTheCursorInView) {
    std::mt19937 random(8);
    for (const int unit : {10, 15, 30}) {
        TRangeGridModel grid = WholeDay(unit);
        for (int step = 0; step < 3000; ++step) {
            const int what = static_cast<int>(random() % 10);
            const int col =
                static_cast<int>(random() % static_cast<unsigned>(grid.ColCount() + 4)) - 2;
            if (what < 6) {
                grid.KeyPress(static_cast<TRangeGridModel::Key>(random() % 6), random() % 2 == 0);
                ASSERT_EQ(grid.BeginTime() % unit, 0);
                ASSERT_EQ(grid.EndTime() % unit, 0);
                ASSERT_GE(grid.CursorColumn(), grid.LeftCol());
                ASSERT_LT(grid.CursorColumn(), grid.LeftCol() + grid.VisibleColCount());
                ASSERT_TRUE(grid.IsSelected(grid.CursorColumn()));
            } else if (what < 8) {
                grid.MouseDown(col);
                grid.MouseMove(col + static_cast<int>(random() % 9) - 4);
                grid.MouseUp();
            } else {
                grid.SetBeginTime(col * unit + static_cast<int>(random() % 7));
                grid.SetEndTime(grid.BeginTime() + static_cast<int>(random() % 200));
            }
            ASSERT_LT(grid.BeginTime(), grid.EndTime());
            ASSERT_GE(grid.CursorColumn(), 0);
            ASSERT_LT(grid.CursorColumn(), grid.ColCount());
        }
    }
}

} // namespace
} // namespace zanpel::test
