// The X11 idle source on an Xvfb server of each test's own, with xdotool as
// the user's hand on the mouse.
#include "support/idlerecorder.h"
#include "support/process.h"
#include "support/qtwait.h"
#include "support/x11/xservertest.h"
#include "tracking/idleopen.h"
#include "tracking/x11idle.h"

#include <QTest>

#include <gtest/gtest.h>

#include <random>

namespace zanpel::test {
namespace {

using namespace std::chrono_literals;
using Kind = IdleRecorder::Kind;
using std::chrono::milliseconds;
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
    bool WaitForEvents(std::size_t count, int timeoutMs) {
        return RunLoopUntil([&] { return recorder->Size() >= count; }, timeoutMs);
    }

    std::unique_ptr<IdleSource> source;
    std::unique_ptr<IdleRecorder> recorder;
    int moves = 0;
};

// Spells of random lengths, shorter and longer than the watched time: each
// longer one gives one idle event, not before the watched time has passed
// since the last input, and the next input one active event; a shorter one
// gives nothing.
TEST_F(X11Idle, EachSpellLongerThanTheWatchedTimeIsIdleUntilTheNextInput) {
    constexpr milliseconds Watched = 1500ms;
    std::mt19937 random(20261208);
    steady_clock::time_point lastInput = Move();
    source->Watch(Watched);
    for (int spell = 0; spell < 8; ++spell) {
        const bool away = spell % 2 == 0 || random() % 2 == 0;
        const int length = away ? 2000 + static_cast<int>(random() % 1000)
                                : 200 + static_cast<int>(random() % 500);
        const std::size_t before = recorder->Size();
        QTest::qWait(length - static_cast<int>((steady_clock::now() - lastInput) / 1ms));
        SCOPED_TRACE("spell " + std::to_string(spell) + " of " + std::to_string(length) + " ms");
        if (!away) {
            EXPECT_EQ(recorder->Size(), before) << recorder->Describe();
            lastInput = Move();
            continue;
        }
        ASSERT_EQ(recorder->Size(), before + 1) << recorder->Describe();
        const IdleRecorder::Event idle = recorder->Last();
        EXPECT_EQ(idle.What, Kind::Idle);
        EXPECT_GE(idle.IdleFor, Watched);
        EXPECT_LE(idle.IdleFor, milliseconds(length));
        EXPECT_GE(idle.At - lastInput, Watched - 50ms);
        lastInput = Move();
        ASSERT_TRUE(WaitForEvents(before + 2, 3000)) << recorder->Describe();
        EXPECT_EQ(recorder->Last().What, Kind::Active);
    }
    EXPECT_TRUE(recorder->IdleAndActiveAlternate()) << recorder->Describe();
}

TEST_F(X11Idle, AWatchSetWhenTheSpellIsLongerAlreadyIsIdleAtOnceWithTheWholeSpell) {
    Move();
    QTest::qWait(1200);
    source->Watch(500ms);
    ASSERT_EQ(recorder->Size(), 1u) << recorder->Describe();
    EXPECT_GE(recorder->Last().IdleFor, 1200ms);
}

// A new time while away: the spell under way waits for its return and is
// not told twice; the new time counts for the next spell.
TEST_F(X11Idle, ANewTimeWhileAwayCountsAfterTheReturn) {
    Move();
    source->Watch(800ms);
    ASSERT_TRUE(WaitForEvents(1, 3000)) << recorder->Describe();
    source->Watch(2500ms);
    QTest::qWait(1000);
    EXPECT_EQ(recorder->Size(), 1u) << recorder->Describe();
    const steady_clock::time_point back = Move();
    ASSERT_TRUE(WaitForEvents(2, 3000)) << recorder->Describe();
    ASSERT_TRUE(WaitForEvents(3, 5000)) << recorder->Describe();
    EXPECT_GE(recorder->Last().At - back, 2500ms - 50ms);
    EXPECT_TRUE(recorder->IdleAndActiveAlternate()) << recorder->Describe();
}

TEST_F(X11Idle, AWatchOfZeroEndsTheWatchEvenWhileAway) {
    Move();
    source->Watch(500ms);
    ASSERT_TRUE(WaitForEvents(1, 3000)) << recorder->Describe();
    source->Watch(0ms);
    Move();
    QTest::qWait(1500);
    EXPECT_EQ(recorder->Size(), 1u) << recorder->Describe();
}

} // namespace
} // namespace zanpel::test
