// The record editor and the work registration dialog on the offscreen
// platform, with their inner dialogs answered by the test.
#include "records/clock.h"
#include "reports/timeedit.h"
#include "reports/workdefine.h"
#include "settings/rangegridwidget.h"
#include "support/faketimeeditdialogs.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

class EditorWindow : public ::testing::Test {
protected:
    EditorWindow() : model(Request(), clock), editor(model, dialogs) {
        list = editor.findChild<QTableView*>("ListView");
    }
    TRecordEditRequest Request() const {
        TWorkInfo record{EncodeDate(2005, 3, 1), Sjis("設計"), Sjis("標準"), 0, {}};
        record.Periods = {{Sjis("基本設計"), "", 9 * 3600, 10 * 3600},
                          {"", "", 10 * 3600 + 1800, 11 * 3600},
                          {Sjis("詳細設計"), Sjis("帳票"), 13 * 3600, 14 * 3600}};
        return {record, Sjis("基本設計,詳細設計"), false, &clock};
    }
    QString Cell(int row, int column) const {
        return list->model()->index(row, column).data().toString();
    }
    void SelectRows(std::initializer_list<int> rows) {
        list->clearSelection();
        for (const int row : rows)
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QString Total() const { return editor.findChild<QLineEdit*>("Total")->text(); }

    FixedClock clock{EncodeDate(2005, 3, 1), 16 * 3600};
    FakeTimeEditDialogs dialogs;
    TTimeEditModel model;
    TTimeEdit editor;
    QTableView* list = nullptr;
};

TEST_F(EditorWindow, ShowsTheRecordWithItsColumnsAndMenuKeys) {
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("【設計】のメモ編集"));
    EXPECT_EQ(editor.size(), QSize(444, 356));
    ASSERT_EQ(list->model()->rowCount(), 3);
    EXPECT_EQ(list->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("メモ"));
    EXPECT_EQ(list->columnWidth(3), 120);
    EXPECT_EQ(Cell(1, 3), QStringLiteral("(*設計*)"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("01:00"));
    EXPECT_EQ(Total(), QStringLiteral("02:30:00"));
    EXPECT_EQ(editor.findChild<QPlainTextEdit*>("Memo")->toPlainText(), QStringLiteral("標準"));
    EXPECT_EQ(editor.EditAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(editor.DeleteAction()->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(editor.NewAction()->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(editor.NewAction()->text(), QStringLiteral("新規(&N)"));
    auto* edit = editor.findChild<QPushButton*>("EditBtn");
    EXPECT_FALSE(edit->isEnabled());
    SelectRows({1});
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(editor.SelectedPeriodIndex(), 1);
}

TEST_F(EditorWindow, TabLeavesThePeriodListAndArrowsMoveWithinIt) {
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&editor));
    list->setFocus();
    SelectRows({0});
    list->setCurrentIndex(list->model()->index(0, 0));
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(editor.SelectedRows(), std::vector<int>{1});
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), list);
    EXPECT_EQ(editor.SelectedRows(), std::vector<int>{1}); // Tab selected nothing on its way
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), list);
    EXPECT_EQ(editor.SelectedRows(), std::vector<int>{1});
}

TEST_F(EditorWindow, DelWithTwoRowsDeletesOnlyTheUpperOneAfterAsking) {
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    SelectRows({2, 0});
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(dialogs.Asked.size(), 1u);
    EXPECT_EQ(dialogs.Asked[0], "基本設計 (09:00:00-10:00:00) を削除します\r\nよろしいですか？");
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("10:30:00"));
    EXPECT_EQ(Total(), QStringLiteral("01:30:00"));
    dialogs.Yes = false;
    SelectRows({0});
    editor.Delete1Click();
    EXPECT_EQ(list->model()->rowCount(), 2); // answered No
}

TEST_F(EditorWindow, TheMemoDialogSetsTheSelectedPeriods) {
    dialogs.Memo =
        TPeriodMemoResult{Sjis("レビュー"), Sjis("指摘"), true, Sjis("基本設計,詳細設計,レビュー")};
    SelectRows({0, 1, 2});
    editor.EditBtnClick();
    ASSERT_EQ(dialogs.MemoRequests.size(), 1u);
    EXPECT_TRUE(dialogs.MemoRequests[0].MemoCheckVisible);
    EXPECT_EQ(Cell(1, 3), QStringLiteral("レビュー"));
    EXPECT_EQ(Cell(0, 4), QStringLiteral("指摘"));
    EXPECT_EQ(Cell(2, 4), QStringLiteral("帳票"));
    EXPECT_THAT(editor.SelectedRows(), ElementsAre(0, 1, 2)); // still selected
    EXPECT_EQ(model.Categories, Sjis("基本設計,詳細設計,レビュー"));
}

TEST_F(EditorWindow, NewAddsAPeriodInOrderAndCancelStillDropsEverything) {
    dialogs.New = TNewPeriod{12 * 60, 12 * 60 + 30, Sjis("打合せ"), ""};
    editor.N_NewClick();
    ASSERT_EQ(list->model()->rowCount(), 4);
    EXPECT_EQ(Cell(2, 0), QStringLiteral("12:00:00"));
    EXPECT_EQ(editor.SelectedPeriodIndex(), 2);
    EXPECT_EQ(Total(), QStringLiteral("03:00:00"));
    ASSERT_EQ(dialogs.NewRequests.size(), 1u);
    EXPECT_EQ(dialogs.NewRequests[0].NowMinute, 16 * 60);
    editor.findChild<QPlainTextEdit*>("Memo")->setPlainText(QStringLiteral("  新しい標準\n"));
    editor.findChild<QPushButton*>("CancelBtn")->click();
    EXPECT_EQ(editor.result(), QDialog::Rejected);
    EXPECT_EQ(model.Result().Record.Memo, Sjis("新しい標準")); // the caller drops it
}

TEST(WorkRegistration, RefusesUntilARangeIsChosenAndThenGivesItBack) {
    std::vector<std::pair<int, int>> checked;
    TNewPeriodRequest request{Sjis("議事録,準備"), 14 * 60, [&](int b, int e) {
                                  checked.emplace_back(b, e);
                                  return b < 0 ? std::string("開始-終了の時間帯を選んでください。")
                                               : std::string();
                              }};
    TWorkDefine dialog(request);
    QStringList refusals;
    dialog.ShowRefusal = [&](const QString& text) { refusals << text; };
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("作業登録"));
    EXPECT_EQ(dialog.size(), QSize(377, 232));
    TRangeGrid* grid = dialog.RangeGrid();
    EXPECT_EQ(grid->Model().TimeUnit(), 15);
    EXPECT_EQ(grid->BeginTime(), -15);
    EXPECT_EQ(grid->EndTime(), 0);
    EXPECT_GT(grid->Model().LeftCol(), 30); // opened near two in the afternoon
    EXPECT_EQ(dialog.findChild<QComboBox*>("ThemeList")->count(), 2);
    dialog.EnterBtnClick();
    EXPECT_EQ(refusals.size(), 1);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    grid->SetBeginTime(13 * 60);
    grid->SetEndTime(13 * 60 + 45);
    dialog.findChild<QComboBox*>("ThemeList")->setEditText(QStringLiteral("準備"));
    dialog.findChild<QPlainTextEdit*>("Memo1")->setPlainText(QStringLiteral("資料"));
    dialog.EnterBtnClick();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const TNewPeriod period = dialog.Period();
    EXPECT_EQ(period.BeginMinute, 780);
    EXPECT_EQ(period.EndMinute, 825);
    EXPECT_EQ(period.Category, Sjis("準備"));
    EXPECT_EQ(period.Memo, Sjis("資料"));
    EXPECT_THAT(checked, ElementsAre(std::pair(-15, 0), std::pair(780, 825)));
}

// The editor and the registration dialog open in the middle of the screen,
// not over the bar and the item that runs there; the registration's grid
// shows the hours before now, where a missed period lies.
TEST(RecordDialogs, OpenCentredAndTheGridShowsTheHoursBeforeNow) {
    QWidget bar;
    const QRect screen = bar.screen()->availableGeometry();
    bar.setGeometry(screen.right() - 165, screen.top(), 165, screen.height());
    bar.show();
    FixedClock clock{EncodeDate(2005, 3, 1), 14 * 3600};
    TTimeEditModel model({TWorkInfo{EncodeDate(2005, 3, 1), "a", "", 0, {}}, "", false, &clock},
                         clock);
    FakeTimeEditDialogs dialogs;
    TTimeEdit editor(model, dialogs, &bar);
    TWorkDefine registration(TNewPeriodRequest{"", 14 * 60, {}}, &bar);
    for (QDialog* dialog : {static_cast<QDialog*>(&editor), static_cast<QDialog*>(&registration)}) {
        dialog->show();
        QTest::qWait(50);
        const QPoint centre = dialog->frameGeometry().center();
        EXPECT_LE(std::abs(centre.x() - screen.center().x()), 2)
            << dialog->objectName().toStdString();
        EXPECT_LE(std::abs(centre.y() - screen.center().y()), 2)
            << dialog->objectName().toStdString();
    }
    TRangeGrid* grid = registration.RangeGrid();
    const int nowColumn = 14 * 60 / 15;
    const int shown = grid->viewport()->width() / (grid->ColWidth() + 1);
    EXPECT_EQ(grid->Model().LeftCol(), nowColumn - shown + 2); // now and a quarter after it
    EXPECT_LE(grid->Model().LeftCol() * 15, 14 * 60 - 60);     // at least an hour before now
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(registration.findChild<QLabel*>("RangeLabel")->text(), QStringLiteral("13:30-14:00"));
}

} // namespace
} // namespace zanpel::test
