// The bar window on the offscreen platform: its parts, menus and commands.
#include "app/aboutbox.h"
#include "app/barcaption.h"
#include "app/messagebox.h"
#include "app/programicon.h"
#include "app/toolstrip.h"
#include "app/version.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "barwindowfixture.h"
#include "controls/bevellabel.h"
#include "controls/qcp932.h"
#include "records/names.h"
#include "settings/initparam.h"
#include "settings/setupform.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

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
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

TEST_F(BarWindow, StartsDockedRightWithTheDefaultsAndTheDateCaption) {
    EXPECT_EQ(form->Placement().Align(), edRight);
    EXPECT_EQ(form->geometry(), QRect(Screen().right() + 1 - 165, 0, 165, Screen().height()));
    EXPECT_EQ(form->WorkButtons().ButtonCount(), 3);
    EXPECT_EQ(form->WorkButtons().ButtonAlign(), TButtonAlign::baVertical);
    EXPECT_EQ(form->Parts().Caption->Caption(), QStringLiteral("03月01日 "));
    EXPECT_TRUE(form->Actions().HideAction->isChecked());
    EXPECT_FALSE(form->Actions().AppSwitchAction->isChecked());
    EXPECT_EQ(form->SeenApps().List(), nullptr); // made when it is first shown
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST_F(BarWindow, MenusListTheirEntriesInOrderWithShortCuts) {
    EXPECT_THAT(Entries(form->Actions().PanelPopup),
                ElementsAre("新しい作業(&N)", "項目削除(&D)", "-", "時間リセット(&T)",
                            "全時間リセット(&A)", "-", "レポート(&R)", "切換え履歴(&H)", "-",
                            "自動的に隠す", "-", "APP切換モード", "APPリストを表示(&V)", "-",
                            "設定(&S)", "-", "バージョン情報(&V)"));
    EXPECT_THAT(Entries(form->Actions().AppListPopup),
                ElementsAre("リストから削除", "全部削除", "-", "自動的に隠す", "-", "APP切換モード",
                            "APPリストを表示(&V)", "-", "設定(&S)", "-", "バージョン情報(&V)"));
    const TBarActions& a = form->Actions();
    EXPECT_EQ(a.NewWork->shortcut(), QKeySequence(Qt::Key_Insert));
    EXPECT_EQ(a.DeleteItem->shortcut(), QKeySequence(Qt::Key_Delete));
    EXPECT_EQ(a.ResetItem->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(a.ResetAll->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    EXPECT_EQ(a.ReportAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
    EXPECT_EQ(a.SwitchHistoryAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    EXPECT_EQ(a.SetupAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_EQ(a.HideAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    EXPECT_EQ(a.AppSwitchAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_EQ(a.AppListAction->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    EXPECT_EQ(a.ExitAction->toolTip(), QStringLiteral("アプリケーション終了"));
    std::vector<std::string> tools;
    for (QWidget* item : form->Parts().ToolBar->Items()) {
        auto* button = qobject_cast<QToolButton*>(item);
        tools.push_back(button ? button->objectName().toStdString() : "-");
        if (button) {
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << tools.back();
        }
    }
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
    form->PanelMenu().PopupMenu1Popup(QPoint(-5, -5)); // no button there, none current
    EXPECT_EQ(form->PanelMenu().MenuTarget(), nullptr);
    EXPECT_FALSE(a.DeleteItem->isEnabled());
    EXPECT_FALSE(a.NewWork->isEnabled());
    bar.SelectIndex(0);
    form->PanelMenu().PopupMenu1Popup(centre(1)); // another item than the running one
    EXPECT_EQ(form->PanelMenu().MenuTarget(), &bar.Buttons(1));
    EXPECT_TRUE(a.DeleteItem->isEnabled());
    EXPECT_TRUE(a.ResetItem->isEnabled());
    EXPECT_FALSE(a.NewWork->isEnabled());
    form->PanelMenu().PopupMenu1Popup(QPoint(-5, -5)); // no button there: the current one
    EXPECT_EQ(form->PanelMenu().MenuTarget(), &bar.Buttons(0));
    EXPECT_TRUE(a.NewWork->isEnabled());
    form->PanelMenu().PopupMenu1Popup(centre(2)); // the rest item is today's computer-on record
    EXPECT_FALSE(a.DeleteItem->isEnabled());
    EXPECT_FALSE(a.ResetItem->isEnabled());
}

TEST_F(BarWindow, TheAppListRemembersASizePerBarDirection) {
    form->Actions().AppListAction->trigger();
    EXPECT_TRUE(settings.AppListVisible);
    QListWidget* appList = form->SeenApps().List();
    ASSERT_NE(appList, nullptr);
    EXPECT_TRUE(appList->isVisible());
    EXPECT_EQ(appList->height(), 190); // the settings' default
    form->SeenApps().Splitter1Moved(0);
    EXPECT_EQ(appList->height(), 180); // 0 lays it out as 180
    form->SeenApps().Splitter1Moved(120);
    EXPECT_EQ(settings.AppListHeight, 120);
    form->DockBar(edTop, 80);
    EXPECT_EQ(appList->width(), 90);
    form->SeenApps().Splitter1Moved(300);
    EXPECT_EQ(settings.AppListWidth, 300);
    EXPECT_EQ(settings.AppListHeight, 120);
    appList->addItems({"a.exe title", "b.exe other"});
    appList->item(1)->setSelected(true);
    form->SeenApps().EditPopupPopup();
    EXPECT_TRUE(form->Actions().DeleteLines->isEnabled());
    form->SeenApps().N_DelClick();
    EXPECT_EQ(appList->count(), 1);
    form->SeenApps().N16Click();
    EXPECT_EQ(appList->count(), 0);
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
    form->Parts().Buttons->Sync();
    form->Parts().Buttons->MainButton(1)->click(); // b
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 1);
    EXPECT_TRUE(form->Parts().WorkTimer->isActive());
    ASSERT_NE(list.CurrentWork(), nullptr);
    EXPECT_EQ(list.CurrentWork()->Name, "b");
    form->Actions().DeleteItem->trigger(); // Del: asks about the running item
    ASSERT_EQ(dialogs.Asked.size(), 1u);
    EXPECT_EQ(dialogs.Asked[0], "b を削除しますよ！");
    EXPECT_EQ(form->WorkButtons().ButtonCount(), 3); // answered No
    EXPECT_TRUE(form->Parts().WorkTimer->isActive());
    form->Parts().Buttons->MainButton(1)->click(); // released
    EXPECT_FALSE(form->Parts().WorkTimer->isActive());
    form->Actions().ResetItem->trigger(); // nothing runs: nothing to ask about
    EXPECT_EQ(dialogs.Asked.size(), 1u);
}
TEST_F(BarWindow, ASecondCopyShowsTheBarAndPressesANamedItem) {
    cursor = QPoint(10, 10);
    form->AutoHide().efTimerTimer();
    ASSERT_FALSE(form->Placement().BarShown());
    form->HandOverItem("a");
    EXPECT_TRUE(form->Placement().BarShown());
    EXPECT_EQ(form->Placement().Thickness(), 166);
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    form->HandOverItem("a"); // already running: goes on
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    form->HandOverItem("unknown"); // only shows the bar
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    form->DockBar(edRight, 5);
    form->ShowFromSecondCopy(); // too thin to see: comes back at 142
    EXPECT_EQ(form->Placement().DockSize(), 142);
}

TEST_F(BarWindow, TheReportCommandSavesAndShowsTheSummaryWhileTheWorkGoesOn) {
    form->WorkButtons().ClickMainButton(0);
    clock.Advance(600);
    form->Timing().WorkTimerTimer();
    ASSERT_TRUE(form->Parts().WorkTimer->isActive());
    bool shown = false;
    dialogs.OnExec = [&](QDialog& dialog) {
        shown = true;
        EXPECT_EQ(dialog.objectName(), QStringLiteral("SumForm"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("2005年 3 月度集計"));
        EXPECT_FALSE(form->Parts().HideTimer->isActive());
        EXPECT_TRUE(form->Parts().WorkTimer->isActive());
        // The window read the month from the file saved just before.
        EXPECT_NE(ReadFile(dir.File("200503.dat")).find("2005/03/01,a,"), std::string::npos);
        return QDialog::Accepted;
    };
    form->Actions().ReportAction->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(form->Parts().HideTimer->isActive());
    EXPECT_TRUE(form->Parts().WorkTimer->isActive());
    EXPECT_TRUE(dialogs.Notices.empty());
}

TEST_F(BarWindow, TheSettingsOpenFilledFromTheBarAndUpdateRebuildsIt) {
    settings.RestTimes = "720:780";
    settings.MergeSeconds = 4;
    form->SetAutoHide(true);
    form->Parts().Buttons->Sync();
    form->Parts().Buttons->MainButton(0)->click(); // a runs
    clock.Advance(60);
    form->Parts().Buttons->MainButton(1)->click(); // b runs, a has time today
    clock.Advance(30);
    form->Timing().WorkTimerTimer();
    dialogs.Setup = [&](const TSetupInput& input) {
        EXPECT_FALSE(form->Parts().HideTimer->isActive());
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
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    ASSERT_EQ(form->WorkButtons().ButtonCount(), 4);
    EXPECT_EQ(bar->MainButton(0)->text(), QStringLiteral("b"));
    EXPECT_EQ(bar->MainButton(2)->text(), QStringLiteral("c"));
    EXPECT_EQ(bar->MainButton(3)->text(), QStringLiteral("a")); // back, bare
    EXPECT_TRUE(bar->MainButton(0)->isChecked());               // b runs on
    ASSERT_NE(list.CurrentWork(), nullptr);
    EXPECT_EQ(list.CurrentWork()->Name, "b");
    EXPECT_TRUE(form->Parts().WorkTimer->isActive());
    EXPECT_EQ(bar->TimeDisplay(3)->text(), QStringLiteral("00:01:00"));
    EXPECT_FALSE(settings.AutoHide);
    EXPECT_FALSE(form->Actions().HideAction->isChecked());
    EXPECT_EQ(list.MergeSeconds(), 9);
    EXPECT_TRUE(form->Parts().HideTimer->isActive());
}

TEST_F(BarWindow, TheEditButtonOfAnItemWithTimeOpensItsRecordEditor) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
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
    QTest::mouseDClick(form.Parts().Buttons, Qt::LeftButton, Qt::NoModifier, QPoint(20, 40));
    EXPECT_EQ(dialogs.SetupShown, 1);
    // The hint stays to be read, with the mouse away, until an item exists.
    ASSERT_TRUE(settings.AutoHide);
    form.AutoHide().efTimerTimer();
    EXPECT_TRUE(form.Placement().BarShown());
    EXPECT_TRUE(form.Parts().ButtonPanel->isVisible());
    dialogs.Setup = [](const TSetupInput& input) {
        TSetupResult result{{}, input.Options, {}};
        result.Definitions.AddEntry({"a", "", "", false, {}});
        return std::optional(result);
    };
    form.SetupActionExecute();
    // The item, and the rest item that the rest periods switch to.
    ASSERT_EQ(form.WorkButtons().ButtonCount(), 2);
    EXPECT_EQ(form.WorkButtons().Buttons(1).Name, RestName());
    form.AutoHide().efTimerTimer();
    EXPECT_FALSE(form.Placement().BarShown());
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

TEST(AboutBox, ALongSessionTextIsShownWhole) {
    // GNOME without our extension: the session lines say how to enable it.
    const TSessionInfo gnome{
        "xcb", true, TPlacementMethod::Hints, TForegroundCoverage::GnomeWithoutExtension, {}};
    TAboutBox box(QStringLiteral("/data/here"), nullptr, gnome);
    box.show();
    const auto* text = box.findChild<TBevelLabel*>("AboutText");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->Caption().contains(QStringLiteral("gnome-extensions enable")));
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    EXPECT_GT(text->heightForWidth(text->width()), 150);
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
namespace zanpel::test {
namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return false;
    }
};

TEST_F(BarWindow, TheTickRedrawsOnlyTheTimeThatChanged) {
    // A time that grows every second must not repaint the tall buttons: their
    // panels are large images, and drawing them each second costs the bar
    // CPU and wakes Qt's drawing threads.
    form->show();
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->MainButton(0)->click();
    QCoreApplication::processEvents();
    QTest::qWait(20);
    PaintCounter running(bar->MainButton(0));
    PaintCounter other(bar->MainButton(1));
    PaintCounter time(bar->TimeDisplay(0));
    for (int second = 1; second <= 3; ++second) {
        clock.Advance(1);
        form->Timing().WorkTimerTimer();
        QCoreApplication::processEvents();
        QTest::qWait(20);
        EXPECT_EQ(bar->TimeDisplay(0)->text(), QStringLiteral("00:00:0%1").arg(second));
    }
    EXPECT_GE(time.Paints, 3);
    EXPECT_EQ(running.Paints, 0);
    EXPECT_EQ(other.Paints, 0);
}

} // namespace
} // namespace zanpel::test
