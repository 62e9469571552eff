#include "reports/taskdlg.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace zanpel {
namespace {

using test::Sjis;

TEST(MemoDialog, RegisterAddsANewCategoryUnlessPresentInAnyCase) {
    TTaskDlg dlg;
    dlg.SetCategoryList(Sjis("設計,Review"));
    dlg.SetCategory(Sjis("試験"));
    dlg.SetMemo(Sjis("一行目\r\n二行目"));
    dlg.findChild<QPushButton*>("EnterBtn")->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.CategoryList(), Sjis("設計,Review,試験"));
    EXPECT_EQ(dlg.Category(), Sjis("試験"));
    EXPECT_EQ(dlg.Memo(), Sjis("一行目\r\n二行目"));

    TTaskDlg again;
    again.SetCategoryList(Sjis("設計,Review"));
    again.SetCategory("REVIEW");
    again.EnterBtnClick();
    EXPECT_EQ(again.CategoryList(), Sjis("設計,Review"));
}

TEST(MemoDialog, EnterAndEscapeKeepItOpenAndCancelDropsTheResult) {
    TTaskDlg dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("個別作業メモ"));
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    auto* memo = dlg.findChild<QPlainTextEdit*>("Memo1");
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(&dlg, Qt::Key_Escape);
    QTest::keyClick(dlg.findChild<QComboBox*>("ThemeList"), Qt::Key_Enter);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.findChild<QComboBox*>("ThemeList")->count(), 0); // Enter added nothing
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("\n"));          // Return is a line break
    dlg.findChild<QPushButton*>("CancelBtn")->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

TEST(MemoDialog, TabMovesOnFromTheMemoInsteadOfTypingATab) {
    TTaskDlg dlg;
    dlg.SetMemo("one");
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    auto* memo = dlg.findChild<QPlainTextEdit*>("Memo1");
    dlg.findChild<QComboBox*>("ThemeList")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), memo);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "two");
    EXPECT_EQ(dlg.Memo(), "one");
    EXPECT_NE(QApplication::focusWidget(), memo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), memo);
}

TEST(MemoDialog, OpensCentredOnTheScreenNotOverTheBar) {
    QWidget bar;
    const QRect screen = bar.screen()->availableGeometry();
    bar.setGeometry(screen.right() - 165, screen.top(), 165, screen.height());
    bar.show();
    TTaskDlg dialog(&bar);
    dialog.show();
    QTest::qWait(50);
    const QPoint centre = dialog.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - screen.center().x()), 2);
    EXPECT_LE(std::abs(centre.y() - screen.center().y()), 2);
}

} // namespace
} // namespace zanpel
