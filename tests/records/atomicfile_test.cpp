// Replacing a file keeps what the user set on it: its mode, and a symbolic
// link that points elsewhere.
#include "records/atomicfile.h"
#include "records/brokencopy.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace zanpel::test {
namespace {

mode_t ModeOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
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
    EXPECT_FALSE(std::filesystem::exists(AtomicWriter::TemporaryPath(link)));

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
