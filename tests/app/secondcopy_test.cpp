// A second start while a copy holds the lock: handed over when it answers,
// given up on in time when it does not.
#include "app/handoverclient.h"
#include "app/handoverframe.h"
#include "app/instancelock.h"
#include "app/secondcopy.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

// A socket at path that takes connections into its queue; accepts and
// answers them only when asked to.
class RunningCopy {
public:
    explicit RunningCopy(const std::string& path) : m_fd(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_fd, 8), 0);
    }
    ~RunningCopy() {
        if (m_answering.joinable())
            m_answering.join();
        ::close(m_fd);
    }
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;
    // Answers the next hand-over, as a running bar does.
    void AnswerOnce() {
        m_answering = std::thread([this] {
            const int client = ::accept(m_fd, nullptr, nullptr);
            char frame[256];
            if (client >= 0 && ::read(client, frame, sizeof frame) > 0 &&
                ::write(client, "\1", 1) != 1)
                ADD_FAILURE() << "the running copy could not answer";
            ::close(client);
        });
    }

private:
    int m_fd;
    std::thread m_answering;
};

class SecondCopy : public ::testing::Test {
protected:
    std::string Socket() const { return runtime.File(HandOverSocketName); }
    TempDir runtime;
    InstanceLock holder{runtime.Path()};
    InstanceLock second{runtime.Path()};
};

TEST_F(SecondCopy, WithoutARunningCopyItRunsTheBar) {
    EXPECT_EQ(AcquireOrHandOver(second, Socket(), EncodeShowFrame(), 1000), StartResult::FirstCopy);
    EXPECT_TRUE(second.Held());
    EXPECT_EQ(second.HolderPid(), ::getpid());
}

TEST_F(SecondCopy, ACopyThatAnswersTakesTheHandOver) {
    ASSERT_TRUE(holder.TryAcquire());
    RunningCopy running(Socket());
    running.AnswerOnce();
    EXPECT_EQ(AcquireOrHandOver(second, Socket(), EncodeShowFrame(), 5000),
              StartResult::HandedOver);
}

TEST_F(SecondCopy, ACopyThatNeverAnswersIsGivenUpOnInTimeAndNamed) {
    ASSERT_TRUE(holder.TryAcquire());
    RunningCopy stopped(Socket()); // connections wait in its queue
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(AcquireOrHandOver(second, Socket(), EncodeShowFrame(), 1000), StartResult::NoAnswer);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, std::chrono::milliseconds(1000));
    EXPECT_LT(waited, std::chrono::milliseconds(2500));
    EXPECT_EQ(second.HolderPid(), ::getpid());
    EXPECT_THAT(NoAnswerText(second.HolderPid()),
                HasSubstr("(プロセス " + std::to_string(::getpid()) + ")"));
}

// Nothing runs, but the lock file cannot be made (a folder in its place
// here; a read-only runtime folder for a user): waiting for an answer would
// only end in blaming a bar that is not there.
TEST_F(SecondCopy, ALockFileThatCannotBeMadeEndsAtOnceWithTheReason) {
    ASSERT_EQ(::mkdir(second.Path().c_str(), 0700), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(AcquireOrHandOver(second, Socket(), EncodeShowFrame(), 2000), StartResult::NoLock);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    EXPECT_THAT(second.Error(), HasSubstr(second.Path()));
}

} // namespace
} // namespace zanpel::test
