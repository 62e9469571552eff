// The switch history window of the bar: opened from the panel menu, it shows
// the log, follows new switches and is used from the keyboard.
#include "app/switchhistory.h"
#include "barwindowfixture.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>
#include <QTest>

#include <gmock/gmock.h>

#include <algorithm>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

TSwitchEntry RuleSwitch(int n) {
    return {
        EncodeDate(2005, 3, 1),      9 * 3600 + n, TSwitchCause::Rule, "a", 0, "editor:", "editor",
        "title " + std::to_string(n)};
}

QString Cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

TEST_F(BarWindow, TheSwitchHistoryOpensFromThePanelMenuAndFollowsNewSwitches) {
    const std::vector<std::string> menu = Entries(form->Actions().PanelPopup);
    const auto report = std::find(menu.begin(), menu.end(), "レポート(&R)");
    ASSERT_NE(report, menu.end());
    EXPECT_EQ(*(report + 1), "切換え履歴(&H)");

    form->SwitchLog().Add(RuleSwitch(1));
    form->SwitchLog().Add(RuleSwitch(2));
    form->Actions().SwitchHistoryAction->trigger();
    TSwitchHistory* window = form->SwitchHistory();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->windowTitle(), "切換え履歴");
    QTableView* table = window->Table();
    std::vector<QString> headers;
    for (int column = 0; column < table->model()->columnCount(); ++column)
        headers.push_back(table->model()->headerData(column, Qt::Horizontal).toString());
    EXPECT_THAT(headers, ElementsAre("時刻", "作業項目", "理由", "プログラム", "ウィンドウ名"));
    ASSERT_EQ(table->model()->rowCount(), 2);
    EXPECT_EQ(Cell(table, 1, 0), "2005-03-01 09:00:02");
    EXPECT_EQ(Cell(table, 1, 2), "規則 1「editor:」");
    EXPECT_EQ(Cell(table, 1, 4), "title 2");
    EXPECT_EQ(table->currentIndex().row(), 1);
    EXPECT_TRUE(table->hasFocus());

    // A switch of the bar while the window is open: the newest row follows.
    form->Timing().PressItemByName("b");
    ASSERT_EQ(table->model()->rowCount(), 3);
    EXPECT_EQ(Cell(table, 2, 1), "b");
    EXPECT_EQ(Cell(table, 2, 2), "zanpel の起動で指定");
    EXPECT_EQ(table->currentIndex().row(), 2);

    // Reading an older row, the place is kept; the oldest rows go past 200.
    QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(table->currentIndex().row(), 0);
    for (int n = 3; n < 210; ++n)
        form->SwitchLog().Add(RuleSwitch(n));
    EXPECT_EQ(table->model()->rowCount(), 200);
    EXPECT_EQ(Cell(table, 199, 4), "title 209");
    EXPECT_EQ(table->currentIndex().row(), 0);
    EXPECT_EQ(Cell(table, 0, 4), "title 10");

    QTest::keyClick(table, Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    form->Actions().SwitchHistoryAction->trigger();
    EXPECT_EQ(form->SwitchHistory(), window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(table->currentIndex().row(), 199);
}

} // namespace
} // namespace zanpel::test
