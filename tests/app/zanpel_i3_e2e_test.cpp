// The real zanpel binary under i3 on an X server of the test's own: i3
// ignores where a window puts itself, and the bar is placed through i3's IPC
// by the same commands as under Sway.
#include "support/process.h"
#include "support/testsupport.h"
#include "support/x11/wmtree.h"
#include "support/x11/xservertest.h"
#include "support/zanpel.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace zanpel::test {
namespace {

class BarOnI3 : public XServerTest {
protected:
    BarOnI3() : XServerTest({"i3"}) {}
    void SetUp() override {
        XServerTest::SetUp();
        if (!ServerStarted())
            return;
        socket = dir.File("i3.sock");
        WriteFile(dir.File("i3.conf"), "ipc-socket " + socket + "\nfont pango:monospace 8\n");
        std::map<std::string, std::string> env = server->ClientEnv();
        env["HOME"] = dir.Path();
        i3 = std::make_unique<BackgroundProcess>(
            std::vector<std::string>{FindProgram("i3"), "-c", dir.File("i3.conf")}, env,
            dir.File("i3.log"));
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(socket); }, 10000))
            << ReadFile(dir.File("i3.log"));
    }
    std::unique_ptr<BackgroundProcess> StartBar(const std::string& settings) {
        WriteFile(data.File("zanpel.ini"), settings);
        WriteFile(data.File("zanpel.wk2"), "@a,,\r\n"); // a bar without items never hides
        std::map<std::string, std::string> env = BarEnvironment(data.Path(), runtime.Path());
        env.merge(server->ClientEnv());
        env["I3SOCK"] = socket;
        return StartZanpel(env);
    }
    std::string Trace() const { return ReadFile(data.File("trace")); }
    // The bar's window once i3 shows it where wanted says.
    TSwayWindow Bar(const std::function<bool(const TSwayWindow&)>& wanted) const {
        TSwayWindow bar;
        WaitFor(
            [&] {
                const ProcessResult tree =
                    RunProcess({FindProgram("i3-msg"), "-s", socket, "-t", "get_tree"});
                bar = FindSwayWindow(tree.Out, "class", "Zanpel");
                return bar.Found && wanted(bar);
            },
            10000);
        return bar;
    }

    TempDir dir;
    TempDir data;
    TempDir runtime;
    std::string socket;
    std::unique_ptr<BackgroundProcess> i3;
};

TEST_F(BarOnI3, IsFloatingAndStickyAtItsEdgeAndItsStripShowsOnePixel) {
    XProbe probe(server->Display());
    probe.WarpPointer(640, 500);
    auto bar = StartBar("AUTOHIDE=1\r\nWINALIGN=3,0,0,0\r\n");
    // i3 first floats a new window in the middle; the bar's command moves it.
    const TSwayWindow shown =
        Bar([](const TSwayWindow& w) { return w.Width == 165 && w.X == 0 && w.Y == 0; });
    EXPECT_TRUE(shown.Floating) << Trace();
    EXPECT_TRUE(shown.Sticky);
    EXPECT_EQ(shown.X, 0);
    EXPECT_EQ(shown.Y, 0);
    EXPECT_EQ(shown.Height, 1024);
    // The mouse is away: the bar hides, and only its last pixel shows.
    ASSERT_TRUE(WaitFor([&] { return CountOf(Trace(), "bar hidden") == 1; }, 15000)) << Trace();
    const TSwayWindow strip = Bar([](const TSwayWindow& w) { return w.X + w.Width == 1; });
    EXPECT_EQ(strip.X + strip.Width, 1) << Trace();
    probe.WarpPointer(0, 500);
    EXPECT_TRUE(WaitFor([&] { return CountOf(Trace(), "bar shown") == 1; }, 15000)) << Trace();
    const TSwayWindow back = Bar([](const TSwayWindow& w) { return w.X == 0 && w.Width == 166; });
    EXPECT_EQ(back.Width, 166) << Trace();
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

} // namespace
} // namespace zanpel::test
