// The real zanpel binary in a Wayland session of the test's own (headless
// Sway with XWayland): the bar docks through Sway's IPC, and foot windows
// and an X11 program taking turns in front switch its items by the rules of
// its definition file.
#include "support/process.h"
#include "support/switchmeasure.h"
#include "support/testsupport.h"
#include "support/tracewait.h"
#include "support/wayland/swaysession.h"
#include "support/wayland/toplevelprobe.h"
#include "support/wayland/virtualpointer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <csignal>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class BarOnSway : public ::testing::Test {
protected:
    void SetUp() override {
        sway = std::make_unique<TestSway>(withXWayland);
        if (sway->Skip())
            GTEST_SKIP() << sway->Error();
        ASSERT_EQ(sway->Error(), "");
        data = sway->NewFolder("data");
        WriteFile(data + "/zanpel.wk2", Sjis("@設計,,@AP1,\"alpha/設計*\",\r\n"
                                             "@会議,,@AP1,\"beta/\",\r\n"
                                             "@開発,,@AP1,\"xclient_alpha/\",\r\n@休憩,,\r\n"));
        Settings("APPSWITCH=1\r\nAUTOHIDE=0\r\n");
    }
    void Settings(const std::string& text) {
        WriteFile(data + "/zanpel.ini", text);
        sway->GiveToUser(data);
    }
    std::unique_ptr<BackgroundProcess> StartBar() {
        std::filesystem::remove(data + "/trace");
        auto bar = sway->Start({sway->Runnable(ZANPEL_PATH)}, {{"ZANPEL_DATA_DIR", data},
                                                               {"ZANPEL_TRACE", data + "/trace"},
                                                               {"ASAN_OPTIONS", "detect_leaks=0"}});
        EXPECT_TRUE(Traced("started"));
        return bar;
    }
    std::string Trace() const { return ReadFile(data + "/trace"); }
    ::testing::AssertionResult Traced(const std::string& line, int times = 1) const {
        return TraceHas(data + "/trace", line, times);
    }
    // The bar's window once Sway shows it where wanted says.
    TSwayWindow Bar(const std::function<bool(const TSwayWindow&)>& wanted) const {
        TSwayWindow bar;
        WaitFor(
            [&] {
                bar = FindSwayWindow(sway->Tree(), "class", "Zanpel");
                return bar.Found && wanted(bar);
            },
            10000);
        return bar;
    }
    void Focus(const std::string& criteria) {
        EXPECT_NE(sway->Message({criteria + " focus"}), "") << criteria;
    }

    bool withXWayland = true;
    std::unique_ptr<TestSway> sway;
    std::string data;
};

class BarOnSwayWithoutXWayland : public BarOnSway {
protected:
    BarOnSwayWithoutXWayland() { withXWayland = false; }
};

TEST_F(BarOnSway, RunsOnXWaylandFloatingAndStickyAtTheRightEdge) {
    auto bar = StartBar();
    const TSwayWindow shown = Bar([](const TSwayWindow& w) { return w.X == 1280 - 165; });
    ASSERT_TRUE(shown.Found) << sway->Tree();
    EXPECT_EQ(shown.Shell, "xwayland");
    EXPECT_TRUE(shown.Floating);
    EXPECT_TRUE(shown.Sticky);
    EXPECT_EQ(shown.X, 1280 - 165);
    EXPECT_EQ(shown.Y, 0);
    EXPECT_EQ(shown.Width, 165);
    EXPECT_EQ(shown.Height, 720);
    // Sticky: it stays on the screen on another workspace.
    sway->Message({"workspace", "2"});
    const TSwayWindow elsewhere = Bar([](const TSwayWindow& w) { return w.X == 1280 - 165; });
    EXPECT_TRUE(elsewhere.Found);
    EXPECT_EQ(elsewhere.Width, 165);
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

TEST_F(BarOnSway, HidesWhenTheMouseLeavesForAWaylandWindowAndComesBackAtItsEdge) {
    // At the left edge: Sway makes no floating window thinner than 75
    // pixels, so the hidden bar lies off the screen but for its last pixel.
    Settings("AUTOHIDE=1\r\nWINALIGN=3,0,0,0\r\n");
    auto foot = sway->StartFoot("alpha", "設計書 - foot");
    VirtualPointer mouse(sway->RuntimeFolder() + "/" + sway->WaylandDisplay(), 1280, 720);
    ASSERT_TRUE(mouse.Connected());
    mouse.MoveTo(640, 360);
    auto bar = StartBar();
    ASSERT_TRUE(Traced("bar hidden"));
    const TSwayWindow strip = Bar([](const TSwayWindow& w) { return w.X + w.Width == 1; });
    EXPECT_EQ(strip.X + strip.Width, 1) << Trace();
    EXPECT_EQ(strip.Height, 720);
    EXPECT_TRUE(strip.Sticky);
    // The mouse resting on that pixel brings the bar back, 166 pixels thick
    // after the animation.
    mouse.MoveTo(0, 300);
    ASSERT_TRUE(Traced("bar shown"));
    const TSwayWindow shown = Bar([](const TSwayWindow& w) { return w.X == 0 && w.Width == 166; });
    EXPECT_EQ(shown.X, 0) << Trace();
    EXPECT_EQ(shown.Width, 166);
    // Off the bar onto the foot window, of which XWayland knows nothing.
    mouse.MoveTo(640, 300);
    EXPECT_TRUE(Traced("bar hidden", 2));
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

TEST_F(BarOnSway, FootAndX11WindowsInFrontSwitchItemsAndTheMonthKeepsThem) {
    auto bar = StartBar();
    auto alpha = sway->StartFoot("alpha", "設計書 - foot");
    auto beta = sway->StartFoot("beta", "会議メモ");
    const std::string ids = sway->NewFolder("ids");
    auto x11 = sway->Start(
        {sway->Runnable(XCLIENT_ALPHA), "--title", "開発メモ", "--id-file", ids + "/x11"});
    ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(ids + "/x11"); }, 15000));

    // Each new window took the focus as it came; from here on each focus is
    // one more switch, held for more than a second (NOCOUNT) so that its
    // period is kept.
    const auto switchesTo = [&](const std::string& criteria, const std::string& item) {
        const std::string line = "switched " + item + " at";
        const int before = CountOf(Trace(), line);
        Focus(criteria);
        const bool switched = Traced(line, before + 1);
        ::usleep(2500 * 1000);
        return switched;
    };
    EXPECT_TRUE(switchesTo("[app_id=alpha]", "設計"));
    EXPECT_TRUE(switchesTo("[app_id=beta]", "会議"));
    EXPECT_TRUE(Traced("app alpha/設計書 - foot\n"));
    EXPECT_TRUE(Traced("app beta/会議メモ\n"));
    // An X11 program through XWayland: named by its process, as on X11.
    EXPECT_TRUE(switchesTo("[title=開発メモ]", "開発"));
    EXPECT_TRUE(Traced("app xclient_alpha/開発メモ\n"));
    // Back to a Wayland window: XWayland now names no window, and that must
    // not hide the Wayland one.
    EXPECT_TRUE(switchesTo("[app_id=alpha]", "設計"));

    // The bar in front: nothing is listed and nothing switches.
    const std::string before = Trace();
    Focus("[class=Zanpel]");
    ::usleep(500 * 1000);
    EXPECT_EQ(Trace(), before);
    EXPECT_THAT(Trace(), Not(HasSubstr("app zanpel")));
    EXPECT_THAT(Trace(), Not(HasSubstr("app org.example.zanpel")));

    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
    EXPECT_TRUE(Traced("saved month"));
    const std::string month = MonthFiles(data);
    for (const char* item : {",設計,", ",会議,", ",開発,"})
        EXPECT_THAT(month, HasSubstr(Sjis(item))) << item << "\n" << Trace();
}

TEST_F(BarOnSwayWithoutXWayland, RunsOnWaylandSaysOnceWhatItCannotDoAndSeesWaylandWindows) {
    auto bar = StartBar();
    ASSERT_TRUE(Traced("notice "));
    EXPECT_THAT(Trace(), HasSubstr("XWayland が必要"));
    TSwayWindow own;
    ASSERT_TRUE(WaitFor(
        [&] { return (own = FindSwayWindow(sway->Tree(), "app_id", "org.example.zanpel")).Found; },
        10000));
    EXPECT_EQ(own.Shell, "xdg_shell");
    auto alpha = sway->StartFoot("alpha", "設計書 - foot");
    auto beta = sway->StartFoot("beta", "会議メモ");
    // The notice box is open, and the bar still follows the windows.
    Focus("[app_id=alpha]");
    EXPECT_TRUE(Traced("app alpha/設計書 - foot\n"));
    EXPECT_TRUE(Traced("switched 設計 at"));
    Focus("[app_id=beta]");
    EXPECT_TRUE(Traced("switched 会議 at"));
    // Its own windows, known by their app_id, are never listed.
    EXPECT_NE(sway->Message({"[app_id=org.example.zanpel] focus"}), "");
    ::usleep(500 * 1000);
    EXPECT_THAT(Trace(), Not(HasSubstr("app org.example.zanpel")));
    EXPECT_EQ(CountOf(Trace(), "notice "), 1);
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

// The figures of the README, run by hand on a release build:
//   zanpel_sway_e2e_test --gtest_also_run_disabled_tests --gtest_filter='*Measure*'
// Latency: from the moment a Wayland client of the compositor reads the
// "activated" state of the window focused (the test's own foreign toplevel
// client) to the moment the bar has pressed the new item (its trace line,
// stamped with the same monotonic clock). CPU: the bar's user and system time
// from /proc while the window in front changes every second for a minute.
TEST_F(BarOnSway, DISABLED_MeasureSwitchLatencyAndCpu) {
    auto bar = StartBar();
    auto alpha = sway->StartFoot("alpha", "設計書");
    auto beta = sway->StartFoot("beta", "会議メモ");
    ToplevelProbe probe(sway->RuntimeFolder() + "/" + sway->WaylandDisplay());
    ASSERT_TRUE(probe.Connected());
    const char* apps[] = {"alpha", "beta"};
    TSwitchMeasure measure;
    measure.Activate = [&](int i) { Focus(std::string("[app_id=") + apps[i % 2] + "]"); };
    measure.EventSeen = [&](int i) { return probe.NextActivation(apps[i % 2], 5000); };
    measure.Trace = [this] { return Trace(); };
    measure.BarPid = bar->Pid();
    MeasureSwitchLatencyAndCpu(measure);
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

} // namespace
} // namespace zanpel::test
