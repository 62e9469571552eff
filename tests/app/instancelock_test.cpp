#include "app/instancelock.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace zanpel {
namespace {

// Whether a separate process could take the lock in folder right now.
bool OtherProcessAcquires(const std::string& folder) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        InstanceLock lock(folder);
        ::_exit(lock.TryAcquire() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(InstanceLockTest, OneHolderAtATimeAcrossProcesses) {
    test::TempDir dir;
    InstanceLock lock(dir.Path());
    ASSERT_TRUE(lock.TryAcquire());
    EXPECT_TRUE(lock.TryAcquire()); // taking it again is harmless
    EXPECT_FALSE(OtherProcessAcquires(dir.Path()));
    lock.Release();
    EXPECT_TRUE(OtherProcessAcquires(dir.Path()));
}

TEST(InstanceLockTest, AFolderThatCannotHoldTheLockSaysWhy) {
    InstanceLock lock("/nonexistent/folder");
    EXPECT_FALSE(lock.TryAcquire());
    EXPECT_NE(lock.Error().find("/nonexistent/folder"), std::string::npos);
}

} // namespace
} // namespace zanpel
