// The settings dialog on the offscreen platform: the pages filled from the
// options, the commands on both pages, and what "更新(&U)" gives back.
#include "controls/spinbtn.h"
#include "records/clock.h"
#include "records/names.h"
#include "settings/rangegridwidget.h"
#include "settings/setupform.h"
#include "setupdialogfixture.h"
#include "support/fakesetupdialogs.h"
#include "support/testsupport.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

TEST_F(SetupDialog, OpensFilledFromTheOptionsWithTheFocusOnCancel) {
    TSetupForm form(input);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("オプション設定"));
    EXPECT_EQ(form.width(), 471);
    EXPECT_GE(form.height(), 505); // as high as its controls need
    auto* pages = Find<QTabWidget>(form, "PageControl1");
    EXPECT_EQ(pages->tabText(0), QStringLiteral("全般"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("作業項目"));
    EXPECT_TRUE(Find<QCheckBox>(form, "WinPos")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(form, "LastSel")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(form, "DoHide")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(form, "SyncEvents")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(form, "MemoEdit")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(form, "AppSwitch")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(form, "ManualOff")->isChecked());
    EXPECT_EQ(Find<QSpinBox>(form, "NoCount")->value(), 7);
    EXPECT_EQ(Find<QSpinBox>(form, "MergeLimit")->maximum(), 300);
    EXPECT_EQ(Find<QSpinBox>(form, "AwayTime")->value(), 10);
    EXPECT_EQ(EditText(Find<QSpinBox>(form, "WorkBegin")), QStringLiteral("9:00"));
    EXPECT_EQ(EditText(Find<QSpinBox>(form, "WorkEnd")), QStringLiteral("17:30"));
    EXPECT_TRUE(Find<QRadioButton>(form, "CalcTotal")->isChecked());
    auto* rest = Find<QListWidget>(form, "RestList");
    ASSERT_EQ(rest->count(), 2);
    EXPECT_EQ(rest->currentRow(), 0);
    EXPECT_EQ(Find<QLabel>(form, "Label1")->text(), QStringLiteral("休憩: 12:00-13:00"));
    auto* grid = Find<TRangeGrid>(form, "RestRange");
    EXPECT_EQ(grid->Model().ColCount(), 144);
    EXPECT_EQ(Find<QComboBox>(form, "AppHist")->count(), 2);
    EXPECT_FALSE(Find<QCheckBox>(form, "AutoStartCheck")->isVisibleTo(&form)); // no hooks
    EXPECT_TRUE(form.Warning().isEmpty());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(QApplication::focusWidget(), Find<QPushButton>(form, "CancelBtn"));
}

TEST_F(SetupDialog, CtrlTabTurnsThePagesWhereverTheFocusIs) {
    TSetupForm form(input);
    ShowActive(form);
    auto* pages = Find<QTabWidget>(form, "PageControl1");
    auto* cancel = Find<QPushButton>(form, "CancelBtn");
    ASSERT_EQ(QApplication::focusWidget(), cancel);
    QTest::keyClick(cancel, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
    QTest::keyClick(cancel, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(pages->currentIndex(), 0);
    QTest::keyClick(cancel, Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
    // Inside a page the keys turn it once, not twice.
    auto* items = Find<QListWidget>(form, "WorkListBox");
    items->setFocus();
    QTest::keyClick(items, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(SetupDialog, TheAwayTimeIsTypedInTurnAfterTheSwitchingSpins) {
    TSetupForm form(input);
    ShowActive(form);
    Find<QSpinBox>(form, "MergeLimit")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    auto* away = Find<QSpinBox>(form, "AwayTime");
    ASSERT_TRUE(away->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "25");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(Find<QCheckBox>(form, "AppSwitch")->hasFocus());
    EXPECT_EQ(away->value(), 25);
}

// Every control of the first page has at least the height it needs, and
// none covers another: the warning's lines make the dialog grow.
::testing::AssertionResult NothingSqueezed(QWidget& page) {
    const QList<QWidget*> controls = page.findChildren<QWidget*>();
    for (QWidget* w : controls) {
        if (!w->isVisibleTo(&page) || !(qobject_cast<QAbstractButton*>(w) ||
                                        qobject_cast<QLabel*>(w) || qobject_cast<QSpinBox*>(w)))
            continue;
        const int needed =
            w->hasHeightForWidth() ? w->heightForWidth(w->width()) : w->minimumSizeHint().height();
        if (w->height() < needed)
            return ::testing::AssertionFailure() << w->objectName().toStdString() << " is "
                                                 << w->height() << " high, needs " << needed;
        for (QWidget* other : controls)
            if (other != w && other->parentWidget() == w->parentWidget() &&
                other->isVisibleTo(&page) && qobject_cast<QAbstractButton*>(other) &&
                qobject_cast<QAbstractButton*>(w) && other->geometry().intersects(w->geometry()))
                return ::testing::AssertionFailure() << w->objectName().toStdString() << " covers "
                                                     << other->objectName().toStdString();
    }
    return ::testing::AssertionSuccess();
}

TEST_F(SetupDialog, TheWarningGetsRoomOfItsOwn) {
    TSetupForm form(input);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QWidget* page = Find<QWidget>(form, "TabSheet1");
    EXPECT_TRUE(NothingSqueezed(*page));
    const int plain = form.height();
    Find<QSpinBox>(form, "WorkEnd")->setValue(480);     // before the begin at 9:00
    Find<TSpinBtn>(form, "AddRm")->UpButton()->click(); // 12:00-13:00 twice: overlapping
    ASSERT_FALSE(form.Warning().isEmpty());
    QTest::qWait(20);
    EXPECT_GT(form.height(), plain);
    EXPECT_TRUE(NothingSqueezed(*page));
    Find<QSpinBox>(form, "WorkEnd")->setValue(1080);
    Find<TSpinBtn>(form, "AddRm")->DownButton()->click();
    ASSERT_TRUE(form.Warning().isEmpty());
    EXPECT_EQ(form.height(), plain);
}

// A name typed on the item page but not added with "← 更新(&A)" is not lost
// without a word when "更新(&U)" confirms the dialog.
TEST_F(SetupDialog, AnItemTypedButNotAddedIsAskedAboutOnUpdate) {
    FakeSetupDialogs dialogs;
    const auto typeAndUpdate = [&](TSetupForm& form) {
        Find<QLineEdit>(form, "WorkTitle")->setText(QStringLiteral("打合せ"));
        Find<QPushButton>(form, "UpdateBtn")->click();
    };
    {
        TSetupForm form(input, nullptr, &dialogs);
        form.show();
        typeAndUpdate(form); // キャンセル: the dialog stays, with what was typed
        ASSERT_EQ(dialogs.Asked.size(), 1u);
        EXPECT_EQ(dialogs.Asked[0],
                  "作業項目「打合せ」はまだ追加されていません。\r\n追加してから更新しますか？");
        EXPECT_TRUE(form.isVisible());
        EXPECT_NE(form.result(), QDialog::Accepted);
        EXPECT_EQ(Find<QLineEdit>(form, "WorkTitle")->text(), QStringLiteral("打合せ"));
        dialogs.Answer = TAnswer::Yes; // はい: added, then confirmed
        Find<QPushButton>(form, "UpdateBtn")->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        const TAppSwitch& result = form.Result().Definitions;
        ASSERT_EQ(result.Count(), 4);
        EXPECT_EQ(result.Items(3).Name, Sjis("打合せ"));
    }
    {
        dialogs.Answer = TAnswer::No; // いいえ: confirmed without it
        TSetupForm form(input, nullptr, &dialogs);
        typeAndUpdate(form);
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.Result().Definitions.Count(), 3);
    }
    {
        // A change to a selected item is asked about the same way; a
        // selection looked at and left alone is not.
        TSetupForm form(input, nullptr, &dialogs);
        dialogs.Asked.clear();
        Find<QListWidget>(form, "WorkListBox")->setCurrentRow(0);
        Find<QPushButton>(form, "UpdateBtn")->click();
        EXPECT_TRUE(dialogs.Asked.empty());
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    {
        TSetupForm form(input, nullptr, &dialogs);
        Find<QListWidget>(form, "WorkListBox")->setCurrentRow(0);
        Find<QPlainTextEdit>(form, "AppList")->setPlainText(QStringLiteral("outlook.exe/\nmutt/"));
        dialogs.Answer = TAnswer::Yes;
        Find<QPushButton>(form, "UpdateBtn")->click();
        ASSERT_EQ(dialogs.Asked.size(), 1u);
        EXPECT_EQ(dialogs.Asked[0],
                  "作業項目「会議」の変更はまだ反映されていません。\r\n反映してから更新しますか？");
        EXPECT_EQ(form.Result().Definitions.Items(0).Rules.size(), 2u);
    }
}

TEST_F(SetupDialog, TheComputerOnRecordsNameIsRefusedWithAMessage) {
    FakeSetupDialogs dialogs;
    TSetupForm form(input, nullptr, &dialogs);
    form.show();
    Find<QLineEdit>(form, "WorkTitle")->setText(QStringLiteral("%LOGIN%"));
    Find<QPushButton>(form, "AddBtn")->click();
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_NE(dialogs.Errors[0].find("%LOGIN%"), std::string::npos);
    EXPECT_EQ(Find<QListWidget>(form, "WorkListBox")->count(), 3);
    // Still typed at 更新(&U): asked about; はい shows the refusal and the
    // dialog stays, いいえ confirms without it.
    dialogs.Answer = TAnswer::Yes;
    Find<QPushButton>(form, "UpdateBtn")->click();
    EXPECT_EQ(dialogs.Asked.size(), 1u);
    EXPECT_EQ(dialogs.Errors.size(), 2u);
    EXPECT_TRUE(form.isVisible());
    dialogs.Answer = TAnswer::No;
    Find<QPushButton>(form, "UpdateBtn")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(form.Result().Definitions.IndexOf(LoginName), -1);
}

TEST_F(SetupDialog, UpdateGivesBackWhatThePagesHold) {
    bool autostart = true;
    input.IsAutostartOn = [&] { return autostart; };
    input.SetAutostart = [](bool) { return std::string(); };
    TSetupForm form(input);
    auto* autostartCheck = Find<QCheckBox>(form, "AutoStartCheck");
    EXPECT_TRUE(autostartCheck->isVisibleTo(&form));
    EXPECT_TRUE(autostartCheck->isChecked());
    autostartCheck->setChecked(false);
    Find<QCheckBox>(form, "WorkCont")->setChecked(true);
    Find<QRadioButton>(form, "CalcDay")->setChecked(true);
    Find<QSpinBox>(form, "MergeLimit")->setValue(30);
    Find<QSpinBox>(form, "AwayTime")->setValue(0);
    Find<QSpinBox>(form, "WorkEnd")->setValue(1080);
    auto* rest = Find<QListWidget>(form, "RestList");
    rest->setCurrentRow(1);
    Find<TSpinBtn>(form, "AddRm")->DownButton()->click(); // 900:910 goes
    Find<QPushButton>(form, "UpdateBtn")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    const TSetupResult& r = form.Result();
    EXPECT_TRUE(r.Options.ContinueCategory);
    EXPECT_EQ(r.Options.OvertimeCalc, 0);
    EXPECT_EQ(r.Options.MergeLimit, 30);
    EXPECT_EQ(r.Options.AwayMinutes, 0);
    EXPECT_EQ(r.Options.WorkDayEnd, 1080);
    EXPECT_EQ(r.Options.RestTimes, "720:780");
    EXPECT_TRUE(r.Options.SaveWindowPos);
    EXPECT_EQ(r.AutoStart, std::optional(false));
    EXPECT_EQ(r.Definitions.Count(), 3);
}

TEST_F(SetupDialog, RestPeriodsAreAddedInOrderAndAdjustedByTheMinute) {
    input.Options.RestTimes = "";
    TSetupForm form(input);
    auto* rest = Find<QListWidget>(form, "RestList");
    auto* label = Find<QLabel>(form, "Label1");
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 14:23-14:33")); // none: the current minute
    auto* grid = Find<TRangeGrid>(form, "RestRange");
    auto* addRm = Find<TSpinBtn>(form, "AddRm");
    grid->SetBeginTime(720);
    grid->SetEndTime(780);
    addRm->UpButton()->click();
    grid->SetBeginTime(600);
    grid->SetEndTime(615);
    addRm->UpButton()->click();
    ASSERT_EQ(rest->count(), 2);
    EXPECT_EQ(rest->item(0)->text(), QStringLiteral("10:00-10:15"));
    EXPECT_EQ(rest->item(1)->text(), QStringLiteral("12:00-13:00"));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    for (const int row : {0, 1}) // whole, not cut by the list's edge
        EXPECT_LE(rest->fontMetrics().horizontalAdvance(rest->item(row)->text()),
                  rest->viewport()->width());
    EXPECT_EQ(rest->currentRow(), 0);
    auto* adjust = Find<TSpinBtn>(form, "TimeAdjust");
    adjust->UpButton()->click();
    adjust->DownButton()->click();
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 10:01-10:14"));
    rest->setCurrentRow(1);
    addRm->DownButton()->click(); // the last one went: none selected
    EXPECT_EQ(rest->currentRow(), -1);
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 14:23-14:33"));
    addRm->DownButton()->click(); // nothing selected: nothing goes
    EXPECT_EQ(rest->count(), 1);
}

TEST_F(SetupDialog, ARestPeriodIsPickedWithTheKeyboardAndTheLabelFollows) {
    TSetupForm form(input);
    ShowActive(form);
    auto* grid = Find<TRangeGrid>(form, "RestRange");
    auto* label = Find<QLabel>(form, "Label1");
    grid->setFocus(); // 12:00-13:00 of the first rest period
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 13:00-13:10"));
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 13:00-13:30"));
    QTest::keyClick(grid, Qt::Key_Home);
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 00:00-00:10"));
    QTest::keyClick(grid, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(label->text(), QStringLiteral("休憩: 00:00-24:00"));
    EXPECT_EQ(QApplication::focusWidget(), grid); // the keys stayed in the grid
}

TEST_F(SetupDialog, ValuesTheSummaryCannotCountRightAreShownNotRefused) {
    input.Options.RestTimes = "720:780,750:800";
    input.Options.WorkDayEnd = 480;
    TSetupForm form(input);
    const QString warning = form.Warning();
    EXPECT_TRUE(warning.contains(QStringLiteral("終了が開始より前")));
    EXPECT_TRUE(warning.contains(QStringLiteral("休憩時間が重なって")));
    auto* rest = Find<QListWidget>(form, "RestList");
    EXPECT_EQ(rest->item(0)->foreground().color(), QColor(Qt::red));
    Find<QSpinBox>(form, "WorkEnd")->setValue(1020);
    rest->setCurrentRow(1);
    Find<TSpinBtn>(form, "AddRm")->DownButton()->click();
    EXPECT_TRUE(form.Warning().isEmpty());
    Find<QPushButton>(form, "UpdateBtn")->click();
    EXPECT_EQ(form.Result().Options.RestTimes, "720:780");
}

TEST_F(SetupDialog, ALineUnderTheRulesSaysHowTheyAreWritten) {
    TSetupForm form(input);
    Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* hint = Find<QLabel>(form, "AppListHint");
    EXPECT_TRUE(hint->text().startsWith(QStringLiteral("プログラム名/タイトル")));
    EXPECT_TRUE(hint->text().contains(QStringLiteral("xterm/")));
    EXPECT_LE(hint->sizeHint().width(), hint->width());               // one line, whole
    EXPECT_GT(hint->y(), Find<QPlainTextEdit>(form, "AppList")->y()); // under the rule list
}

TEST_F(SetupDialog, WorkItemsAreEditedInTheCopyAndTheRestItemStays) {
    TSetupForm form(input);
    auto* list = Find<QListWidget>(form, "WorkListBox");
    auto* del = Find<QPushButton>(form, "DelBtn");
    EXPECT_FALSE(del->isEnabled());
    list->setCurrentRow(0);
    EXPECT_EQ(Find<QLineEdit>(form, "WorkTitle")->text(), QStringLiteral("会議"));
    EXPECT_EQ(Find<QPlainTextEdit>(form, "TaskMemo")->toPlainText(), QStringLiteral("議事録"));
    EXPECT_EQ(Find<QPlainTextEdit>(form, "AppList")->toPlainText(), QStringLiteral("outlook.exe/"));
    EXPECT_TRUE(Find<QCheckBox>(form, "AutoSwCheck")->isChecked());
    EXPECT_FALSE(Find<QPushButton>(form, "UpBtn")->isEnabled());
    CtrlKey(list, Qt::Key_Down);
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("会議"));
    EXPECT_EQ(list->currentRow(), 1);
    list->setCurrentRow(2);
    EXPECT_FALSE(del->isEnabled());
    CtrlKey(list, Qt::Key_Delete); // consumed, nothing deleted
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("休憩"));
    list->setCurrentRow(0);
    del->click();
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentRow(), -1);
    EXPECT_EQ(definitions.Count(), 3); // only the copy changed

    Find<QPushButton>(form, "EraseBtn")->click();
    EXPECT_TRUE(Find<QLineEdit>(form, "WorkTitle")->text().isEmpty());
    Find<QPlainTextEdit>(form, "AppList")->setPlainText(QStringLiteral("outlook.exe/"));
    auto* history = Find<QComboBox>(form, "AppHist");
    emit history->activated(1);
    EXPECT_EQ(Find<QPlainTextEdit>(form, "AppList")->toPlainText(),
              QStringLiteral("outlook.exe/\nxterm/bash"));
    Find<QPushButton>(form, "AddBtn")->click(); // an empty title: the ignore list
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("-【APP無視リスト】-"));
    Find<QPushButton>(form, "UpdateBtn")->click();
    const TAppSwitch& result = form.Result().Definitions;
    ASSERT_EQ(result.Count(), 3);
    EXPECT_EQ(result.Items(2).Name, "");
    EXPECT_EQ(result.Items(2).Rules.size(), 2u);
}

} // namespace
} // namespace zanpel::test
