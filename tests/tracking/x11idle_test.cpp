// The X11 idle source on an Xvfb server of each test's own, with xdotool as
// the user's hand on the mouse.
#include "idlefigures.h"
#include "idlespells.h"
#include "support/idlerecorder.h"
#include "support/process.h"
#include "support/testsupport.h"
#include "support/x11/xservertest.h"
#include "tracking/idleopen.h"
#include "tracking/x11idle.h"

#include <QTest>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;

class X11Idle : public XServerTest {
protected:
    X11Idle() : XServerTest({"xdotool"}) {}
    void SetUp() override {
        XServerTest::SetUp();
        if (!ServerStarted())
            return;
        source = ConnectX11Idle(server->Display());
        ASSERT_TRUE(source) << "no MIT-SCREEN-SAVER or IDLETIME on Xvfb";
        recorder = std::make_unique<IdleRecorder>(*source);
    }
    // The mouse moved, as a user moves it; answers when.
    steady_clock::time_point Move() {
        const ProcessResult moved = RunProcess(
            {FindProgram("xdotool"), "mousemove", std::to_string(++moves % 500 + 10), "20"},
            server->ClientEnv());
        EXPECT_EQ(moved.ExitCode, 0) << moved.Err;
        return steady_clock::now();
    }

    std::unique_ptr<IdleSource> source;
    std::unique_ptr<IdleRecorder> recorder;
    int moves = 0;
};

TEST_F(X11Idle, EachSpellLongerThanTheWatchedTimeIsIdleUntilTheNextInput) {
    CheckSpells(
        *source, *recorder, [this] { return Move(); }, 1500ms, 8, 20261208);
}

TEST_F(X11Idle, AWatchSetWhenTheSpellIsLongerAlreadyIsIdleAtOnceWithTheWholeSpell) {
    CheckWatchAfterALongerSpell(*source, *recorder, [this] { return Move(); });
}

TEST_F(X11Idle, TheSameTimeAgainKeepsCountingFromTheLastInput) {
    CheckSameTimeAgain(*source, *recorder, [this] { return Move(); });
}

TEST_F(X11Idle, ANewTimeWhileAwayCountsAfterTheReturn) {
    CheckNewTimeWhileAway(*source, *recorder, [this] { return Move(); });
}

TEST_F(X11Idle, AWatchOfZeroEndsTheWatchEvenWhileAway) {
    CheckWatchOfZero(*source, *recorder, [this] { return Move(); });
}

// Without GNOME Shell or a Wayland compositor, the X server tells; offscreen
// nothing does.
TEST_F(X11Idle, TheSessionsSourceOnX11IsTheScreenSaverExtension) {
    const ScopedEnvironment session({{"DISPLAY", server->Display()},
                                     {"WAYLAND_DISPLAY", ""},
                                     {"DBUS_SESSION_BUS_ADDRESS", ""}});
    const std::unique_ptr<IdleSource> onX11 = OpenIdleSource("xcb");
    EXPECT_TRUE(onX11->Available());
    EXPECT_EQ(onX11->Name(), "X11 の MIT-SCREEN-SAVER");
    EXPECT_FALSE(OpenIdleSource("offscreen")->Available());
}

// By hand: --gtest_also_run_disabled_tests --gtest_filter=*Figures*
TEST_F(X11Idle, DISABLED_Figures) {
    PrintIdleFigures(
        "X11", *source, *recorder, [this] { return Move(); },
        [this] {
            return std::make_shared<BackgroundProcess>(
                std::vector<std::string>{"/bin/sh", "-c",
                                         "while :; do xdotool mousemove_relative 1 0; sleep 1; "
                                         "xdotool mousemove_relative -- -1 0; sleep 1; done"},
                server->ClientEnv());
        });
}

} // namespace
} // namespace zanpel::test
