// The real bar's end in hostile but ordinary moments: a sender of a hand-over
// that goes away at once, quit signals while boxes are open, and the tool
// writing into the folder of a bar started with another runtime folder.
#include "app/handoverclient.h"
#include "app/handoverframe.h"
#include "programfixture.h"
#include "support/zanpel.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class ProgramEnd : public Program {
protected:
    // Sends a frame to the running bar and goes away without its answer.
    void SendAndVanish(const std::string& frame) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = runtime.File(HandOverSocketName);
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ASSERT_EQ(::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::write(fd, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
        ::close(fd);
    }
    bool MonthWritten() const { return !MonthFiles(data.Path()).empty(); }
};

TEST_F(ProgramEnd, ASenderThatGoesAwayDuringTheShowAnimationLeavesTheBarRunning) {
    // What a sender that has gone asked for may be dropped or done, by the
    // moment the bar looks: either way the bar goes on and ends in order.
    auto bar = Start();
    for (int round = 0; round < 3; ++round) {
        ::usleep(1600 * 1000); // the bar hides itself after a second
        SendAndVanish(round == 1 ? EncodeCopyDataFrame(1, Sjis("設計")) : EncodeShowFrame());
    }
    ::usleep(500 * 1000);
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);
    EXPECT_THAT(Trace(), HasSubstr("saved month"));
    EXPECT_TRUE(MonthWritten());
}

TEST_F(ProgramEnd, AQuitWhileTheStartUpErrorBoxIsOpenEndsTheProgramInOrder) {
    std::filesystem::create_directory(data.File("zanpel.ini"));
    auto bar = Start("error 設定ファイルが読込めません!");
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);
    const std::string trace = Trace();
    EXPECT_THAT(trace, HasSubstr("quit requested"));
    EXPECT_THAT(trace, HasSubstr("saved definitions"));
    EXPECT_THAT(trace, HasSubstr("saved month"));
    EXPECT_TRUE(MonthWritten());
}

TEST_F(ProgramEnd, ASecondQuitWhileAShutDownErrorIsShownStillWritesDefinitionsAndMonth) {
    auto bar = Start();
    std::filesystem::create_directory(data.File("zanpel.ini")); // cannot be written
    std::filesystem::remove(data.File("zanpel.wk2"));
    bar->Signal(SIGTERM);
    ASSERT_TRUE(Traced("error 設定ファイルが書込めません!"));
    bar->Signal(SIGTERM);
    bar->Signal(SIGINT);
    ASSERT_EQ(bar->Wait(20000), 0);
    const std::string trace = Trace();
    EXPECT_THAT(trace, HasSubstr("quit requested again"));
    EXPECT_LT(trace.find("saved definitions"), trace.find("saved month"));
    EXPECT_TRUE(std::filesystem::exists(data.File("zanpel.wk2")));
    EXPECT_TRUE(MonthWritten());
}

TEST_F(ProgramEnd, TheTimeAnErrorBoxOfTheEndStaysOpenIsNoWork) {
    auto env = Env();
    env["ZANPEL_TEST_CLOCK_FILE"] = data.File("now");
    env["TZ"] = "UTC";
    WriteFile(data.File("now"), "2005-03-10 09:00:00\n");
    BackgroundProcess bar({ZANPEL_PATH}, env);
    ASSERT_TRUE(Traced("started"));
    ASSERT_EQ(Second({"設計"}).ExitCode, 0);
    ASSERT_TRUE(Traced("handover item 設計"));
    WriteFile(data.File("now"), "2005-03-10 09:30:00\n");
    ::usleep(500 * 1000);
    std::filesystem::create_directory(data.File("zanpel.ini")); // cannot be written
    bar.Signal(SIGTERM);
    ASSERT_TRUE(Traced("error 設定ファイルが書込めません!"));
    WriteFile(data.File("now"), "2005-03-10 10:00:00\n"); // an hour before the box is closed
    ::usleep(300 * 1000);
    bar.Signal(SIGTERM);
    ASSERT_EQ(bar.Wait(20000), 0);
    const std::string march = ReadFile(data.File("200503.dat"));
    EXPECT_THAT(march, HasSubstr("2005/03/10," + Sjis("設計") + ",,\"09:00:0"));
    EXPECT_THAT(march, HasSubstr(",09:30:0"));
    EXPECT_THAT(march, Not(HasSubstr(",10:00:"))); // neither the item nor the computer-on span
}

TEST_F(ProgramEnd, ABarWithoutTheFoldersLockSaysSo) {
    std::filesystem::create_directory(data.File("zanpel.lock")); // cannot be a lock
    auto bar = Start("error データフォルダのロック (zanpel.lock) を作れません。");
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);
    EXPECT_TRUE(MonthWritten());
}

TEST_F(ProgramEnd, TheToolAndASecondBarRefuseTheFolderWhateverTheirRuntimeFolder) {
    auto bar = Start();
    TempDir otherRuntime;
    auto env = Env();
    env["XDG_RUNTIME_DIR"] = otherRuntime.Path();
    WriteFile(data.File("200503.dat"), "2005/03/01,a,,\"09:00:00,10:00:00,,\"\r\n");
    const ProcessResult tool = RunZanpelctl({"rewrite", "200503"}, env);
    EXPECT_EQ(tool.ExitCode, 1);
    EXPECT_THAT(tool.Err, HasSubstr("zanpel が動作中"));
    const ProcessResult second = RunProcess(ZanpelCommand(), env);
    EXPECT_EQ(second.ExitCode, 1);
    EXPECT_THAT(second.Err, HasSubstr(data.Path()));
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);
    EXPECT_EQ(RunZanpelctl({"rewrite", "200503"}, env).ExitCode, 0);
}

} // namespace
} // namespace zanpel::test

namespace zanpel::test {
namespace {

TEST_F(Program, ASecondStartGivesUpOnAStoppedBarAndNamesIt) {
    auto bar = Start();
    bar->Signal(SIGSTOP);
    const auto start = std::chrono::steady_clock::now();
    const ProcessResult second = Second();
    const auto waited = std::chrono::steady_clock::now() - start;
    bar->Signal(SIGCONT);
    EXPECT_EQ(second.ExitCode, 1);
    EXPECT_THAT(second.Err, ::testing::HasSubstr("(プロセス " + std::to_string(bar->Pid()) + ")"));
    EXPECT_LT(waited, std::chrono::seconds(15));
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

} // namespace
} // namespace zanpel::test
