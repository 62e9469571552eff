// The figures of an idle source, measured by hand in disabled tests: the
// program's CPU in a minute of watching while the user works (an input
// every second, made by another process), and the delay from the first
// input after a spell to the active event.
#pragma once

#include "idlespells.h"

#include <QEventLoop>
#include <QTimer>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

namespace zanpel::test {

inline double ProcessCpuSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The event loop for span, without a poll of the test's own.
inline void RunEventsFor(std::chrono::milliseconds span) {
    QEventLoop loop;
    QTimer::singleShot(span, &loop, &QEventLoop::quit);
    loop.exec();
}

// A user's hand in a child process that runs hand (which never ends) until
// the answer goes.
inline std::shared_ptr<void> InAnotherProcess(const std::function<void()>& hand) {
    const pid_t child = ::fork();
    if (child == 0) {
        hand();
        ::_exit(0);
    }
    return std::shared_ptr<void>(nullptr, [child](void*) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    });
}

// startWorking: a user who makes an input every second until the answer
// goes. name: the source, for the printed lines.
inline void PrintIdleFigures(const char* name, IdleSource& source, const IdleRecorder& recorder,
                             const MakeInput& input,
                             const std::function<std::shared_ptr<void>()>& startWorking) {
    using namespace std::chrono_literals;
    {
        const std::shared_ptr<void> working = startWorking();
        const std::pair<const char*, std::chrono::milliseconds> watches[] = {
            {"no watch", 0ms}, {"watch of 10 min", 600000ms}, {"watch of 2 s", 2000ms}};
        for (const auto& [what, watched] : watches) {
            source.Watch(watched);
            const double before = ProcessCpuSeconds();
            RunEventsFor(60s);
            std::printf("%s, user working, %s: %.4f s CPU in 60 s\n", name, what,
                        ProcessCpuSeconds() - before);
            std::fflush(stdout); // before the next fork copies it
        }
        source.Watch(0ms);
        EXPECT_EQ(recorder.Size(), 0u) << recorder.Describe();
    }
    std::vector<double> delays;
    input();
    source.Watch(1000ms);
    for (std::size_t spell = 0; spell < 10; ++spell) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 2 * spell + 1; }, 5000))
            << recorder.Describe();
        const std::chrono::steady_clock::time_point back = input();
        ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.Size() == 2 * spell + 2; }, 5000))
            << recorder.Describe();
        delays.push_back(
            std::chrono::duration<double, std::milli>(recorder.Last().At - back).count());
    }
    std::sort(delays.begin(), delays.end());
    std::printf("%s: from the input to the active event: median %.2f ms, largest %.2f ms\n", name,
                delays[delays.size() / 2], delays.back());
    std::fflush(stdout);
}

} // namespace zanpel::test
