// The bar window on the offscreen platform: menus, hiding, dragging.
#include "app/aboutbox.h"
#include "app/messagebox.h"
#include "app/programicon.h"
#include "app/version.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "barwindowfixture.h"
#include "controls/bevellabel.h"
#include "controls/qcp932.h"
#include "records/datalist.h"
#include "records/names.h"
#include "settings/initparam.h"
#include "settings/setupform.h"
#include "support/testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

TEST_F(BarWindow, StartsDockedRightWithTheDefaultsAndTheDateCaption) {
    EXPECT_EQ(form->Align(), edRight);
    EXPECT_EQ(form->geometry(), QRect(Screen().right() + 1 - 165, 0, 165, Screen().height()));
    EXPECT_EQ(form->WorkButtons().ButtonCount(), 3);
    EXPECT_EQ(form->WorkButtons().ButtonAlign(), TButtonAlign::baVertical);
    EXPECT_EQ(form->Label1()->Caption(), QStringLiteral("03月01日 "));
    EXPECT_TRUE(form->Actions().HideAction->isChecked());
    EXPECT_FALSE(form->Actions().ApSwAction->isChecked());
    EXPECT_FALSE(form->AppList()->isVisible());
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST_F(BarWindow, MenusListTheirEntriesInOrderWithShortCuts) {
    EXPECT_THAT(Entries(form->Actions().PopupMenu1),
                ElementsAre("新しい作業(&N)", "項目削除(&D)", "-", "時間リセット(&T)",
                            "全時間リセット(&A)", "-", "レポート(&R)", "-", "自動的に隠す", "-",
                            "APP切換モード", "APPリストを表示(&V)", "-", "設定(&S)", "-",
                            "バージョン情報(&V)"));
    EXPECT_THAT(Entries(form->Actions().EditPopup),
                ElementsAre("リストから削除", "全部削除", "-", "自動的に隠す", "-", "APP切換モード",
                            "APPリストを表示(&V)", "-", "設定(&S)", "-", "バージョン情報(&V)"));
    const TBarActions& a = form->Actions();
    EXPECT_EQ(a.N_NewWork->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(a.N_Delete->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(a.N_Reset->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(a.N_AllReset->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    EXPECT_EQ(a.ReportAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(a.SetupAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(a.HideAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    EXPECT_EQ(a.ApSwAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(a.ViewAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(a.ExitAction->toolTip(), QStringLiteral("アプリケーション終了"));
    std::vector<std::string> tools;
    for (QAction* action : form->ToolBar1()->actions())
        tools.push_back(
            action->isSeparator()
                ? "-"
                : form->ToolBar1()->widgetForAction(action)->objectName().toStdString());
    EXPECT_THAT(tools, ElementsAre("ToolButton1", "-", "SetupBtn", "-", "SumList", "-", "HideBtn",
                                   "LockBtn", "-", "ToolButton3"));
}

TEST_F(BarWindow, PanelMenuEnablesCommandsForTheButtonUnderTheMouse) {
    TWorkButtons& bar = form->WorkButtons();
    const TBarActions& a = form->Actions();
    const auto centre = [&](int i) {
        const TRect& r = bar.Buttons(i).CellRect;
        return QPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    };
    form->PopupMenu1Popup(QPoint(-5, -5)); // no button there, none current
    EXPECT_EQ(form->MenuTarget(), nullptr);
    EXPECT_FALSE(a.N_Delete->isEnabled());
    EXPECT_FALSE(a.N_NewWork->isEnabled());
    bar.SelectIndex(0);
    form->PopupMenu1Popup(centre(1)); // another item than the running one
    EXPECT_EQ(form->MenuTarget(), &bar.Buttons(1));
    EXPECT_TRUE(a.N_Delete->isEnabled());
    EXPECT_TRUE(a.N_Reset->isEnabled());
    EXPECT_FALSE(a.N_NewWork->isEnabled());
    form->PopupMenu1Popup(QPoint(-5, -5)); // no button there: the current one
    EXPECT_EQ(form->MenuTarget(), &bar.Buttons(0));
    EXPECT_TRUE(a.N_NewWork->isEnabled());
    form->PopupMenu1Popup(centre(2)); // the rest item is today's computer-on record
    EXPECT_FALSE(a.N_Delete->isEnabled());
    EXPECT_FALSE(a.N_Reset->isEnabled());
}

TEST_F(BarWindow, HidesToAStripWhenTheMouseIsAwayAndComesBackWhenItRests) {
    cursor = form->geometry().center();
    form->efTimerTimer();
    EXPECT_TRUE(form->BarShown());
    cursor = QPoint(10, 10);
    form->efTimerTimer();
    EXPECT_FALSE(form->BarShown());
    EXPECT_EQ(form->Thickness(), 1);
    EXPECT_EQ(form->geometry().right(), Screen().right());
    EXPECT_FALSE(form->ToolPanel()->isVisible());
    form->dispTimerTimer(); // the mouse is elsewhere: stays hidden
    EXPECT_FALSE(form->BarShown());
    cursor = QPoint(Screen().right(), 300);
    form->dispTimerTimer();
    EXPECT_TRUE(form->BarShown());
    EXPECT_EQ(form->Thickness(), 166);
    EXPECT_TRUE(form->ToolPanel()->isVisible());
    EXPECT_TRUE(form->EfTimer()->isActive());
}

// Desktops whose window managers do not activate a new tool window (GNOME's,
// KDE's) must still see the bar hide: the timer runs from the showing.
TEST_F(BarWindow, AutoHideRunsFromTheStartWithoutTheWindowBeingActivated) {
    EXPECT_FALSE(form->isActiveWindow());
    EXPECT_TRUE(form->EfTimer()->isActive());
}

TEST_F(BarWindow, WithAutoHideOffTheBarStaysAndSwitchingItOffShowsIt) {
    cursor = QPoint(10, 10);
    form->efTimerTimer();
    ASSERT_FALSE(form->BarShown());
    form->Actions().HideAction->trigger(); // auto-hide off while hidden
    EXPECT_FALSE(settings.AutoHide);
    EXPECT_TRUE(form->BarShown());
    EXPECT_EQ(form->Actions().HideAction->toolTip(), QStringLiteral("隠さない"));
    form->efTimerTimer();
    EXPECT_TRUE(form->BarShown());
}

TEST_F(BarWindow, DraggingTheInnerEdgeChangesTheThickness) {
    const int left = form->geometry().left();
    Drag(form->ToolPanel(), QPoint(2, 300), QPoint(left + 2 - 40, 300)); // 40 pixels out
    EXPECT_EQ(form->DockSize(), 205);
    EXPECT_EQ(form->geometry(), QRect(Screen().right() + 1 - 205, 0, 205, Screen().height()));
    EXPECT_EQ(form->Align(), edRight);
}

TEST_F(BarWindow, AMoveDragDocksAtTheTopWithHorizontalButtons) {
    Drag(form->Label1(), QPoint(80, 5), QPoint(Screen().center().x(), 5));
    EXPECT_EQ(form->Align(), edTop);
    EXPECT_EQ(form->geometry(), QRect(0, 0, Screen().width(), 165));
    EXPECT_EQ(form->WorkButtons().ButtonAlign(), TButtonAlign::baHorizontal);
    EXPECT_EQ(form->WorkButtons().ListAlign(), TListAlign::laBottom);
    EXPECT_EQ(form->Label1()->TextRotate(), TTextRotate::trLeft);
    EXPECT_EQ(form->Label1()->geometry().width(), 22);
    EXPECT_EQ(form->ToolBar1()->geometry().top(), 0);
    EXPECT_EQ(form->Label1()->Caption(), QStringLiteral("03月01日 "));
}

// A long name shows whole or as much of it as fits, never cut at both ends,
// and the whole name is in the tool tip; a thin horizontal bar gives the
// caption and the buttons its whole thickness.
TEST_F(BarWindow, LongNamesFitTheirButtonsAndTheCaptionItsStripAtEveryEdge) {
    const QString name = QStringLiteral("二課向け新規顧客管理システム開発プロジェクト第二期");
    list.AppSwitch().AddEntry({ToCp932(name), "", "", false, {}});
    form->WorkButtons().LoadButtons(list.AppSwitch());
    const auto check = [&] {
        TWorkButtonsWidget* bar = form->WorkButtonsWidget();
        bar->Sync();
        QToolButton* button = bar->MainButton(3);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), name);
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        const QFontMetrics metrics(button->font());
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), button->width()) << line.toStdString();
        EXPECT_LE(static_cast<int>(lines.size()) * metrics.lineSpacing(), button->height());
        const QString shown = lines.join(QString());
        if (shown != name) {
            ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
            EXPECT_TRUE(name.startsWith(shown.chopped(1))) << shown.toStdString();
        }
        const TBevelLabel* caption = form->Label1();
        const bool turned = caption->TextRotate() == TTextRotate::trLeft;
        EXPECT_LE(QFontMetrics(caption->font()).horizontalAdvance(caption->Caption()),
                  turned ? caption->height() : caption->width());
    };
    check();
    form->DockBar(edTop, 60);
    EXPECT_EQ(form->Label1()->height(), 60);
    EXPECT_EQ(form->ToolPanel()->height(), 60);
    EXPECT_EQ(form->ToolBar1()->geometry().right(), form->width() - 1);
    check();
    form->DockBar(edBottom, 40);
    EXPECT_EQ(form->ToolBar1()->geometry().bottom(), 39); // against the screen's edge
    check();
    form->DockBar(edLeft, 60);
    check();
}

TEST_F(BarWindow, AReleaseInMidScreenChangesNothing) {
    const QRect before = form->geometry();
    Send(form->Label1(), QEvent::MouseButtonPress, QPoint(80, 5), Qt::LeftButton);
    Send(form->Label1(), QEvent::MouseMove, form->Label1()->mapFromGlobal(Screen().center()),
         Qt::LeftButton);
    EXPECT_EQ(form->Label1()->Caption(),
              QString::asprintf("(%d,%d)", Screen().center().x(), Screen().center().y()));
    Send(form->Label1(), QEvent::MouseButtonRelease,
         form->Label1()->mapFromGlobal(Screen().center()), Qt::NoButton);
    EXPECT_EQ(form->geometry(), before);
    EXPECT_EQ(form->Align(), edRight);
    // A press away from every edge starts no drag at all.
    Drag(form->ToolPanel(), QPoint(60, 300), QPoint(10, 10));
    EXPECT_EQ(form->geometry(), before);
}

TEST_F(BarWindow, TheAppListRemembersASizePerBarDirection) {
    form->Actions().ViewAction->trigger();
    EXPECT_TRUE(settings.AppListVisible);
    EXPECT_TRUE(form->AppList()->isVisible());
    EXPECT_EQ(form->AppList()->height(), 190); // the settings' default
    form->Splitter1Moved(0);
    EXPECT_EQ(form->AppList()->height(), 180); // 0 lays it out as 180
    form->Splitter1Moved(120);
    EXPECT_EQ(settings.AppListHeight, 120);
    form->DockBar(edTop, 80);
    EXPECT_EQ(form->AppList()->width(), 90);
    form->Splitter1Moved(300);
    EXPECT_EQ(settings.AppListWidth, 300);
    EXPECT_EQ(settings.AppListHeight, 120);
    form->AppList()->addItems({"a.exe title", "b.exe other"});
    form->AppList()->item(1)->setSelected(true);
    form->EditPopupPopup();
    EXPECT_TRUE(form->Actions().N_Del->isEnabled());
    form->N_DelClick();
    EXPECT_EQ(form->AppList()->count(), 1);
    form->N16Click();
    EXPECT_EQ(form->AppList()->count(), 0);
}

TEST_F(BarWindow, EndCopiesTheBarStateIntoTheSettings) {
    form->DockBar(edLeft, 120);
    form->WorkButtons().SelectIndex(1);
    list.SetNoCountSeconds(7);
    form->FormDestroy();
    EXPECT_EQ(settings.BarAlign, edLeft);
    EXPECT_EQ(settings.BarSize, 120);
    EXPECT_EQ(settings.SelectedWork, "b");
    EXPECT_EQ(settings.NoCountSeconds, 7);
}

TEST_F(BarWindow, ShortCutsTargetTheRunningItemAndClicksTimeIt) {
    form->WorkButtonsWidget()->Sync();
    form->WorkButtonsWidget()->MainButton(1)->click(); // b
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 1);
    EXPECT_TRUE(form->WorkTimer()->isActive());
    ASSERT_NE(list.CurrentWork(), nullptr);
    EXPECT_EQ(list.CurrentWork()->Name, "b");
    form->Actions().N_Delete->trigger(); // Del: asks about the running item
    ASSERT_EQ(dialogs.Asked.size(), 1u);
    EXPECT_EQ(dialogs.Asked[0], "b を削除しますよ！");
    EXPECT_EQ(form->WorkButtons().ButtonCount(), 3); // answered No
    EXPECT_TRUE(form->WorkTimer()->isActive());
    form->WorkButtonsWidget()->MainButton(1)->click(); // released
    EXPECT_FALSE(form->WorkTimer()->isActive());
    form->Actions().N_Reset->trigger(); // nothing runs: nothing to ask about
    EXPECT_EQ(dialogs.Asked.size(), 1u);
}
TEST_F(BarWindow, ASecondCopyShowsTheBarAndPressesANamedItem) {
    cursor = QPoint(10, 10);
    form->efTimerTimer();
    ASSERT_FALSE(form->BarShown());
    form->HandOverItem("a");
    EXPECT_TRUE(form->BarShown());
    EXPECT_EQ(form->Thickness(), 166);
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    form->HandOverItem("a"); // already running: goes on
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    form->HandOverItem("unknown"); // only shows the bar
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    form->DockBar(edRight, 5);
    form->ShowFromSecondCopy(); // too thin to see: comes back at 142
    EXPECT_EQ(form->DockSize(), 142);
}

TEST_F(BarWindow, TheReportCommandSavesAndShowsTheSummaryWhileTheWorkGoesOn) {
    form->WorkButtons().ClickMainButton(0);
    clock.Advance(600);
    form->Timing().WorkTimerTimer();
    ASSERT_TRUE(form->WorkTimer()->isActive());
    bool shown = false;
    dialogs.OnExec = [&](QDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.objectName(), QStringLiteral("SumForm"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("2005年 3 月度集計"));
        EXPECT_FALSE(form->EfTimer()->isActive());
        EXPECT_TRUE(form->WorkTimer()->isActive());
        // The window read the month from the file saved just before.
        EXPECT_NE(ReadFile(dir.File("200503.dat")).find("2005/03/01,a,"), std::string::npos);
        return QDialog::Accepted;
    };
    form->Actions().ReportAction->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(form->EfTimer()->isActive());
    EXPECT_TRUE(form->WorkTimer()->isActive());
    EXPECT_TRUE(dialogs.Notices.empty());
}

TEST_F(BarWindow, TheSettingsOpenFilledFromTheBarAndUpdateRebuildsIt) {
    settings.RestTimes = "720:780";
    settings.MergeSeconds = 4;
    form->SetAutoHide(true);
    form->WorkButtonsWidget()->Sync();
    form->WorkButtonsWidget()->MainButton(0)->click(); // a runs
    clock.Advance(60);
    form->WorkButtonsWidget()->MainButton(1)->click(); // b runs, a has time today
    clock.Advance(30);
    form->Timing().WorkTimerTimer();
    dialogs.Setup = [&](const TSetupInput& input) {
        EXPECT_FALSE(form->EfTimer()->isActive());
        TSetupForm dialog(input, form.get());
        EXPECT_TRUE(dialog.findChild<QCheckBox*>("DoHide")->isChecked());
        EXPECT_EQ(dialog.findChild<QSpinBox*>("MergeLimit")->value(), 4);
        EXPECT_EQ(dialog.findChild<QListWidget*>("RestList")->count(), 1);
        auto* items = dialog.findChild<QListWidget*>("WorkListBox");
        EXPECT_EQ(items->count(), 3);
        items->setCurrentRow(0);                           // a
        dialog.findChild<QPushButton*>("DelBtn")->click(); // has time today
        dialog.findChild<QLineEdit*>("WorkTitle")->setText(QStringLiteral("c"));
        dialog.findChild<QPushButton*>("AddBtn")->click();
        dialog.findChild<QCheckBox*>("DoHide")->setChecked(false);
        dialog.findChild<QSpinBox*>("MergeLimit")->setValue(9);
        dialog.findChild<QPushButton*>("UpdateBtn")->click();
        return std::optional(dialog.Result());
    };
    form->Actions().SetupAction->trigger(); // Ctrl+S; the X11 test presses the keys
    ASSERT_EQ(dialogs.SetupShown, 1);
    TWorkButtonsWidget* bar = form->WorkButtonsWidget();
    bar->Sync();
    ASSERT_EQ(form->WorkButtons().ButtonCount(), 4);
    EXPECT_EQ(bar->MainButton(0)->text(), QStringLiteral("b"));
    EXPECT_EQ(bar->MainButton(2)->text(), QStringLiteral("c"));
    EXPECT_EQ(bar->MainButton(3)->text(), QStringLiteral("a")); // back, bare
    EXPECT_TRUE(bar->MainButton(0)->isChecked());               // b runs on
    ASSERT_NE(list.CurrentWork(), nullptr);
    EXPECT_EQ(list.CurrentWork()->Name, "b");
    EXPECT_TRUE(form->WorkTimer()->isActive());
    EXPECT_EQ(bar->TimeDisplay(3)->text(), QStringLiteral("00:01:00"));
    EXPECT_FALSE(settings.AutoHide);
    EXPECT_FALSE(form->Actions().HideAction->isChecked());
    EXPECT_EQ(list.MergeSeconds(), 9);
    EXPECT_TRUE(form->EfTimer()->isActive());
}

TEST_F(BarWindow, TheEditButtonOfAnItemWithTimeOpensItsRecordEditor) {
    TWorkButtonsWidget* bar = form->WorkButtonsWidget();
    bar->Sync();
    bar->MainButton(0)->click();
    clock.Advance(120);
    form->Timing().WorkTimerTimer();
    bar->Sync();
    ASSERT_TRUE(bar->DetailButton(0)->isEnabled());
    dialogs.Edit = [&](const TRecordEditRequest& request) {
        EXPECT_TRUE(request.Running);
        TRecordEditResult result{request.Record, request.Categories};
        result.Record.Periods.front().StartSec += 30; // a shorter period
        return std::optional(result);
    };
    bar->DetailButton(0)->click();
    ASSERT_EQ(dialogs.EditRequests.size(), 1u);
    EXPECT_EQ(dialogs.EditRequests[0].Record.Name, "a");
    bar->Sync();
    EXPECT_EQ(bar->TimeDisplay(0)->text(), QStringLiteral("00:01:30"));
}

TEST(EmptyBar, SaysHowToAddAnItemAndADoubleClickOpensTheSettings) {
    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    FakeDialogs dialogs;
    TInitParam settings;
    TDataList list(clock, reporter);
    list.SetDataDir(dir.Path());
    list.ChangeDate(Today(clock));
    TZanpelForm::Environment env;
    env.CursorPos = [] { return QPoint(0, 0); };
    TZanpelForm form(settings, list, clock, dialogs, env);
    form.FormCreate(dir.File("zanpel.ini"), reporter);
    EXPECT_EQ(form.WorkButtons().ButtonCount(), 0);
    EXPECT_TRUE(EmptyBarHint().contains(QStringLiteral("作業項目がありません")));
    EXPECT_TRUE(EmptyBarHint().contains(QStringLiteral("Ctrl+S")));
    QTest::mouseDClick(form.WorkButtonsWidget(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));
    EXPECT_EQ(dialogs.SetupShown, 1);
    // The hint stays to be read, with the mouse away, until an item exists.
    ASSERT_TRUE(settings.AutoHide);
    form.efTimerTimer();
    EXPECT_TRUE(form.BarShown());
    EXPECT_TRUE(form.ToolPanel()->isVisible());
    dialogs.Setup = [](const TSetupInput& input) {
        TSetupResult result{{}, input.Options, {}};
        result.Definitions.AddEntry({"a", "", "", false, {}});
        return std::optional(result);
    };
    form.SetupActionExecute();
    // The item, and the rest item that the rest periods switch to.
    ASSERT_EQ(form.WorkButtons().ButtonCount(), 2);
    EXPECT_EQ(form.WorkButtons().Buttons(1).Name, RestName());
    form.efTimerTimer();
    EXPECT_FALSE(form.BarShown());
}
TEST(AboutBox, NamesVersionsAndTheDataFolder) {
    TSessionInfo session;
    session.Coverage = TForegroundCoverage::None;
    const QString text = AboutText(QStringLiteral("/data/here"), session);
    EXPECT_TRUE(text.contains(QStringLiteral("Zanpel ")));
    EXPECT_TRUE(text.contains(QString::fromLatin1(qVersion())));
    EXPECT_TRUE(text.contains(QStringLiteral("/data/here")));
    EXPECT_TRUE(text.contains(QStringLiteral("自動切換えは使えません")));
    EXPECT_TRUE(MailUrl().startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(MailUrl().contains(QStringLiteral("subject=Zanpel")));
}

TEST_F(BarWindow, FollowsAChangeOfTheScreensSizeAtItsEdgeAndThickness) {
    const int thickness = form->width();
    screenRect = QRect(0, 0, 1024, 768);
    emit form->screen()->geometryChanged(screenRect);
    EXPECT_EQ(form->geometry(), QRect(1024 - thickness, 0, thickness, 768));
    screenRect = QRect(0, 0, 1280, 800);
    emit form->screen()->geometryChanged(screenRect);
    EXPECT_EQ(form->geometry(), QRect(1280 - thickness, 0, thickness, 800));
    // A hidden bar stays a strip at the edge.
    form->efTimerTimer();
    ASSERT_FALSE(form->BarShown());
    screenRect = QRect(0, 0, 1024, 768);
    emit form->screen()->availableGeometryChanged(screenRect);
    EXPECT_EQ(form->geometry(), QRect(1023, 0, 1, 768));
}

TEST(AboutBox, ShowsTheBuildsVersionAndTheProgramIcon) {
    EXPECT_TRUE(
        AboutText(QString(), {})
            .startsWith(QStringLiteral("Zanpel %1\n").arg(QString::fromLatin1(ProgramVersion))));
    // Every size the build drew, from a panel's 16 pixels to 256.
    const QList<QSize> sizes = ProgramIcon().availableSizes();
    ASSERT_EQ(sizes.size(), 8);
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
    EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    TAboutBox box(QStringLiteral("/data/here"));
    const auto* picture = box.findChild<QLabel*>("ProgramIcon");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(64, 64));
    EXPECT_FALSE(box.windowIcon().isNull());
}

} // namespace
} // namespace zanpel::test