// The Wayland idle source in a headless Sway of each test's own, which
// offers org_kde_kwin_idle alone (Sway 1.7), with a virtual pointer as the
// user's hand on the mouse.
#include "idlefigures.h"
#include "idlespells.h"
#include "support/idlerecorder.h"
#include "support/testsupport.h"
#include "support/wayland/swaysession.h"
#include "support/wayland/virtualpointer.h"
#include "tracking/idleopen.h"
#include "tracking/waylandidle.h"
#include "tracking/x11idle.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zanpel::test {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;

class WaylandIdle : public ::testing::Test {
protected:
    void SetUp() override {
        sway = std::make_unique<TestSway>(withXWayland);
        if (sway->Skip())
            GTEST_SKIP() << sway->Error();
        ASSERT_EQ(sway->Error(), "");
        socket = sway->RuntimeFolder() + "/" + sway->WaylandDisplay();
        source = ConnectWaylandIdle(socket);
        ASSERT_TRUE(source) << "Sway offers no idle protocol";
        recorder = std::make_unique<IdleRecorder>(*source);
        mouse = std::make_unique<VirtualPointer>(socket, 1280, 720);
        ASSERT_TRUE(mouse->Connected());
    }
    steady_clock::time_point Move() {
        ++moves;
        mouse->MoveTo(100 + moves % 500, 300);
        return steady_clock::now();
    }

    bool withXWayland = false;
    std::unique_ptr<TestSway> sway;
    std::string socket;
    std::unique_ptr<IdleSource> source;
    std::unique_ptr<IdleRecorder> recorder;
    std::unique_ptr<VirtualPointer> mouse;
    int moves = 0;
};

TEST_F(WaylandIdle, EachSpellLongerThanTheWatchedTimeIsIdleUntilTheNextInput) {
    EXPECT_EQ(source->Name(), "Wayland の org_kde_kwin_idle");
    CheckSpells(
        *source, *recorder, [this] { return Move(); }, 1500ms, 6, 20261209);
}

TEST_F(WaylandIdle, TheSameTimeAgainKeepsCountingFromTheLastInput) {
    CheckSameTimeAgain(*source, *recorder, [this] { return Move(); });
}

TEST_F(WaylandIdle, ANewTimeWhileAwayCountsAfterTheReturn) {
    CheckNewTimeWhileAway(*source, *recorder, [this] { return Move(); });
}

TEST_F(WaylandIdle, AWatchOfZeroEndsTheWatchEvenWhileAway) {
    CheckWatchOfZero(*source, *recorder, [this] { return Move(); });
}

class WaylandSessionIdle : public WaylandIdle {
protected:
    WaylandSessionIdle() { withXWayland = true; }
};

// The bar on XWayland: XWayland's server would tell the input of X11
// windows alone, and has no MIT-SCREEN-SAVER anyway; the compositor tells.
TEST_F(WaylandSessionIdle, TheSessionsSourceIsTheCompositorsNotXWaylands) {
    EXPECT_FALSE(ConnectX11Idle(sway->X11Display()));
    const ScopedEnvironment session({{"WAYLAND_DISPLAY", socket},
                                     {"DISPLAY", sway->X11Display()},
                                     {"DBUS_SESSION_BUS_ADDRESS", ""}});
    EXPECT_EQ(OpenIdleSource("xcb")->Name(), "Wayland の org_kde_kwin_idle");
    EXPECT_EQ(OpenIdleSource("wayland")->Name(), "Wayland の org_kde_kwin_idle");
}

// By hand: --gtest_also_run_disabled_tests --gtest_filter=*Figures*
TEST_F(WaylandIdle, DISABLED_Figures) {
    PrintIdleFigures(
        "Sway", *source, *recorder, [this] { return Move(); },
        [this] {
            return InAnotherProcess([this] {
                VirtualPointer other(socket, 1280, 720);
                for (int second = 0;; ++second) {
                    other.MoveTo(600 + second % 2, 400);
                    ::sleep(1);
                }
            });
        });
}

} // namespace
} // namespace zanpel::test
