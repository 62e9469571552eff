// mutter's idle monitor in a headless GNOME Shell of each test's own, with
// the test extension's virtual pointer as the user's hand on the mouse. (The
// shell has no screen shield there, so no lock: it makes one only when GDM
// answers on the system bus and systemd's seats exist.)
#include "idlefigures.h"
#include "idlespells.h"
#include "support/desktops/gnomesession.h"
#include "support/idlerecorder.h"
#include "support/testsupport.h"
#include "support/x11/xserver.h"
#include "tracking/gnomeidle.h"
#include "tracking/idleopen.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using namespace std::chrono_literals;
using std::chrono::steady_clock;

class GnomeIdle : public ::testing::Test {
protected:
    void SetUp() override {
        shell = std::make_unique<TestGnomeShell>(false);
        if (shell->Skip())
            GTEST_SKIP() << shell->Error();
        ASSERT_EQ(shell->Error(), "");
        env = shell->ClientEnv();
        source = ConnectGnomeIdle(env.at("DBUS_SESSION_BUS_ADDRESS"));
        ASSERT_TRUE(source) << "no idle monitor on the session bus";
        recorder = std::make_unique<IdleRecorder>(*source);
    }
    steady_clock::time_point Move() {
        ++moves;
        shell->MovePointer(100 + moves % 500, 300);
        return steady_clock::now();
    }

    std::unique_ptr<TestGnomeShell> shell;
    std::map<std::string, std::string> env;
    std::unique_ptr<IdleSource> source;
    std::unique_ptr<IdleRecorder> recorder;
    int moves = 0;
};

TEST_F(GnomeIdle, EachSpellLongerThanTheWatchedTimeIsIdleUntilTheNextInput) {
    CheckSpells(
        *source, *recorder, [this] { return Move(); }, 1500ms, 6, 20261210);
}

TEST_F(GnomeIdle, ANewTimeWhileAwayCountsAfterTheReturn) {
    CheckNewTimeWhileAway(*source, *recorder, [this] { return Move(); });
}

TEST_F(GnomeIdle, AWatchOfZeroEndsTheWatchEvenWhileAway) {
    CheckWatchOfZero(*source, *recorder, [this] { return Move(); });
}

TEST_F(GnomeIdle, AWatchSetWhenTheSpellIsLongerAlreadyIsIdleAtOnceWithTheWholeSpell) {
    CheckWatchAfterALongerSpell(*source, *recorder, [this] { return Move(); });
}

// On GNOME the shell tells, on Wayland and on X11 alike.
TEST_F(GnomeIdle, TheSessionsSourceIsTheShellsIdleMonitor) {
    const ScopedEnvironment session(env);
    EXPECT_EQ(OpenIdleSource("xcb")->Name(), "GNOME Shell の IdleMonitor");
    const ScopedEnvironment x11{{"WAYLAND_DISPLAY", ""}};
    EXPECT_EQ(OpenIdleSource("xcb")->Name(), "GNOME Shell の IdleMonitor");
}

// By hand: --gtest_also_run_disabled_tests --gtest_filter=*Figures*
TEST_F(GnomeIdle, DISABLED_Figures) {
    const std::string move =
        FindProgram("gdbus") +
        " call --session -d org.example.zanpel.Test -o /org/example/zanpel/Test"
        " -m org.example.zanpel.Test.MovePointer ";
    PrintIdleFigures(
        "GNOME Shell", *source, *recorder, [this] { return Move(); },
        [&] {
            return std::make_shared<BackgroundProcess>(
                std::vector<std::string>{"/bin/sh", "-c",
                                         "while :; do " + move + "100 300 >/dev/null; sleep 1; " +
                                             move + "200 300 >/dev/null; sleep 1; done"},
                env);
        });
}

} // namespace
} // namespace zanpel::test
