// Spells without input of random lengths on a real session, shorter and
// longer than the watched time, each ended by an input, and what an idle
// source must tell of them: the same checks for every source.
#pragma once

#include "support/idlerecorder.h"
#include "tracking/idlesource.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <random>
#include <string>

namespace zanpel::test {

// The earliest that a watch of watched may be told: a compositor's timers
// may run short by 5 % (KWin's are Qt's coarse timers).
inline std::chrono::milliseconds Early(std::chrono::milliseconds watched) {
    return watched * 95 / 100 - std::chrono::milliseconds(50);
}

// The input of a user's hand (a mouse move) made in the session; answers
// when it was made.
using MakeInput = std::function<std::chrono::steady_clock::time_point()>;

// Each spell longer than watched gives one idle event, not before watched
// has passed since the last input, telling at least watched and at most the
// spell; the input after it one active event. A shorter spell gives nothing.
// The source watches from an input on.
inline void CheckSpells(IdleSource& source, const IdleRecorder& recorder, const MakeInput& input,
                        std::chrono::milliseconds watched, int spells, unsigned seed) {
    using namespace std::chrono_literals;
    using std::chrono::milliseconds;
    std::mt19937 random(seed);
    std::chrono::steady_clock::time_point lastInput = input();
    source.Watch(watched);
    for (int spell = 0; spell < spells; ++spell) {
        // Half a watched time off it either way, for a loaded machine.
        const bool away = spell % 2 == 0 || random() % 2 == 0;
        const auto half = static_cast<int>(watched.count() / 2);
        const int length = away ? static_cast<int>(watched.count()) + half + random() % half
                                : 200 + random() % (half - 200);
        const std::size_t before = recorder.Size();
        QTest::qWait(length -
                     static_cast<int>((std::chrono::steady_clock::now() - lastInput) / 1ms));
        SCOPED_TRACE("seed " + std::to_string(seed) + ", spell " + std::to_string(spell) + " of " +
                     std::to_string(length) + " ms");
        if (!away) {
            EXPECT_EQ(recorder.Size(), before) << recorder.Describe();
            lastInput = input();
            continue;
        }
        ASSERT_EQ(recorder.Size(), before + 1) << recorder.Describe();
        const IdleRecorder::Event idle = recorder.Last();
        EXPECT_EQ(idle.What, IdleRecorder::Kind::Idle);
        EXPECT_GE(idle.IdleFor, watched);
        EXPECT_LE(idle.IdleFor, milliseconds(length));
        EXPECT_GE(idle.At - lastInput, Early(watched));
        lastInput = input();
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() >= before + 2; }, 3000))
            << recorder.Describe();
        EXPECT_EQ(recorder.Last().What, IdleRecorder::Kind::Active);
    }
    EXPECT_TRUE(recorder.IdleAndActiveAlternate()) << recorder.Describe();
}

// A new time while away: the spell under way waits for its return and is
// not told twice; the new time counts for the next spell.
inline void CheckNewTimeWhileAway(IdleSource& source, const IdleRecorder& recorder,
                                  const MakeInput& input) {
    using namespace std::chrono_literals;
    input();
    source.Watch(800ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 1; }, 3000)) << recorder.Describe();
    source.Watch(2500ms);
    QTest::qWait(1000);
    EXPECT_EQ(recorder.Size(), 1u) << recorder.Describe();
    const std::chrono::steady_clock::time_point back = input();
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 3; }, 6000)) << recorder.Describe();
    EXPECT_GE(recorder.Last().At - back, Early(2500ms));
    EXPECT_TRUE(recorder.IdleAndActiveAlternate()) << recorder.Describe();
}

// A watch set when the spell has lasted longer already is idle at once (from
// the event loop, not within Watch), and tells the whole spell (where the
// source can know it).
inline void CheckWatchAfterALongerSpell(IdleSource& source, const IdleRecorder& recorder,
                                        const MakeInput& input) {
    using namespace std::chrono_literals;
    input();
    QTest::qWait(1200);
    source.Watch(500ms);
    EXPECT_EQ(recorder.Size(), 0u) << "told within Watch";
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 1; }, 2000)) << recorder.Describe();
    EXPECT_GE(recorder.Last().IdleFor, 1200ms);
}

// The same time given again while the user is not yet away keeps counting
// from the last input.
inline void CheckSameTimeAgain(IdleSource& source, const IdleRecorder& recorder,
                               const MakeInput& input) {
    using namespace std::chrono_literals;
    const std::chrono::steady_clock::time_point last = input();
    source.Watch(1500ms);
    QTest::qWait(1000);
    source.Watch(1500ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 1; }, 4000)) << recorder.Describe();
    EXPECT_LT(recorder.Last().At - last, 2200ms);
}

// A watch of zero ends the watch, also while away: no active event follows.
inline void CheckWatchOfZero(IdleSource& source, const IdleRecorder& recorder,
                             const MakeInput& input) {
    using namespace std::chrono_literals;
    input();
    source.Watch(500ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 1; }, 3000)) << recorder.Describe();
    source.Watch(0ms);
    input();
    QTest::qWait(1500);
    EXPECT_EQ(recorder.Size(), 1u) << recorder.Describe();
}

} // namespace zanpel::test
