#include "support/switchmeasure.h"

#include "support/process.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zanpel::test {

void MeasureSwitchLatencyAndCpu(const TSwitchMeasure& m) {
    std::vector<double> latencies;
    for (int i = 0; i <= 50; ++i) {
        const int switches = CountOf(m.Trace(), "switched ");
        m.Activate(i);
        const auto seen = m.EventSeen(i);
        ASSERT_TRUE(seen);
        ASSERT_TRUE(WaitFor([&] { return CountOf(m.Trace(), "switched ") > switches; }, 5000));
        const std::string trace = m.Trace();
        const long long pressed = std::stoll(trace.substr(trace.rfind(" at ") + 4));
        const long long event =
            std::chrono::duration_cast<std::chrono::microseconds>(seen->time_since_epoch()).count();
        if (i > 0) // the first one also wakes up everything
            latencies.push_back(static_cast<double>(pressed - event) / 1000.0);
        ::usleep(100 * 1000);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("switch latency over %zu switches: median %.2f ms, 90%% %.2f ms, max %.2f ms\n",
                latencies.size(), latencies[latencies.size() / 2],
                latencies[latencies.size() * 9 / 10], latencies.back());
    std::fflush(stdout);

    const double idle = CpuSeconds(m.BarPid);
    ::sleep(60);
    const double busy = CpuSeconds(m.BarPid);
    for (int i = 0; i < 60; ++i) {
        m.Activate(i);
        ::sleep(1);
    }
    const double end = CpuSeconds(m.BarPid);
    std::printf("bar CPU: %.3f s in 60 s idle (%.2f %%), %.3f s in 60 s of switches every second "
                "(%.2f %%)\n",
                busy - idle, (busy - idle) / 60 * 100, end - busy, (end - busy) / 60 * 100);
    std::fflush(stdout);
}

} // namespace zanpel::test
