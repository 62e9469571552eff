// The X11 foreground source in the test process, on an Xvfb server of each
// test's own: two test programs take turns in front, with and without a
// window manager, and the detection pass turns what the source sees into APP
// list lines and switches.
#include "app/foregrounddetector.h"
#include "app/workbuttons.h"
#include "support/pressedname.h"
#include "support/process.h"
#include "support/qtwait.h"
#include "support/testsupport.h"
#include "support/x11/xservertest.h"
#include "tracking/appswitch.h"
#include "tracking/foregroundopen.h"
#include "tracking/x11foreground.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <thread>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

struct Client {
    std::unique_ptr<BackgroundProcess> Process;
    uint32_t Window = 0;
};

class X11Source : public XServerTest {
protected:
    // One of the two test programs, mapped, with its window id.
    Client Start(const char* program, std::vector<std::string> args) {
        const std::string idFile = dir.File("window" + std::to_string(++clients));
        args.insert(args.begin(), program);
        args.insert(args.end(), {"--id-file", idFile});
        Client client{std::make_unique<BackgroundProcess>(args, server->ClientEnv())};
        EXPECT_TRUE(WaitFor([&] { return std::filesystem::exists(idFile); }, 10000));
        client.Window = static_cast<uint32_t>(std::stoul("0" + ReadFile(idFile)));
        return client;
    }
    // xdotool, as a user's tool: "windowactivate" asks the window manager,
    // "windowfocus" sets the input focus directly.
    void Xdotool(const char* command, uint32_t window) {
        if (std::string(command) == "windowactivate") {
            XProbe probe(server->Display());
            EXPECT_TRUE(ActivateWithXdotool(server->Display(), probe, window));
            return;
        }
        const ProcessResult r = RunProcess(
            {FindProgram("xdotool"), command, std::to_string(window)}, server->ClientEnv());
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
    }
    // Lets the source see the server's events until it shows expected.
    static ::testing::AssertionResult Shows(const ForegroundSource& source,
                                            const TForegroundApp& expected) {
        if (QTest::qWaitFor([&] { return source.Foreground() == expected; }, 10000))
            return ::testing::AssertionSuccess();
        const TForegroundApp& seen = source.Foreground();
        return ::testing::AssertionFailure() << "the source shows \"" << Cp932ToUtf8(seen.ExeName)
                                             << "\" \"" << Cp932ToUtf8(seen.Title) << "\"";
    }
    static std::vector<std::string> Utf8(const std::vector<std::string>& lines) {
        std::vector<std::string> out;
        for (const std::string& line : lines)
            out.push_back(Cp932ToUtf8(line));
        return out;
    }

    TempDir dir;
    int clients = 0;
};

TEST_F(X11Source, TwoProgramsInTurnGiveTheirLinesAndSwitchByTheRules) {
    ASSERT_TRUE(server->StartWindowManager());
    std::unique_ptr<ForegroundSource> source = ConnectX11Foreground(server->Display());
    ASSERT_TRUE(source);
    EXPECT_TRUE(source->Available());
    TAppSwitch definitions;
    for (const char* line :
         {"@設計,,@AP1,\"xclient_alpha/設計\",", "@会議,,@AP1,\"xclient_beta/\",", "@休憩,,"})
        ASSERT_GE(definitions.ParseLine(Sjis(line)), 0);
    TWorkButtons buttons(definitions);
    buttons.LoadButtons(definitions);
    buttons.AppSwitchActive = true;
    TAppLineList lines;

    const Client alpha = Start(XCLIENT_ALPHA, {"--title", "設計書.txt - エディタ"});
    const Client beta = Start(XCLIENT_BETA, {"--title", "会議メモ ✓", "--title2", "議事録 ①"});
    Xdotool("windowactivate", alpha.Window);
    ASSERT_TRUE(Shows(*source, {"xclient_alpha", Sjis("設計書.txt - エディタ")}));
    DetectForeground(*source, buttons, lines);
    EXPECT_EQ(PressedName(buttons), Sjis("設計"));

    // The program file is "XClient_Beta"; "✓" is not in CP932.
    Xdotool("windowactivate", beta.Window);
    ASSERT_TRUE(Shows(*source, {"xclient_beta", Sjis("会議メモ ?")}));
    DetectForeground(*source, buttons, lines);
    EXPECT_EQ(PressedName(buttons), Sjis("会議"));

    beta.Process->Signal(SIGUSR1);
    ASSERT_TRUE(Shows(*source, {"xclient_beta", Sjis("議事録 ①")}));
    DetectForeground(*source, buttons, lines);
    EXPECT_THAT(Utf8(lines.Lines),
                ElementsAre("xclient_alpha/設計書.txt - エディタ", "xclient_beta/議事録 ①"));
    EXPECT_EQ(lines.Current, 1);
    EXPECT_EQ(PressedName(buttons), Sjis("会議"));
}

TEST_F(X11Source, TheProgramsOwnWindowsNameNoProgram) {
    ASSERT_TRUE(server->StartWindowManager());
    std::unique_ptr<ForegroundSource> source = ConnectX11Foreground(server->Display());
    ASSERT_TRUE(source);
    const Client alpha = Start(XCLIENT_ALPHA, {"--title", "a"});
    XProbe probe(server->Display());
    // One window says whose it is; the other leaves it to the X-Resource query.
    for (const bool withPid : {true, false}) {
        const uint32_t own = probe.CreateOwnWindow("バー", withPid);
        ASSERT_TRUE(WaitFor([&] { return probe.Manages(own); }, 10000));
        Xdotool("windowactivate", alpha.Window);
        ASSERT_TRUE(Shows(*source, {"xclient_alpha", "a"}));
        Xdotool("windowactivate", own);
        EXPECT_TRUE(Shows(*source, {})) << (withPid ? "with" : "without") << " _NET_WM_PID";
    }
}

TEST_F(X11Source, WindowsThatTellLittleAreStillNamed) {
    ASSERT_TRUE(server->StartWindowManager());
    std::unique_ptr<ForegroundSource> source = ConnectX11Foreground(server->Display());
    ASSERT_TRUE(source);
    // No _NET_WM_PID, and a title only in WM_NAME as compound text: "メモ"
    // in JIS X 0208, then "é" in Latin-1, which CP932 lacks.
    const Client alpha =
        Start(XCLIENT_ALPHA, {"--no-pid", "--ct-title", "\x1b$)B\xa5\xe1\xa5\xe2\x1b-A caf\xe9"});
    // A process id from another machine means nothing here.
    const Client beta =
        Start(XCLIENT_BETA, {"--pid", "1", "--machine", "far.away.example", "--title", "b"});
    Xdotool("windowactivate", alpha.Window);
    EXPECT_TRUE(Shows(*source, {"xclient_alpha", Sjis("メモ caf?")}));
    Xdotool("windowactivate", beta.Window);
    EXPECT_TRUE(Shows(*source, {"xclient_beta", "b"}));
}

TEST_F(X11Source, AChangeThatComesWhileTheSourceReadsIsNotLeftWaiting) {
    XProbe probe(server->Display());
    probe.PretendWindowManager();
    std::unique_ptr<ForegroundSource> source = ConnectX11Foreground(server->Display());
    ASSERT_TRUE(source);
    const Client alpha = Start(XCLIENT_ALPHA, {"--title", "a"});
    const Client beta = Start(XCLIENT_BETA, {"--title", "b"});
    // A window manager moves the focus through "no window" (as when the
    // bar, which takes the focus itself, gives it up); the next change may
    // reach the source while it is still busy with the first one.
    XProbe other(server->Display());
    for (int round = 0; round < 1000; ++round) {
        const uint32_t from = round % 2 ? beta.Window : alpha.Window;
        const uint32_t to = round % 2 ? alpha.Window : beta.Window;
        probe.PublishActiveWindow(from);
        ASSERT_TRUE(RunLoopUntil([&] { return !source->Foreground().ExeName.empty(); }, 5000));
        std::thread manager([&] {
            other.PublishActiveWindow(0);
            std::this_thread::sleep_for(std::chrono::microseconds(round % 50 * 4));
            other.PublishActiveWindow(to);
        });
        const TForegroundApp expected{round % 2 ? "xclient_alpha" : "xclient_beta",
                                      round % 2 ? "a" : "b"};
        const bool shown = RunLoopUntil([&] { return source->Foreground() == expected; }, 2000);
        manager.join();
        ASSERT_TRUE(shown) << "round " << round;
    }
}

TEST_F(X11Source, WithoutAWindowManagerTheInputFocusIsFollowed) {
    std::unique_ptr<ForegroundSource> source = ConnectX11Foreground(server->Display());
    ASSERT_TRUE(source);
    const Client alpha = Start(XCLIENT_ALPHA, {"--title", "一"});
    const Client beta = Start(XCLIENT_BETA, {"--title", "二", "--title2", "三"});
    Xdotool("windowfocus", alpha.Window);
    ASSERT_TRUE(Shows(*source, {"xclient_alpha", Sjis("一")}));
    Xdotool("windowfocus", beta.Window);
    ASSERT_TRUE(Shows(*source, {"xclient_beta", Sjis("二")}));
    beta.Process->Signal(SIGUSR1);
    ASSERT_TRUE(Shows(*source, {"xclient_beta", Sjis("三")}));

    // A window manager that comes later takes over.
    ASSERT_TRUE(server->StartWindowManager());
    Xdotool("windowactivate", alpha.Window);
    EXPECT_TRUE(Shows(*source, {"xclient_alpha", Sjis("一")}));
}

TEST_F(X11Source, ARefusingServerGivesNoSource) {
    const std::string cookie = "0123456789abcdef0123456789abcdef";
    const std::string authFile = dir.File("auth");
    ASSERT_EQ(RunProcess({FindProgram("xauth"), "-f", authFile, "add", ":0", ".", cookie}).ExitCode,
              0);
    TestXServer guarded(authFile);
    ASSERT_FALSE(guarded.Display().empty());
    const char* saved = std::getenv("XAUTHORITY");
    const std::string savedValue = saved ? saved : "";
    ::setenv("XAUTHORITY", dir.File("no-cookie").c_str(), 1);
    EXPECT_FALSE(ConnectX11Foreground(guarded.Display()));
    EXPECT_FALSE(ConnectX11Foreground(":65000")); // no server at all
    if (saved)
        ::setenv("XAUTHORITY", savedValue.c_str(), 1);
    else
        ::unsetenv("XAUTHORITY");
}

TEST(ForegroundSession, OffTheX11PlatformTheSourceIsANullOne) {
    // The offscreen platform, as the program is on under Wayland without
    // XWayland: even with an X server at hand, no source.
    const TOpenedForeground opened = OpenForegroundSource("offscreen", "org.example.zanpel");
    EXPECT_FALSE(opened.Source->Available());
    EXPECT_EQ(opened.Source->Foreground(), TForegroundApp{});
    EXPECT_EQ(opened.Coverage, TForegroundCoverage::None);
}

} // namespace
} // namespace zanpel::test
