// The start's put-off work: it waits for the bar's first frame, and does not
// wait for ever when no frame comes.
#include "app/programtrace.h"
#include "support/qtwait.h"

#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace zanpel {
namespace {

using test::RunLoopUntil;

TEST(FirstFrame, PutOffWorkRunsOnceAfterTheFirstFrameInOrderAndLaterWorkAtOnce) {
    // Only the frame can run the work within the test's time.
    TFirstFrame frame(std::chrono::steady_clock::now(), std::chrono::minutes(5));
    QWidget window;
    window.installEventFilter(&frame);
    std::vector<int> ran;
    bool paintedBeforeFirstJob = false;
    int paints = 0;
    struct PaintCounter : QObject {
        int& Count;
        explicit PaintCounter(int& count) : Count(count) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++Count;
            return false;
        }
    } counter(paints);
    window.installEventFilter(&counter);
    frame.AfterFirstFrame([&] {
        paintedBeforeFirstJob = paints > 0;
        ran.push_back(1);
    });
    frame.AfterFirstFrame([&] { ran.push_back(2); });
    EXPECT_TRUE(ran.empty()); // nothing runs before the loop and the frame

    window.resize(40, 30);
    window.show();
    ASSERT_TRUE(RunLoopUntil([&] { return ran.size() == 2; }, 5000));
    EXPECT_TRUE(paintedBeforeFirstJob);
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));

    // Repaints run nothing again; work put off after the frame runs soon.
    window.update();
    frame.AfterFirstFrame([&] { ran.push_back(3); });
    ASSERT_TRUE(RunLoopUntil([&] { return ran.size() == 3; }, 5000));
    RunLoopUntil([] { return false; }, 50);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST(FirstFrame, PutOffWorkRunsAfterItsLatestWhenTheWindowIsNeverDrawn) {
    TFirstFrame frame(std::chrono::steady_clock::now(), std::chrono::milliseconds(400));
    QWidget window; // never shown
    window.installEventFilter(&frame);
    bool ran = false;
    const auto start = std::chrono::steady_clock::now();
    frame.AfterFirstFrame([&] { ran = true; });
    RunLoopUntil([] { return false; }, 100);
    EXPECT_FALSE(ran);
    ASSERT_TRUE(RunLoopUntil([&] { return ran; }, 5000));
    // A coarse timer may fire up to a twentieth early.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(380));
}

} // namespace
} // namespace zanpel
