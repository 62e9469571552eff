// The Wayland idle source in a headless KWin of each test's own, which
// offers ext-idle-notify-v1 beside KDE's older protocol, with KDE's fake
// input as the user's hand on the mouse.
#include "idlefigures.h"
#include "idlespells.h"
#include "support/desktops/kwinsession.h"
#include "support/idlerecorder.h"
#include "support/testsupport.h"
#include "support/wayland/fakeinput.h"
#include "tracking/idleopen.h"
#include "tracking/waylandidle.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace zanpel::test {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;

class KWinIdle : public ::testing::Test {
protected:
    void SetUp() override {
        // KWin shows its fake input only to programs that a desktop file
        // grants it, unless told otherwise at its start.
        const ScopedEnvironment permit({{"KWIN_WAYLAND_NO_PERMISSION_CHECKS", "1"}});
        kwin = std::make_unique<TestKWin>();
        if (kwin->Skip())
            GTEST_SKIP() << kwin->Error();
        ASSERT_EQ(kwin->Error(), "");
        env = kwin->ClientEnv();
        socket = env.at("XDG_RUNTIME_DIR") + "/" + env.at("WAYLAND_DISPLAY");
        source = ConnectWaylandIdle(socket);
        ASSERT_TRUE(source) << "KWin offers no idle protocol";
        recorder = std::make_unique<IdleRecorder>(*source);
        mouse = std::make_unique<KWinFakeInput>(socket);
        ASSERT_TRUE(mouse->Connected());
    }
    steady_clock::time_point Move() {
        mouse->MoveBy(++moves % 2 == 0 ? 5 : -5, 0);
        return steady_clock::now();
    }

    std::unique_ptr<TestKWin> kwin;
    std::map<std::string, std::string> env;
    std::string socket;
    std::unique_ptr<IdleSource> source;
    std::unique_ptr<IdleRecorder> recorder;
    std::unique_ptr<KWinFakeInput> mouse;
    int moves = 0;
};

TEST_F(KWinIdle, EachSpellLongerThanTheWatchedTimeIsIdleUntilTheNextInput) {
    EXPECT_EQ(source->Name(), "Wayland の ext-idle-notify-v1");
    CheckSpells(
        *source, *recorder, [this] { return Move(); }, 1500ms, 6, 20261212);
}

TEST_F(KWinIdle, TheSameTimeAgainKeepsCountingFromTheLastInput) {
    CheckSameTimeAgain(*source, *recorder, [this] { return Move(); });
}

TEST_F(KWinIdle, ANewTimeWhileAwayCountsAfterTheReturn) {
    CheckNewTimeWhileAway(*source, *recorder, [this] { return Move(); });
}

// The bar on KWin's XWayland: the compositor tells (KWin has no mutter on
// its bus).
TEST_F(KWinIdle, TheSessionsSourceIsTheCompositors) {
    const ScopedEnvironment session(env);
    EXPECT_EQ(OpenIdleSource("xcb")->Name(), "Wayland の ext-idle-notify-v1");
}

// By hand: --gtest_also_run_disabled_tests --gtest_filter=*Figures*
TEST_F(KWinIdle, DISABLED_Figures) {
    PrintIdleFigures(
        "KWin", *source, *recorder, [this] { return Move(); },
        [this] {
            return InAnotherProcess([this] {
                KWinFakeInput other(socket);
                for (int second = 0;; ++second) {
                    other.MoveBy(second % 2 == 0 ? 3 : -3, 0);
                    ::sleep(1);
                }
            });
        });
}

} // namespace
} // namespace zanpel::test
