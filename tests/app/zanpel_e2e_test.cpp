// The real zanpel binary on the offscreen platform, in temporary folders: one
// copy at a time, the hand-over, the orderly end and the next start, and the
// options and the runtime-folder check that come before all of it.
#include "app/version.h"
#include "programfixture.h"
#include "records/csvfile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

TEST_F(Program, VersionAndHelpAnswerWithoutLookingForABar) {
    const ProcessResult version = Second({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, std::string("zanpel ") + ProgramVersion + "\n");
    const ProcessResult help = Second({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_THAT(help.Out, HasSubstr("使い方: zanpel [作業項目]"));
    EXPECT_FALSE(std::filesystem::exists(runtime.File("zanpel_Mutex_Execute.lock")));
}

TEST_F(Program, ARuntimeFolderOthersCanReachIsRefused) {
    ASSERT_EQ(::chmod(runtime.Path().c_str(), 0755), 0);
    const ProcessResult refused = Second();
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_THAT(refused.Err,
                HasSubstr("zanpel: 実行時フォルダ " + runtime.Path() + " は使えません"));
    EXPECT_THAT(refused.Err, HasSubstr("chmod 700 " + runtime.Path()));
    // Nothing was locked, listened on or written.
    EXPECT_TRUE(std::filesystem::is_empty(runtime.Path()));
    EXPECT_FALSE(std::filesystem::exists(data.File("zanpel.ini")));
}

TEST_F(Program, ARuntimeFolderGivenAsALinkIsTheFolderItLeadsTo) {
    runtimeFolder = data.File("runtime-link");
    ASSERT_EQ(::symlink(runtime.Path().c_str(), runtimeFolder.c_str()), 0);
    auto bar = Start();
    EXPECT_TRUE(std::filesystem::exists(runtime.File("zanpel_Mutex_Execute.lock")));
    EXPECT_EQ(Second().ExitCode, 0);
    EXPECT_TRUE(Traced("handover show"));
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

TEST_F(Program, ASecondStartEndsAtOnceAndTheFirstShowsItsBar) {
    auto bar = Start();
    const auto before = std::chrono::steady_clock::now();
    const ProcessResult second = Second();
    const auto took = std::chrono::steady_clock::now() - before;
    EXPECT_EQ(second.ExitCode, 0);
    EXPECT_LT(took, std::chrono::seconds(3));
    EXPECT_TRUE(Traced("handover show"));
    // Nothing was written by the second copy.
    EXPECT_FALSE(std::filesystem::exists(data.File("zanpel.ini")));
    bar->Signal(SIGTERM);
    EXPECT_EQ(bar->Wait(20000), 0);
}

TEST_F(Program, AHandedOverNameStartsThatItemAndSigtermSavesInOrder) {
    auto bar = Start();
    EXPECT_EQ(Second({"会議"}).ExitCode, 0);
    ASSERT_TRUE(Traced("handover item 会議"));
    ::usleep(2500 * 1000); // longer than a second, so that the period is kept
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);
    const std::string trace = Trace();
    const size_t settings = trace.find("saved settings");
    const size_t definitions = trace.find("saved definitions");
    const size_t month = trace.find("saved month");
    ASSERT_NE(month, std::string::npos);
    EXPECT_LT(settings, definitions);
    EXPECT_LT(definitions, month);
    EXPECT_THAT(ReadFile(data.File("zanpel.ini")), HasSubstr("SELECTED=" + Sjis("会議") + "\r\n"));
    EXPECT_THAT(ReadFile(data.File("zanpel.wk2")), HasSubstr(Sjis("@会議,,\r\n")));
    EXPECT_NE(MonthFiles(data.Path()).find(Sjis("会議")), std::string::npos)
        << "the running period is in the month file";

    // The next start presses the same item again.
    std::filesystem::remove(data.File("trace"));
    auto again = Start();
    EXPECT_THAT(Trace(), HasSubstr("started 会議"));
    ::usleep(2500 * 1000);
    again->Signal(SIGINT);
    ASSERT_EQ(again->Wait(20000), 0);
    const std::string month2 = MonthFiles(data.Path());
    const size_t line = month2.find(Sjis("会議"));
    ASSERT_NE(line, std::string::npos);
    // Both runs are in the record: merged into one period when the second
    // start came within a second of the first's last tick, two otherwise.
    std::string record = month2.substr(line, month2.find('\n', line) - line);
    int seconds = 0;
    for (size_t q = record.find('"'); q != std::string::npos; q = record.find('"', q + 1)) {
        const StringList times = Split(record.substr(q + 1, record.find('"', q + 1) - q - 1));
        seconds += (ParseTime(times[1]) - ParseTime(times[0]) + 86400) % 86400;
        q = record.find('"', q + 1);
    }
    EXPECT_GE(seconds, 4) << record;
}

} // namespace
} // namespace zanpel::test
