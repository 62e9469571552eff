// The real zanpel binary on an X server of the test's own (Xvfb with openbox):
// two test programs take turns in front, and the bar lists them and switches
// its items by the rules of its definition file.
#include "support/process.h"
#include "support/switchmeasure.h"
#include "support/testsupport.h"
#include "support/x11/xservertest.h"
#include "support/zanpel.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class BarOnX11 : public XServerTest {
protected:
    void SetUp() override {
        XServerTest::SetUp();
        if (!ServerStarted())
            return;
        ASSERT_TRUE(server->StartWindowManager());
        WriteFile(data.File("zanpel.wk2"), Sjis("@設計,,@AP1,\"xclient_alpha/設計\",\r\n"
                                                "@会議,,@AP1,\"xclient_beta/\",\r\n@休憩,,\r\n"));
        WriteFile(data.File("zanpel.ini"), "APPSWITCH=1\r\nAUTOHIDE=0\r\nWINALIGN=4,1,0,0\r\n");
    }
    std::map<std::string, std::string> Env() const {
        std::map<std::string, std::string> env = BarEnvironment(data.Path(), runtime.Path());
        env.merge(server->ClientEnv());
        env["QT_QPA_PLATFORM"] = "xcb";
        return env;
    }
    std::unique_ptr<BackgroundProcess>
    StartBar(const std::map<std::string, std::string>& more = {}) {
        std::map<std::string, std::string> env = Env();
        for (const auto& [key, value] : more)
            env[key] = value;
        auto bar = StartZanpel(env);
        EXPECT_TRUE(Traced("started"));
        return bar;
    }
    uint32_t Client(const char* program, std::vector<std::string> args) {
        const std::string idFile = data.File("window" + std::to_string(clients.size()));
        args.insert(args.begin(), program);
        args.insert(args.end(), {"--id-file", idFile});
        clients.push_back(std::make_unique<BackgroundProcess>(args, server->ClientEnv()));
        EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(idFile); }, 10000));
        return static_cast<uint32_t>(std::stoul("0" + ReadFile(idFile)));
    }
    void Activate(uint32_t window) {
        XProbe probe(server->Display());
        EXPECT_TRUE(ActivateWithXdotool(server->Display(), probe, window));
    }
    std::string Trace() const { return ReadFile(data.File("trace")); }
    // The trace has line at least `times` times.
    ::testing::AssertionResult Traced(const std::string& line, int times = 1) const {
        if (WaitFor([&] { return CountOf(Trace(), line) >= times; }, 15000))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the trace is:\n" << Trace();
    }
    // The bar's window: the managed window that none of the test programs made.
    uint32_t BarWindow(XProbe& probe, const std::vector<uint32_t>& others) {
        uint32_t bar = 0;
        WaitFor(
            [&] {
                for (const uint32_t window : probe.ClientList())
                    if (std::find(others.begin(), others.end(), window) == others.end())
                        bar = window;
                return bar != 0;
            },
            10000);
        return bar;
    }

    TempDir data;
    TempDir runtime;
    std::vector<std::unique_ptr<BackgroundProcess>> clients;
};

TEST_F(BarOnX11, ListsTheProgramsInFrontAndSwitchesByTheRulesButNeverSeesItself) {
    auto bar = StartBar();
    const uint32_t alpha = Client(XCLIENT_ALPHA, {"--title", "設計書.txt - エディタ"});
    const uint32_t beta = Client(XCLIENT_BETA, {"--title", "会議メモ", "--title2", "議事録 ①"});
    // New windows take the focus as they come; from beta in front on, each
    // activation is one more switch.
    Activate(beta);
    ASSERT_TRUE(Traced("switched 会議 at"));
    const int design = CountOf(Trace(), "switched 設計 at");
    const int meeting = CountOf(Trace(), "switched 会議 at");

    Activate(alpha);
    EXPECT_TRUE(Traced("switched 設計 at", design + 1));
    EXPECT_TRUE(Traced("app xclient_alpha/設計書.txt - エディタ\n"));
    Activate(beta);
    EXPECT_TRUE(Traced("switched 会議 at", meeting + 1));
    EXPECT_TRUE(Traced("app xclient_beta/会議メモ\n"));
    clients[1]->Signal(SIGUSR1);
    EXPECT_TRUE(Traced("app xclient_beta/議事録 ①\n"));

    // The bar in front: nothing is listed and nothing switches.
    XProbe probe(server->Display());
    const uint32_t barWindow = BarWindow(probe, {alpha, beta});
    ASSERT_NE(barWindow, 0U);
    const std::string before = Trace();
    Activate(barWindow);
    ::usleep(300 * 1000);
    EXPECT_EQ(Trace(), before);
    Activate(alpha);
    EXPECT_TRUE(Traced("switched 設計 at", design + 2));
    EXPECT_THAT(Trace(), Not(HasSubstr("app zanpel")));
    // Its icons and images are drawn or read as PNG: no image plugin (JPEG,
    // GIF, SVG...) is loaded into it.
    std::istringstream maps(ReadFile("/proc/" + std::to_string(bar->Pid()) + "/maps"));
    std::set<std::string> plugins;
    for (std::string line; std::getline(maps, line);)
        if (line.find("/imageformats/") != std::string::npos)
            plugins.insert(line.substr(line.rfind(' ') + 1));
    EXPECT_THAT(plugins, ::testing::IsEmpty());

    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
    // Each switch left its line in the state folder, and zanpelctl why says
    // which rule made the last one.
    const std::string log = ReadFile(data.File("state/zanpel/switches.log"));
    EXPECT_THAT(log, HasSubstr("\trule\t会議\t1\txclient_beta/\txclient_beta\t会議メモ\n"));
    const ProcessResult why =
        RunZanpelctl({"why", "--last", "1"}, {{"XDG_STATE_HOME", data.File("state")}});
    EXPECT_EQ(why.ExitCode, 0) << why.Err;
    EXPECT_THAT(why.Out, ::testing::EndsWith("\t設計\t規則 1「xclient_alpha/設計」\txclient_alpha\t"
                                             "設計書.txt - エディタ\n"));
}

// The figures of the README, run by hand on a release build:
//   x11_e2e_test --gtest_also_run_disabled_tests --gtest_filter='*Measure*'
// Latency: from the moment a client of the server receives the
// PropertyNotify of _NET_ACTIVE_WINDOW to the moment the bar has pressed the
// new item (its trace line, stamped with the same monotonic clock). CPU: the
// bar's user and system time from /proc while the window in front changes
// every second for a minute.
TEST_F(BarOnX11, DISABLED_MeasureSwitchLatencyAndCpu) {
    auto bar = StartBar();
    const uint32_t windows[] = {Client(XCLIENT_ALPHA, {"--title", "設計書.txt"}),
                                Client(XCLIENT_BETA, {"--title", "会議メモ"})};
    XProbe probe(server->Display());
    const uint32_t barWindow = BarWindow(probe, {windows[0], windows[1]});
    const uint32_t pid = probe.WindowPid(barWindow);
    ASSERT_NE(pid, 0U);
    probe.WatchActiveWindow();

    TSwitchMeasure measure;
    measure.Activate = [&](int i) { probe.RequestActivation(windows[i % 2]); };
    measure.EventSeen = [&](int) { return probe.NextActiveChange(5000); };
    measure.Trace = [this] { return Trace(); };
    measure.BarPid = static_cast<int>(pid);
    MeasureSwitchLatencyAndCpu(measure);
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

// The windows whose title contains text (xdotool search), newest last.
std::vector<std::string> WindowsNamed(const std::string& display, const std::string& text) {
    const ProcessResult found =
        RunProcess({FindProgram("xdotool"), "search", "--name", text}, {{"DISPLAY", display}});
    std::vector<std::string> ids;
    std::istringstream lines(found.Out);
    for (std::string id; std::getline(lines, id);)
        if (!id.empty())
            ids.push_back(id);
    return ids;
}

TEST_F(BarOnX11, CtrlSOpensTheSettingsAndAnEditButtonTheRecordEditor) {
    WriteFile(data.File("zanpel.wk2"), Sjis("@設計,,\r\n@会議,,\r\n@休憩,,\r\n"));
    WriteFile(data.File("zanpel.ini"), "AUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\n");
    auto bar = StartBar();
    XProbe probe(server->Display());
    const uint32_t barWindow = BarWindow(probe, {});
    ASSERT_NE(barWindow, 0U);
    const auto xdotool = [&](std::vector<std::string> args) {
        args.insert(args.begin(), FindProgram("xdotool"));
        return RunProcess(args, {{"DISPLAY", server->Display()}});
    };
    // Waits for the window titled title, and closes it with Escape once it
    // has the keyboard (a key sent sooner would reach the bar).
    const auto openedThenClosed = [&](const std::string& title) {
        std::vector<std::string> ids;
        if (!WaitFor([&] { return !(ids = WindowsNamed(server->Display(), title)).empty(); },
                     15000))
            return ::testing::AssertionFailure() << "no window " << title << "\n" << Trace();
        if (!ActivateWithXdotool(server->Display(), probe, std::stoul(ids.back())))
            return ::testing::AssertionFailure() << title << " never had the keyboard";
        xdotool({"key", "Escape"});
        if (!WaitFor([&] { return WindowsNamed(server->Display(), title).empty(); }, 15000))
            return ::testing::AssertionFailure() << title << " stayed open";
        return ::testing::AssertionSuccess();
    };

    ASSERT_TRUE(ActivateWithXdotool(server->Display(), probe, barWindow));
    xdotool({"key", "--clearmodifiers", "ctrl+s"});
    EXPECT_TRUE(openedThenClosed("オプション設定"));
    // Closed, the dialog gives the keyboard back to the bar: its next
    // short-cut works without a click.
    EXPECT_TRUE(WaitFor([&] { return probe.ActiveWindow() == barWindow; }, 5000));
    xdotool({"key", "--clearmodifiers", "ctrl+r"});
    EXPECT_TRUE(openedThenClosed("月度集計"));

    // 設計 runs for a moment (pressed by a second copy), so it has time today.
    RunProcess(ZanpelCommand({"設計"}), Env());
    ASSERT_TRUE(Traced("handover item 設計"));
    ::usleep(1500 * 1000);
    const std::string trace = Trace();
    const std::string button = "edit button 設計 at ";
    const size_t at = trace.rfind(button);
    ASSERT_NE(at, std::string::npos) << trace;
    std::istringstream where(trace.substr(at + button.size()));
    int x = 0;
    int y = 0;
    char comma = 0;
    where >> x >> comma >> y;
    xdotool({"mousemove", "--window", std::to_string(barWindow), std::to_string(x),
             std::to_string(y), "click", "1"});
    EXPECT_TRUE(openedThenClosed("【設計】のメモ編集"));

    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

// The figure of the README, run by hand on a release build:
//   zanpel_x11_e2e_test --gtest_also_run_disabled_tests --gtest_filter='*SettingsDialogOpen*'
// The bar's user and system time from /proc over a minute while an item
// runs, first as it is, then with the settings dialog open.
TEST_F(BarOnX11, DISABLED_MeasureCpuWithTheSettingsDialogOpen) {
    WriteFile(data.File("zanpel.ini"), "AUTOHIDE=0\r\nWINALIGN=4,0,0,0\r\n");
    auto bar = StartBar();
    XProbe probe(server->Display());
    const uint32_t barWindow = BarWindow(probe, {});
    const uint32_t pid = probe.WindowPid(barWindow);
    ASSERT_NE(pid, 0U);
    RunProcess(ZanpelCommand({"設計"}), Env()); // timing goes on
    ASSERT_TRUE(Traced("handover item 設計"));
    const double start = CpuSeconds(pid);
    ::sleep(60);
    const double plain = CpuSeconds(pid);
    ASSERT_TRUE(ActivateWithXdotool(server->Display(), probe, barWindow));
    RunProcess({FindProgram("xdotool"), "key", "--clearmodifiers", "ctrl+s"},
               {{"DISPLAY", server->Display()}});
    ASSERT_TRUE(
        WaitFor([&] { return !WindowsNamed(server->Display(), "オプション設定").empty(); }, 15000));
    ::sleep(2); // opened and drawn
    const double opened = CpuSeconds(pid);
    ::sleep(60);
    const double end = CpuSeconds(pid);
    std::printf("bar CPU with 設計 running: %.3f s in 60 s (%.2f %%); with the settings dialog "
                "open: %.3f s in 60 s (%.2f %%)\n",
                plain - start, (plain - start) / 60 * 100, end - opened, (end - opened) / 60 * 100);
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

TEST_F(BarOnX11, WhenTheXServerGoesAwayEverythingIsWritten) {
    auto bar = StartBar();
    const uint32_t beta = Client(XCLIENT_BETA, {"--title", "会議メモ"});
    Activate(beta);
    ASSERT_TRUE(Traced("switched 会議 at"));
    ::usleep(2500 * 1000); // longer than a second, so that the period is kept
    clients.clear();
    server.reset(); // the session ends under the bar
    bar->Wait(20000);
    EXPECT_TRUE(Traced("saved month"));
    EXPECT_THAT(ReadFile(data.File("zanpel.ini")), HasSubstr("SELECTED=" + Sjis("会議") + "\r\n"));
    std::string month;
    for (const auto& entry : std::filesystem::directory_iterator(data.Path()))
        if (entry.path().extension() == ".dat")
            month += ReadFile(entry.path().string());
    EXPECT_THAT(month, HasSubstr(Sjis(",会議,")));
}

// Where the hidden strip is, for a failure message.
std::string Describe(const std::optional<XProbe::Place>& place) {
    if (!place)
        return "the window has no place";
    return "strip at " + std::to_string(place->X) + "," + std::to_string(place->Y) + " " +
           std::to_string(place->Width) + "x" + std::to_string(place->Height);
}

// Openbox moves a window that starts on the last column (or row) of the
// screen one pixel further: the hidden strip must still be on the screen,
// and resting the mouse on the edge must bring the bar back.
TEST_F(BarOnX11, TheHiddenStripStaysOnTheScreenAndTheMouseOnTheEdgeBringsTheBarBack) {
    struct Edge {
        const char* Align;
        int PointerX, PointerY;
    };
    for (const Edge edge : {Edge{"4", 1279, 500}, Edge{"2", 640, 1023}, Edge{"3", 0, 500}}) {
        SCOPED_TRACE(edge.Align);
        WriteFile(data.File("zanpel.ini"),
                  std::string("AUTOHIDE=1\r\nWINALIGN=") + edge.Align + ",0,0,0\r\n");
        std::filesystem::remove(data.File("trace"));
        auto bar = StartBar();
        ASSERT_TRUE(Traced("bar hidden"));
        XProbe probe(server->Display());
        const uint32_t window = BarWindow(probe, {});
        ASSERT_NE(window, 0U);
        // The window manager's last word, and the bar's answer to it.
        std::optional<XProbe::Place> strip;
        const auto onScreen = [&] {
            strip = probe.WindowPlace(window);
            return strip && strip->X >= 0 && strip->Y >= 0 && strip->X + strip->Width <= 1280 &&
                   strip->Y + strip->Height <= 1024;
        };
        EXPECT_TRUE(WaitFor(onScreen, 5000)) << Describe(strip);
        probe.WarpPointer(edge.PointerX, edge.PointerY);
        EXPECT_TRUE(Traced("bar shown"));
        probe.WarpPointer(640, 500);
        bar->Signal(SIGTERM);
        EXPECT_EQ(bar->Wait(20000), 0);
    }
}

// Openbox lets Qt work out a frame of a single pixel for a bar docked at the
// top now and then: the mouse on the bar must keep it shown whatever that
// frame says. Several starts, since the race comes and goes.
TEST_F(BarOnX11, TheMouseOnABarDockedAtTheTopKeepsItShown) {
    WriteFile(data.File("zanpel.ini"), "AUTOHIDE=1\r\nWINALIGN=1,0,0,0\r\nWINSIZE=60\r\n");
    XProbe probe(server->Display());
    probe.WarpPointer(640, 30);
    for (int start = 0; start < 6; ++start) {
        std::filesystem::remove(data.File("trace"));
        auto bar = StartBar();
        ::usleep(2200 * 1000); // two turns of the hide timer
        EXPECT_THAT(Trace(), Not(HasSubstr("bar hidden"))) << "start " << start;
        bar->Signal(SIGTERM);
        EXPECT_EQ(bar->Wait(20000), 0);
    }
}

// A desktop that scales its screen (QT_SCALE_FACTOR, or a setting per
// screen) gives the bar fewer logical pixels than X has device pixels: the
// bar must stay a bar of its thickness at its edge, whatever the window
// system reports back in device pixels.
TEST_F(BarOnX11, AtEveryScaleTheBarStaysABarOfItsThicknessAtItsEdge) {
    server.reset();
    server = std::make_unique<TestXServer>(std::string(), "2560x1600x24");
    ASSERT_FALSE(server->Display().empty()) << "Xvfb did not start";
    ASSERT_TRUE(server->StartWindowManager());
    struct Case {
        const char* Scale;
        const char* Align;
        XProbe::Place Wanted; // in device pixels
    };
    const Case cases[] = {{"2", "4", {2560 - 330, 0, 330, 1600}},
                          {"2", "1", {0, 0, 2560, 120}},
                          {"1.5", "4", {2560 - 248, 0, 248, 1600}},
                          {"1.25", "2", {0, 1600 - 75, 2560, 75}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("scale ") + c.Scale + ", edge " + c.Align);
        const int thickness = std::string(c.Align) == "4" ? 165 : 60;
        WriteFile(data.File("zanpel.ini"), "AUTOHIDE=0\r\nWINALIGN=" + std::string(c.Align) +
                                               ",0,0,0\r\nWINSIZE=" + std::to_string(thickness) +
                                               "\r\n");
        std::filesystem::remove(data.File("trace"));
        auto bar = StartBar({{"QT_SCALE_FACTOR", c.Scale}});
        XProbe probe(server->Display());
        const uint32_t window = BarWindow(probe, {});
        ASSERT_NE(window, 0U);
        std::optional<XProbe::Place> place;
        const auto wanted = [&] {
            place = probe.WindowPlace(window);
            // The toolkit rounds each edge to the nearest device pixel.
            return place && std::abs(place->X - c.Wanted.X) <= 1 &&
                   std::abs(place->Y - c.Wanted.Y) <= 1 &&
                   std::abs(place->Width - c.Wanted.Width) <= 1 &&
                   std::abs(place->Height - c.Wanted.Height) <= 1;
        };
        const auto where = [&] {
            return place ? std::to_string(place->X) + "," + std::to_string(place->Y) + " " +
                               std::to_string(place->Width) + "x" + std::to_string(place->Height)
                         : std::string("nowhere");
        };
        EXPECT_TRUE(WaitFor(wanted, 5000)) << where();
        // The bar judges its place once the window manager's answers settle:
        // it must still be there afterwards.
        ::usleep(1000 * 1000);
        EXPECT_TRUE(wanted()) << where();
        bar->Signal(SIGTERM);
        EXPECT_EQ(bar->Wait(20000), 0);
    }
}

} // namespace
} // namespace zanpel::test
