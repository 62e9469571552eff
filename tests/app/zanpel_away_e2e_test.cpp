// The real bar on an X server of the test's own: a minute without input
// while an item runs, and the question on the return, answered from the
// keyboard, books the spell as a rest.
#include "support/process.h"
#include "support/testsupport.h"
#include "support/x11/xservertest.h"
#include "support/zanpel.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <sstream>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The periods of a month file's line of item, each a quoted field
// "start,end,program,title": start and end in seconds.
std::vector<std::pair<int, int>> Periods(const std::string& month, const std::string& item) {
    std::vector<std::pair<int, int>> periods;
    const size_t at = month.find("," + Sjis(item) + ",");
    if (at == std::string::npos)
        return periods;
    const std::string line = month.substr(at, month.find("\r\n", at) - at);
    const auto seconds = [](const std::string& t) {
        return std::stoi(t.substr(0, 2)) * 3600 + std::stoi(t.substr(3, 2)) * 60 +
               std::stoi(t.substr(6, 2));
    };
    for (size_t open = line.find('"'); open != std::string::npos;
         open = line.find('"', line.find('"', open + 1) + 1))
        periods.emplace_back(seconds(line.substr(open + 1, 8)), seconds(line.substr(open + 10, 8)));
    return periods;
}

class AwayOnX11 : public XServerTest {
protected:
    AwayOnX11() : XServerTest({"openbox", "xdotool"}) {}
    void SetUp() override {
        XServerTest::SetUp();
        if (!ServerStarted())
            return;
        ASSERT_TRUE(server->StartWindowManager());
        WriteFile(data.File("zanpel.wk2"), Sjis("@設計,,\r\n@会議,,\r\n@休憩,,\r\n"));
        WriteFile(data.File("zanpel.ini"), "AWAYTIME=1\r\nAUTOHIDE=0\r\n");
    }
    std::map<std::string, std::string> Env() const {
        std::map<std::string, std::string> env = BarEnvironment(data.Path(), runtime.Path());
        env.merge(server->ClientEnv());
        env["QT_QPA_PLATFORM"] = "xcb";
        return env;
    }
    std::string Trace() const { return ReadFile(data.File("trace")); }
    ::testing::AssertionResult Traced(const std::string& line) const {
        if (WaitFor([&] { return Trace().find(line) != std::string::npos; }, 15000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the trace is:\n" << Trace();
    }
    std::string Xdotool(const std::vector<std::string>& args) const {
        std::vector<std::string> argv{FindProgram("xdotool")};
        argv.insert(argv.end(), args.begin(), args.end());
        return RunProcess(argv, server->ClientEnv()).Out;
    }

    TempDir data;
    TempDir runtime;
};

TEST_F(AwayOnX11, AMinuteWithoutInputIsAskedAboutOnReturnAndRestSplitsTheItem) {
    auto bar = StartZanpel(Env());
    ASSERT_TRUE(Traced("started"));
    EXPECT_THAT(Trace(), Not(HasSubstr("away")));
    // The user works in a window of another program, with 設計 running.
    const std::string ids = data.File("window");
    BackgroundProcess window({XCLIENT_ALPHA, "--title", "editor", "--id-file", ids},
                             server->ClientEnv());
    ASSERT_TRUE(WaitFor([&] { return !ReadFile(ids).empty(); }, 10000));
    const auto editor = static_cast<uint32_t>(std::stoul(ReadFile(ids)));
    RunProcess(ZanpelCommand({"設計"}), Env());
    ASSERT_TRUE(Traced("handover item 設計"));
    XProbe probe(server->Display());
    ASSERT_TRUE(ActivateWithXdotool(server->Display(), probe, editor));
    ::sleep(3); // longer than NOCOUNT: the period before the spell is kept
    Xdotool({"mousemove_relative", "--", "3", "3"}); // the user's last input

    // Away for longer than a minute: nothing is asked until the return.
    ::sleep(70);
    EXPECT_THAT(Trace(), HasSubstr("idle for "));
    EXPECT_THAT(Trace(), Not(HasSubstr("away asked")));
    Xdotool({"mousemove_relative", "--", "7", "5"});
    ASSERT_TRUE(Traced("away asked 離席していました: "));
    // The question takes no focus from the window the user came back to.
    const std::string dialog = Xdotool({"search", "--sync", "--name", "^離席$"});
    ASSERT_FALSE(dialog.empty());
    ::usleep(300 * 1000);
    EXPECT_EQ(probe.ActiveWindow(), editor)
        << Xdotool({"getwindowname", std::to_string(probe.ActiveWindow())});
    // Answered from the keyboard: 休憩にする.
    Xdotool({"windowactivate", "--sync", dialog.substr(0, dialog.find('\n')), "key",
             "--clearmodifiers", "alt+r"});
    ASSERT_TRUE(Traced("away answered rest"));
    ::sleep(2); // the item goes on after the spell

    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);
    const std::string month = MonthFiles(data.Path());
    // The computer-on record: its span, then the rest of the spell.
    const auto login = Periods(month, "%LOGIN%");
    ASSERT_GE(login.size(), 2U) << month;
    EXPECT_GE(login[1].second - login[1].first, 60) << month;
    // 設計 before the spell and after it, apart by the rest.
    const auto work = Periods(month, "設計");
    ASSERT_EQ(work.size(), 2U) << month;
    EXPECT_LE(work[0].second, login[1].first);
    EXPECT_GE(work[1].first, login[1].second);
}

// The figures of the README, run by hand on a release build:
//   zanpel_away_e2e_test --gtest_also_run_disabled_tests --gtest_filter='*Measure*'
// The bar's CPU over a minute of timing an item while the user works (an
// input every second), with the away watch on and off; and the delay from
// the moment just before xdotool starts to move the mouse, after a spell,
// to the moment the bar has shown the question (its trace line, on the same
// steady clock).
TEST_F(AwayOnX11, DISABLED_MeasureCpuAndTheDelayOfTheQuestion) {
    const auto cpuOfAMinute = [&](const std::string& settings) {
        WriteFile(data.File("zanpel.ini"), settings);
        std::filesystem::remove(data.File("trace"));
        auto bar = StartZanpel(Env());
        EXPECT_TRUE(Traced("started"));
        RunProcess(ZanpelCommand({"設計"}), Env());
        const double before = CpuSeconds(bar->Pid());
        for (int i = 0; i < 60; ++i) {
            Xdotool({"mousemove_relative", "--", i % 2 ? "5" : "-5", "0"});
            ::sleep(1);
        }
        const double used = CpuSeconds(bar->Pid()) - before;
        bar->Signal(SIGTERM);
        EXPECT_EQ(bar->Wait(20000), 0);
        return used;
    };
    const double off = cpuOfAMinute("AWAYTIME=0\r\nAUTOHIDE=0\r\n");
    const double on = cpuOfAMinute("AWAYTIME=10\r\nAUTOHIDE=0\r\n");
    std::printf("bar CPU in a minute of timing with input every second: away watch off %.3f s, "
                "on %.3f s\n",
                off, on);
    std::fflush(stdout);

    WriteFile(data.File("zanpel.ini"), "AWAYTIME=1\r\nAUTOHIDE=0\r\n");
    std::filesystem::remove(data.File("trace"));
    auto bar = StartZanpel(Env());
    ASSERT_TRUE(Traced("started"));
    RunProcess(ZanpelCommand({"設計"}), Env());
    ::sleep(3);
    std::vector<double> delays;
    for (int spell = 0; spell < 3; ++spell) {
        Xdotool({"mousemove_relative", "--", "3", "3"});
        ::sleep(62);
        const int shown = CountOf(Trace(), "away shown at ");
        const auto start = std::chrono::steady_clock::now();
        Xdotool({"mousemove_relative", "--", "-3", "-3"});
        ASSERT_TRUE(WaitFor([&] { return CountOf(Trace(), "away shown at ") > shown; }, 10000));
        const std::string trace = Trace();
        const long long at = std::stoll(trace.substr(trace.rfind("away shown at ") + 14));
        const long long from =
            std::chrono::duration_cast<std::chrono::microseconds>(start.time_since_epoch()).count();
        delays.push_back(static_cast<double>(at - from) / 1000.0);
    }
    std::printf("input to the question shown: %.1f ms (first in the process), %.1f ms, %.1f ms "
                "(the open question widened)\n",
                delays[0], delays[1], delays[2]);
    std::fflush(stdout);
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

} // namespace
} // namespace zanpel::test
