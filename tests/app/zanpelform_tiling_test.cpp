// The bar in a tiling window manager of the i3 family, played by a local
// socket server of the test that answers the bar's commands when it is told.
#include "app/i3ipc.h"
#include "app/messagebox.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "records/errorreporter.h"
#include "settings/initparam.h"
#include "support/fakedialogs.h"
#include "support/faketilingmanager.h"
#include "support/qtwait.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <QApplication>
#include <QFrame>
#include <QMouseEvent>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace zanpel::test {
namespace {

class BarInTilingManager : public ::testing::Test {
protected:
    BarInTilingManager() : list(clock, reporter), manager(QString::fromStdString(dir.File("ipc"))) {
        list.SetDataDir(dir.Path());
        list.AppSwitch().AddEntry({"a", "", "", false, {}}); // a bar without items never hides
        list.ChangeDate(Today(clock));
    }
    void Create(const std::string& ini, const std::string& socket = "ipc") {
        WriteFile(dir.File("zanpel.ini"), ini);
        TZanpelForm::Environment env;
        env.CursorPos = [] { return QPoint(640, 300); };
        env.AnimationStepMs = 0;
        env.ScreenGeometry = [] { return QRect(0, 0, 1280, 720); };
        env.TilingSocket = QString::fromStdString(dir.File(socket));
        env.Trace = [this](const std::string& line) { trace.push_back(line); };
        form = std::make_unique<TZanpelForm>(settings, list, clock, dialogs, env);
        form->FormCreate(dir.File("zanpel.ini"), reporter);
        id = "[id=" + std::to_string(form->winId()) + "] ";
    }
    std::string Place(int x, int y, int w, int h) const {
        return id + "floating enable, sticky enable, border none, resize set " + std::to_string(w) +
               " px " + std::to_string(h) + " px, move absolute position " + std::to_string(x) +
               " px " + std::to_string(y) + " px";
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    TDataList list;
    TInitParam settings;
    FakeDialogs dialogs;
    FakeTilingManager manager;
    std::unique_ptr<TZanpelForm> form;
    std::vector<std::string> trace;
    std::string id;
};

TEST_F(BarInTilingManager, TheManagerIsAskedToFloatStickAndDockTheBar) {
    Create("AUTOHIDE=0\r\n");
    ASSERT_TRUE(manager.WaitForCommands(1));
    EXPECT_EQ(manager.Commands[0], Place(1280 - 165, 0, 165, 720));
    manager.Answer();
    // A change of edge goes to the manager too, not to the window itself.
    const QRect before = form->geometry();
    form->DockBar(edTop, 60);
    ASSERT_TRUE(manager.WaitForCommands(2));
    EXPECT_EQ(manager.Commands[1], Place(0, 0, 1280, 60));
    EXPECT_EQ(form->geometry(), before);
    EXPECT_EQ(form->Placement().Thickness(), 60);
    manager.Answer();
    // Dragging the inner edge: the new thickness goes to the manager.
    form->DockBar(edRight, 165);
    ASSERT_TRUE(manager.WaitForCommands(3));
    manager.Answer();
    QWidget* panel = form->Parts().ButtonPanel;
    const QPoint inner(1, 300); // the panel's left edge, the bar's inner one
    for (const auto& [type, at, buttons] :
         {std::tuple{QEvent::MouseButtonPress, inner, Qt::MouseButtons(Qt::LeftButton)},
          std::tuple{QEvent::MouseMove, inner - QPoint(35, 0), Qt::MouseButtons(Qt::LeftButton)},
          std::tuple{QEvent::MouseButtonRelease, inner - QPoint(35, 0), Qt::MouseButtons()}}) {
        QMouseEvent event(type, at, panel->mapToGlobal(at),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    }
    ASSERT_TRUE(manager.WaitForCommands(4));
    EXPECT_EQ(manager.Commands[3], Place(1280 - 200, 0, 200, 720));
}

TEST_F(BarInTilingManager, HidingSendsOnlyTheLatestPlaceWhileACommandIsOnItsWay) {
    Create("AUTOHIDE=1\r\n");
    ASSERT_TRUE(manager.WaitForCommands(1));
    // The mouse is away: the bar hides in 55 steps while the manager has
    // not answered the first command yet.
    form->AutoHide().efTimerTimer();
    ASSERT_FALSE(form->Placement().BarShown());
    manager.Answer();
    ASSERT_TRUE(manager.WaitForCommands(2));
    EXPECT_EQ(manager.Commands[1], Place(1279, 0, 1, 720));
    manager.Answer();
    RunLoopUntil([] { return false; }, 100);
    EXPECT_EQ(manager.Commands.size(), 2U);
}

TEST_F(BarInTilingManager, AStripThinnerThanTheManagerAllowsIsMovedOffTheScreen) {
    manager.AnswerAtOnce = true;
    Create("AUTOHIDE=1\r\nWINALIGN=3,0,0,0\r\n");
    form->AutoHide().efTimerTimer();
    ASSERT_TRUE(manager.WaitForLast(Place(0, 0, 1, 720)));
    // The manager makes the strip 75 pixels wide: all of it would show.
    form->resize(75, 720);
    ASSERT_TRUE(manager.WaitForLast(Place(-74, 0, 75, 720)));
    // Shown again, the bar is as thick as it was, and it grows from the
    // strip, not from the window's 75 pixels.
    form->AutoHide().ShowBar();
    EXPECT_EQ(form->Placement().Thickness(), 166);
    ASSERT_TRUE(manager.WaitForLast(Place(0, 0, 166, 720)));
}

TEST_F(BarInTilingManager, WithoutAManagerAtTheSocketTheBarPlacesItself) {
    Create("AUTOHIDE=0\r\n", "gone");
    form->DockBar(edTop, 60);
    EXPECT_TRUE(RunLoopUntil([&] { return form->geometry() == QRect(0, 0, 1280, 60); }, 5000))
        << form->geometry().x() << "," << form->geometry().y() << " " << form->geometry().width()
        << "x" << form->geometry().height();
    EXPECT_TRUE(manager.Commands.empty());
}

TEST_F(BarInTilingManager, AManagerThatEndsUnderTheBarLeavesItPlacingItself) {
    Create("AUTOHIDE=0\r\n");
    ASSERT_TRUE(manager.WaitForCommands(1));
    manager.Drop(); // with the bar's command unanswered
    ASSERT_TRUE(RunLoopUntil(
        [&] {
            return std::any_of(trace.begin(), trace.end(), [](const std::string& line) {
                return line.starts_with("window manager ipc: ");
            });
        },
        5000));
    form->DockBar(edTop, 60);
    EXPECT_TRUE(RunLoopUntil([&] { return form->geometry() == QRect(0, 0, 1280, 60); }, 5000));
    EXPECT_EQ(manager.Commands.size(), 1U);
}

TEST_F(BarInTilingManager, ARefusalIsTraced) {
    Create("AUTOHIDE=0\r\n");
    ASSERT_TRUE(manager.WaitForCommands(1));
    manager.Answer(false);
    ASSERT_TRUE(RunLoopUntil(
        [&] {
            return std::any_of(trace.begin(), trace.end(), [](const std::string& line) {
                return line.starts_with("window manager refused");
            });
        },
        5000));
}

} // namespace
} // namespace zanpel::test
