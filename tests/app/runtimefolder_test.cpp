// The folder of the lock and the hand-over socket: only a real folder of the
// user's own, closed to everyone else, is used. Run as root (as CI does) the
// foreign folder really belongs to nobody; otherwise the same folder is
// checked for a user who does not own it.
#include "app/handoverclient.h"
#include "app/runtimefolder.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zanpel::test {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

constexpr uid_t Nobody = 65534;

class RuntimeFolder : public ::testing::Test {
protected:
    std::string Folder(const std::string& name, mode_t mode) const {
        const std::string path = dir.File(name);
        EXPECT_EQ(::mkdir(path.c_str(), 0700), 0);
        EXPECT_EQ(::chmod(path.c_str(), mode), 0);
        return path;
    }
    TempDir dir;
    const uid_t me = ::getuid();
};

TEST_F(RuntimeFolder, AFolderOfOnesOwnClosedToOthersIsUsed) {
    EXPECT_EQ(RuntimeFolderProblem(Folder("good", 0700), me), "");
    // Only group and others matter; the owner's own bits are the owner's affair.
    EXPECT_EQ(RuntimeFolderProblem(Folder("readonly", 0500), me), "");
}

TEST_F(RuntimeFolder, AFolderOfAnotherUserIsRefusedEvenWhenClosed) {
    const std::string path = Folder("foreign", 0700);
    uid_t user = me + 1;
    uid_t owner = me;
    if (me == 0) { // prepared as another user would have left it
        ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody), 0);
        user = 0;
        owner = Nobody;
    }
    EXPECT_THAT(RuntimeFolderProblem(path, user),
                AllOf(HasSubstr("実行時フォルダ " + path + " は使えません"),
                      HasSubstr("所有者が別のユーザー (uid " + std::to_string(owner) + ")"),
                      HasSubstr("XDG_RUNTIME_DIR")));
    EXPECT_EQ(RuntimeFolderProblem(path, owner), "") << "the owner may use it";
}

TEST_F(RuntimeFolder, ALinkIsRefusedEvenToAGoodFolder) {
    const std::string target = Folder("target", 0700);
    const std::string link = dir.File("link");
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    EXPECT_THAT(RuntimeFolderProblem(link, me),
                AllOf(HasSubstr(link), HasSubstr("シンボリックリンク"), HasSubstr("rm " + link)));
    const std::string dangling = dir.File("dangling");
    ASSERT_EQ(::symlink(dir.File("nowhere").c_str(), dangling.c_str()), 0);
    EXPECT_THAT(RuntimeFolderProblem(dangling, me), HasSubstr("シンボリックリンク"));
}

TEST_F(RuntimeFolder, AccessForGroupOrOthersIsRefusedWithTheModeAndTheMend) {
    for (const mode_t mode : {0750, 0705, 0770, 0701, 01777}) {
        const std::string path = Folder("open" + std::to_string(mode), mode);
        char octal[8];
        std::snprintf(octal, sizeof octal, "%04o", static_cast<unsigned>(mode));
        EXPECT_THAT(RuntimeFolderProblem(path, me),
                    AllOf(HasSubstr(path), HasSubstr(std::string("モード ") + octal),
                          HasSubstr("chmod 700 " + path)))
            << octal;
    }
}

TEST_F(RuntimeFolder, AFileOrNothingAtThePathIsRefused) {
    WriteFile(dir.File("file"), "");
    EXPECT_THAT(RuntimeFolderProblem(dir.File("file"), me), HasSubstr("フォルダではありません"));
    EXPECT_THAT(RuntimeFolderProblem(dir.File("missing"), me),
                AllOf(HasSubstr(dir.File("missing")), HasSubstr("XDG_RUNTIME_DIR")));
}

// The hand-over socket lives in the folder, and a socket's path has room
// for 107 bytes: a bar in a deeper folder could not be reached by the next
// start, which would take it for one that does not answer.
TEST_F(RuntimeFolder, AFolderTooDeepForTheSocketIsRefusedAndTheBoundIsKept) {
    std::string fits = dir.Path();
    const size_t room = 107 - 1 - std::string(HandOverSocketName).size();
    ASSERT_LT(fits.size() + 2, room);
    fits += "/" + std::string(room - fits.size() - 1, 'd');
    ASSERT_EQ(::mkdir(fits.c_str(), 0700), 0);
    EXPECT_EQ(RuntimeFolderProblem(fits, me), "");
    const std::string deeper = fits + "/e";
    ASSERT_EQ(::mkdir(deeper.c_str(), 0700), 0);
    EXPECT_THAT(
        RuntimeFolderProblem(deeper, me),
        AllOf(HasSubstr(deeper), HasSubstr("パスが長すぎます"), HasSubstr("XDG_RUNTIME_DIR")));
}

} // namespace
} // namespace zanpel::test
