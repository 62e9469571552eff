// Replacing a file keeps what the user set on it: its mode, and a symbolic
// link that points elsewhere.
#include "records/atomicfile.h"
#include "records/brokencopy.h"
#include "support/process.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

namespace zanpel::test {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

// The names in folder.
std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Runs body with the process's umask set to mask.
template <typename Body> void WithUmask(mode_t mask, Body body) {
    const mode_t old = ::umask(mask);
    body();
    ::umask(old);
}

TEST(AtomicReplace, KeepsTheModeOfTheFileItReplaces) {
    TempDir dir;
    const std::string file = dir.File("200503.dat");
    WriteFile(file, "old");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    AtomicWriter writer;
    ASSERT_EQ(writer.Replace(file, "new"), "");
    EXPECT_EQ(ReadFile(file), "new");
    EXPECT_EQ(ModeOf(file), 0600u);
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    ASSERT_EQ(writer.Replace(file, "newer"), "");
    EXPECT_EQ(ModeOf(file), 0640u);
}

TEST(AtomicReplace, ANewFileFollowsTheUmask) {
    TempDir dir;
    AtomicWriter writer;
    WithUmask(027, [&] { ASSERT_EQ(writer.Replace(dir.File("a"), "x"), ""); });
    EXPECT_EQ(ModeOf(dir.File("a")), 0640u);
    WithUmask(077, [&] { ASSERT_EQ(writer.Replace(dir.File("b"), "x"), ""); });
    EXPECT_EQ(ModeOf(dir.File("b")), 0600u);
}

TEST(AtomicReplace, ASymbolicLinkStaysALinkAndItsTargetIsReplaced) {
    TempDir dir;
    TempDir elsewhere;
    const std::string target = elsewhere.File("202404.dat");
    WriteFile(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), 0604), 0);
    const std::string link = dir.File("202404.dat");
    std::filesystem::create_symlink(target, link);
    AtomicWriter writer;
    ASSERT_EQ(writer.Replace(link, "new"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "new");
    EXPECT_EQ(ModeOf(target), 0604u);
    // The temporary file lived beside the target, not beside the link.
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"202404.dat"});

    // A relative link through a second link, and a link whose target does
    // not exist yet, both reach the end of the chain.
    std::filesystem::create_symlink("202404.dat", dir.File("alias.dat"));
    ASSERT_EQ(writer.Replace(dir.File("alias.dat"), "third"), "");
    EXPECT_EQ(ReadFile(target), "third");
    std::filesystem::create_symlink(elsewhere.File("new.dat"), dir.File("dangling.dat"));
    ASSERT_EQ(writer.Replace(dir.File("dangling.dat"), "made"), "");
    EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.dat")));
    EXPECT_EQ(ReadFile(elsewhere.File("new.dat")), "made");
}

TEST(AtomicReplace, AKeptCopyHasTheOriginalsMode) {
    TempDir dir;
    const std::string file = dir.File("200503.dat");
    WriteFile(file, "broken");
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    AtomicWriter writer;
    WithUmask(022, [&] { ASSERT_EQ(KeepCopy(file, dir.File("copy"), writer), ""); });
    EXPECT_EQ(ReadFile(dir.File("copy")), "broken");
    EXPECT_EQ(ModeOf(dir.File("copy")), 0600u);
}

} // namespace
} // namespace zanpel::test

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

TEST(AtomicReplace, AFileTheUserMayNotWriteIsRefusedAsTheShellRefusesIt) {
    TempDir dir;
    const UserIds user = UnprivilegedUser();
    ASSERT_EQ(::chown(dir.Path().c_str(), user.Uid, user.Gid), 0);
    const std::string file = dir.File("ro.txt");
    WriteFile(file, "old");
    ASSERT_EQ(::chown(file.c_str(), user.Uid, user.Gid), 0);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    const int failed = RunInChild(
        [&] {
            AtomicWriter writer;
            const std::string denied = file + ": " + std::strerror(EACCES);
            CHILD_CHECK(1, writer.Replace(file, "new") == denied);
            CHILD_CHECK(2, writer.WriteOutput(file, "new") == denied);
            CHILD_CHECK(3, ReadFile(file) == "old");
            // A folder the user may not write keeps its files too.
            CHILD_CHECK(4,
                        ::chmod(file.c_str(), 0644) == 0 && ::chmod(dir.Path().c_str(), 0555) == 0);
            CHILD_CHECK(5, writer.Replace(file, "new") == denied);
            CHILD_CHECK(6, ReadFile(file) == "old");
            return 0;
        },
        true);
    EXPECT_EQ(failed, 0);
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"ro.txt"});
}

TEST(OutputFile, AFifoIsWrittenInPlaceAndNeverReplaced) {
    TempDir dir;
    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    AtomicWriter writer;
    EXPECT_EQ(writer.WriteOutput(fifo, "report\r\n"), "");
    char buffer[64] = {};
    EXPECT_EQ(::read(reader, buffer, sizeof buffer), 8);
    EXPECT_EQ(std::string(buffer), "report\r\n");
    ::close(reader);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    // A month or settings file is only ever a regular file.
    EXPECT_THAT(writer.Replace(fifo, "x"), HasSubstr(fifo + ": "));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    EXPECT_EQ(writer.WriteOutput(dir.Path(), "x"), dir.Path() + ": " + std::strerror(EISDIR));
    EXPECT_EQ(Names(dir.Path()), std::set<std::string>{"pipe"});
}

TEST(OutputFile, ACharacterDeviceIsWrittenInPlace) {
    TempDir dir;
    const std::string device = dir.File("null");
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (" << std::strerror(errno)
                     << "); the FIFO test covers writing in place";
    AtomicWriter writer;
    EXPECT_EQ(writer.WriteOutput(device, "report"), "");
    struct stat st {};
    ASSERT_EQ(::stat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, makedev(1, 3));
}

TEST(AtomicReplace, LinksInASharedFolderAreFollowedOnlyWhereTheKernelWouldFollowThem) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "planting a link of another user needs root";
    TempDir shared;
    ASSERT_EQ(::chmod(shared.Path().c_str(), 01777), 0);
    TempDir mine;
    const std::string victim = mine.File("records.txt");
    WriteFile(victim, "mine");
    const UserIds other = UnprivilegedUser();
    const std::string planted = shared.File("report.txt");
    std::filesystem::create_symlink(victim, planted);
    ASSERT_EQ(::lchown(planted.c_str(), other.Uid, other.Gid), 0);
    const std::string folderLink = shared.File("out");
    std::filesystem::create_symlink(mine.Path(), folderLink);
    ASSERT_EQ(::lchown(folderLink.c_str(), other.Uid, other.Gid), 0);

    AtomicWriter writer;
    const std::string denied = ": " + std::string(std::strerror(EACCES));
    EXPECT_EQ(writer.WriteOutput(planted, "hijacked"), planted + denied);
    EXPECT_EQ(writer.Replace(planted, "hijacked"), planted + denied);
    EXPECT_EQ(writer.Replace(folderLink + "/records.txt", "hijacked"),
              folderLink + "/records.txt" + denied);
    EXPECT_EQ(ReadFile(victim), "mine");
    EXPECT_TRUE(std::filesystem::is_symlink(planted));

    // The user's own links there are followed.
    ASSERT_EQ(::lchown(planted.c_str(), 0, 0), 0);
    EXPECT_EQ(writer.WriteOutput(planted, "report"), "");
    EXPECT_EQ(ReadFile(victim), "report");
}

TEST(AtomicReplace, TheTemporaryFileIsANewFileWhateverLiesWhereItCouldBeExpected) {
    TempDir dir;
    const std::string report = dir.File("report.txt");
    WriteFile(report, "old");
    // What another user could have planted at the names of a fixed scheme.
    ASSERT_EQ(::mkfifo((report + ".tmp").c_str(), 0666), 0);
    TempDir elsewhere;
    std::filesystem::create_symlink(elsewhere.File("stolen"), report + ".tmp-");
    const int result = RunInChild(
        [&] {
            AtomicWriter writer;
            return writer.WriteOutput(report, "new") == "" ? 0 : 1;
        },
        false, 10);
    EXPECT_EQ(result, 0) << "the write failed or hung";
    EXPECT_EQ(ReadFile(report), "new");
    EXPECT_TRUE(std::filesystem::is_fifo(report + ".tmp"));
    EXPECT_FALSE(std::filesystem::exists(elsewhere.File("stolen")));
    EXPECT_EQ(Names(dir.Path()),
              (std::set<std::string>{"report.txt", "report.txt.tmp", "report.txt.tmp-"}));
}

} // namespace
} // namespace zanpel::test
