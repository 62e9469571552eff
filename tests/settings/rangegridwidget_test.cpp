// The time range grid on the offscreen platform: the mouse on the grid.
#include "settings/rangegridwidget.h"

#include <QTest>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

TEST(RangeGridWidget, TheMouseOnTheTimeRowPicksWholeCells) {
    TRangeGrid grid;
    grid.resize(400, grid.sizeHint().height());
    grid.SetTimeUnit(10);
    grid.SetMaxRange(1440);
    grid.SetBeginTime(700);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    int raised = 0;
    QObject::connect(&grid, &TRangeGrid::SelectTime, [&] { ++raised; });
    QWidget* view = grid.viewport();
    const auto at = [&](int col, bool timeRow = true) {
        return QPoint(grid.ColumnLeft(col) + 5, timeRow ? grid.RowHeight() + 4 : 4);
    };
    QTest::mousePress(view, Qt::RightButton, Qt::NoModifier, at(72));
    QTest::mouseRelease(view, Qt::RightButton, Qt::NoModifier, at(72));
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at(72, false)); // the hour scale
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at(72, false));
    EXPECT_EQ(raised, 0);
    EXPECT_EQ(grid.BeginTime(), 700);
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, at(72));
    EXPECT_EQ(grid.BeginTime(), 720);
    EXPECT_EQ(grid.EndTime(), 730);
    for (int col = 73; col <= 77; ++col)
        QTest::mouseMove(view, at(col));
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, at(77));
    EXPECT_EQ(grid.BeginTime(), 720);
    EXPECT_EQ(grid.EndTime(), 780);
    EXPECT_EQ(raised, 6);
    EXPECT_FALSE(grid.Model().Dragging());
}

} // namespace
} // namespace zanpel::test
