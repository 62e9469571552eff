// A save that fails while an item runs: the error box opens, and the clock
// goes on under it.
#include "app/errorboxes.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "records/names.h"
#include "settings/initparam.h"
#include "support/diskfullwriter.h"
#include "support/fakedialogs.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

// An error box that stays open for a while, as one the user has not
// answered yet: its own event loop runs, as a modal box's does.
class SlowErrorBox : public FakeDialogs {
public:
    void ShowError(const std::string& text) override {
        Errors.push_back(text);
        if (WhileOpen)
            WhileOpen();
        QEventLoop loop;
        QTimer::singleShot(OpenMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    std::function<void()> WhileOpen;
    int OpenMs = 1000;
};

class ErrorBoxes : public ::testing::Test {
protected:
    ErrorBoxes() : boxes(dialogs), list(clock, boxes) {
        list.SetDataDir(dir.Path());
        list.AppSwitch().AddEntry({"a", "", "", false, {}});
        list.ChangeDate(Today(clock));
        TZanpelForm::Environment env;
        env.AnimationStepMs = 0;
        env.DataFolder = QString::fromStdString(dir.Path());
        env.ScreenGeometry = [] { return QGuiApplication::primaryScreen()->geometry(); };
        form = std::make_unique<TZanpelForm>(settings, list, clock, dialogs, env);
        form->FormCreate(dir.File("zanpel.ini"), boxes);
        settings.AutoSaveMinutes = 1;
        QObject::connect(form->Parts().WorkTimer, &QTimer::timeout, [this] { ++ticks; });
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    SlowErrorBox dialogs;
    TErrorBoxes boxes;
    TInitParam settings;
    TDataList list;
    DiskFullWriter diskFull;
    std::unique_ptr<TZanpelForm> form;
    int ticks = 0;
};

TEST_F(ErrorBoxes, AFailedAutosaveNeverStopsTheRunningItem) {
    form->Parts().Buttons->Sync();
    form->Parts().Buttons->MainButton(0)->click();
    ASSERT_TRUE(form->Parts().WorkTimer->isActive());
    list.SetWriter(&diskFull);
    int ticksWhileOpen = -1;
    dialogs.WhileOpen = [&] {
        // A minute passes while the box is open; the ticks must follow it.
        ticks = 0;
        clock.Advance(60);
        QTimer::singleShot(dialogs.OpenMs - 100, [&] {
            ticksWhileOpen = ticks;
            ASSERT_NE(list.CurrentWork(), nullptr);
            ASSERT_FALSE(list.CurrentWork()->Periods.empty());
            EXPECT_EQ(list.CurrentWork()->Periods.back().EndSec, NowSeconds(clock));
        });
    };
    clock.Advance(120); // the autosave is due at the next tick
    QEventLoop wait;
    QTimer::singleShot(1600, &wait, &QEventLoop::quit);
    wait.exec();
    ASSERT_EQ(dialogs.Errors.size(), 1u);
    EXPECT_EQ(dialogs.Errors[0].rfind(WriteErrorText, 0), 0u);
    EXPECT_GE(ticksWhileOpen, 3);
}

TEST_F(ErrorBoxes, OneBoxAtATimeForTheSameErrorAndAtOnceOutsideTheEventLoop) {
    dialogs.OpenMs = 300;
    QEventLoop wait;
    QTimer::singleShot(0, [&] {
        boxes.ReportError("x");
        boxes.ReportError("x");
        boxes.ReportError("y");
        EXPECT_TRUE(dialogs.Errors.empty()); // not while the reporting handler runs
    });
    QTimer::singleShot(300, [&] { boxes.ReportError("x"); }); // "x" is open then
    QTimer::singleShot(1000, &wait, &QEventLoop::quit);
    wait.exec();
    EXPECT_EQ(dialogs.Errors, (std::vector<std::string>{"x", "y"}));
    // At the start and the end of the program no tick runs: shown at once.
    dialogs.OpenMs = 0;
    boxes.ReportError("z");
    EXPECT_EQ(dialogs.Errors.back(), "z");
}

} // namespace
} // namespace zanpel::test
