// The bar following the foreground application through its idle passes, with
// a source the test sets, on the offscreen platform.
#include "app/messagebox.h"
#include "app/zanpelform.h"
#include "controls/bevellabel.h"
#include "settings/initparam.h"
#include "support/fakedialogs.h"
#include "support/fakeforegroundsource.h"
#include "support/pressedname.h"
#include "support/qtwait.h"
#include "support/testsupport.h"
#include "tracking/foregroundsource.h"
#include "tracking/reportedforeground.h"
#include "worklist/datalist.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

class BarDetection : public ::testing::Test {
protected:
    BarDetection() : list(clock, reporter) {
        list.SetDataDir(dir.Path());
        for (const char* line : {"@設計,,@AP1,\"edit.exe/\",", "@会議,,"})
            list.AppSwitch().ParseLine(Sjis(line));
        list.ChangeDate(Today(clock));
        WriteFile(dir.File("zanpel.ini"), "APPSWITCH=1\r\n");
    }
    void Create(std::shared_ptr<ForegroundSource> foreground,
                TForegroundCoverage coverage = TForegroundCoverage::X11) {
        TZanpelForm::Environment env;
        env.Session.Coverage = coverage;
        env.CursorPos = [] { return QPoint(0, 0); };
        env.AnimationStepMs = 0;
        env.Foreground = std::move(foreground);
        env.Trace = [this](const std::string& line) {
            if (line.rfind("edit button ", 0) != 0) // where the buttons are: not followed here
                trace.push_back(line);
        };
        form = std::make_unique<TZanpelForm>(settings, list, clock, dialogs, env);
        form->FormCreate(dir.File("zanpel.ini"), reporter);
    }
    // The about box's text, read while it is open.
    QString AboutTextShown() {
        QString text;
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (auto* label = box ? box->findChild<TBevelLabel*>("AboutText") : nullptr)
                text = label->Caption();
            if (box)
                box->close();
        });
        form->AboutExecute();
        return text;
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    FakeDialogs dialogs;
    TInitParam settings;
    TDataList list;
    std::vector<std::string> trace;
    std::unique_ptr<TZanpelForm> form;
};

TEST_F(BarDetection, IdlePassesListTheProgramInFrontAndSwitchToIt) {
    auto source = std::make_shared<FakeForegroundSource>();
    Create(source);
    source->ShowApp({"edit.exe", Sjis("文書1")});
    // The list is not shown: its lines are kept without a list box.
    ASSERT_TRUE(RunLoopUntil([&] { return form->SeenApps().AppListLines().size() == 1; }, 5000));
    EXPECT_EQ(form->SeenApps().List(), nullptr);
    form->Actions().AppListAction->trigger();
    QListWidget* appList = form->SeenApps().List();
    ASSERT_NE(appList, nullptr);
    ASSERT_EQ(appList->count(), 1);
    EXPECT_EQ(appList->item(0)->text(), QStringLiteral("edit.exe/文書1"));
    EXPECT_EQ(appList->currentRow(), 0);
    EXPECT_TRUE(appList->item(0)->isSelected());
    EXPECT_EQ(PressedName(form->WorkButtons()), Sjis("設計"));

    source->ShowApp({"view.exe", ""});
    ASSERT_TRUE(RunLoopUntil([&] { return appList->count() == 2; }, 5000));
    EXPECT_THAT(form->SeenApps().AppListLines(), ElementsAre(Sjis("edit.exe/文書1"), "view.exe/"));
    EXPECT_EQ(appList->selectedItems().size(), 1);
    EXPECT_THAT(
        trace, ElementsAre("app edit.exe/文書1", StartsWith("switched 設計 at "), "app view.exe/"));
}

TEST_F(BarDetection, TheAboutBoxTellsWhetherApplicationsCanBeIdentified) {
    Create(nullptr);
    EXPECT_FALSE(form->SeenApps().Foreground().Available());
    EXPECT_TRUE(AboutTextShown().contains(QStringLiteral("自動切換えは使えません")));
    form.reset();
    Create(std::make_shared<FakeForegroundSource>());
    const QString text = AboutTextShown();
    EXPECT_TRUE(text.contains(QStringLiteral("Zanpel")));
    EXPECT_FALSE(text.contains(QStringLiteral("自動切換えは使えません")));
}

TEST_F(BarDetection, TheAboutBoxSaysWhatGnomesExtensionLetsTheBarSeeNow) {
    // GNOME on Wayland, the extension off at the start: the windows of
    // XWayland only, until the extension is enabled, and again when it is
    // disabled.
    auto gnome = std::make_unique<TReportedForeground>(77);
    TReportedForeground& extension = *gnome;
    Create(std::make_shared<TPreferredForeground>(std::move(gnome),
                                                  TForegroundCoverage::GnomeExtension,
                                                  std::make_unique<FakeForegroundSource>(),
                                                  TForegroundCoverage::GnomeWithoutExtension),
           TForegroundCoverage::GnomeWithoutExtension);
    const QString xwaylandOnly = QStringLiteral("XWayland のウィンドウのみ");
    const QString everyWindow = QStringLiteral("GNOME Shell 拡張機能: X11 と Wayland");
    EXPECT_TRUE(AboutTextShown().contains(xwaylandOnly));
    extension.SetAvailable(true);
    QString text = AboutTextShown();
    EXPECT_TRUE(text.contains(everyWindow)) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("gnome-extensions enable")));
    extension.SetAvailable(false);
    text = AboutTextShown();
    EXPECT_TRUE(text.contains(xwaylandOnly)) << text.toStdString();
}

} // namespace
} // namespace zanpel::test
