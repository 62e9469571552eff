// The autostart entry: written, recognised, switched off and removed in a
// temporary configuration folder, with program paths a shell would trip on.
#include "app/autostart.h"
#include "support/process.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

class Autostart : public ::testing::Test {
protected:
    Autostart() : paths(ResolveAutostartPaths(config.Path(), "/home/u", "/opt/zanpel/bin")) {}
    TempDir config;
    AutostartPaths paths;
};

TEST_F(Autostart, FoldersComeFromTheEnvironmentAndTheProgramFolder) {
    EXPECT_EQ(paths.Folder, config.Path() + "/autostart");
    EXPECT_EQ(paths.Program, "/opt/zanpel/bin/zanpel");
    EXPECT_EQ(paths.EntryPath(), config.Path() + "/autostart/org.example.zanpel.desktop");
    // Unset or relative: the default under the home folder.
    EXPECT_EQ(ResolveAutostartPaths("", "/home/u", "/usr/bin").Folder, "/home/u/.config/autostart");
    EXPECT_EQ(ResolveAutostartPaths("cfg", "/home/u", "/usr/bin").Folder,
              "/home/u/.config/autostart");
}

TEST_F(Autostart, OnWritesTheEntryAndOffRemovesIt) {
    EXPECT_FALSE(IsAutostartOn(paths));
    EXPECT_EQ(SetAutostart(false, paths), "") << "nothing to remove is no error";
    ASSERT_EQ(SetAutostart(true, paths), "");
    EXPECT_TRUE(IsAutostartOn(paths));
    const std::string entry = ReadFile(paths.EntryPath());
    EXPECT_THAT(entry, ::testing::StartsWith("[Desktop Entry]\nType=Application\n"));
    EXPECT_THAT(entry, HasSubstr("\nExec=/opt/zanpel/bin/zanpel\n"));
    EXPECT_THAT(entry, HasSubstr("\nIcon=org.example.zanpel\n"));
    ASSERT_EQ(SetAutostart(true, paths), "") << "writing again replaces";
    ASSERT_EQ(SetAutostart(false, paths), "");
    EXPECT_FALSE(IsAutostartOn(paths));
    EXPECT_FALSE(std::filesystem::exists(paths.EntryPath()));
}

TEST_F(Autostart, AnEntrySwitchedOffInsideCountsAsOff) {
    std::filesystem::create_directories(paths.Folder);
    WriteFile(paths.EntryPath(), "[Desktop Entry]\r\nExec=zanpel\r\nHidden=true\r\n");
    EXPECT_FALSE(IsAutostartOn(paths));
    WriteFile(paths.EntryPath(), "[Desktop Entry]\nExec=zanpel\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(IsAutostartOn(paths));
    WriteFile(paths.EntryPath(), "[Desktop Entry]\nExec=zanpel\nHidden=false\n");
    EXPECT_TRUE(IsAutostartOn(paths));
}

TEST_F(Autostart, FailuresSayWhyAndWriteNothing) {
    WriteFile(config.File("autostart"), ""); // a file where the folder should be
    EXPECT_THAT(SetAutostart(true, paths), HasSubstr(config.File("autostart")));
    AutostartPaths broken =
        ResolveAutostartPaths(config.Path() + "/sub", "/h", "/a\nExec=/bin/evil");
    EXPECT_THAT(SetAutostart(true, broken), HasSubstr("パスが使えません"));
    EXPECT_FALSE(std::filesystem::exists(broken.Folder));
    broken.Program = "zanpel";
    EXPECT_THAT(SetAutostart(true, broken), HasSubstr("パスが使えません")) << "not absolute";
}

TEST(AutostartExec, PathsAreQuotedAndEscapedAsTheDesktopEntryRulesSay) {
    EXPECT_EQ(ExecArgument("/usr/bin/zanpel"), "/usr/bin/zanpel");
    EXPECT_EQ(ExecArgument("/home/a b/zanpel"), "\"/home/a b/zanpel\"");
    // Inside quotes " ` $ \ take a backslash, which the string value doubles.
    EXPECT_EQ(ExecArgument("/x$HOME/z"), "\"/x\\\\$HOME/z\"");
    EXPECT_EQ(ExecArgument("/x\"y/z"), "\"/x\\\\\"y/z\"");
    EXPECT_EQ(ExecArgument("/x\\y/z"), "\"/x\\\\\\\\y/z\"");
    EXPECT_EQ(ExecArgument("/x`y`/z"), "\"/x\\\\`y\\\\`/z\"");
    // A percent sign would be a field code.
    EXPECT_EQ(ExecArgument("/100%/zanpel"), "/100%%/zanpel");
    EXPECT_EQ(ExecArgument("/a b%/z"), "\"/a b%%/z\"");
}

TEST(AutostartExec, TheEntryForAnAwkwardPathPassesTheValidator) {
    if (!std::filesystem::exists("/usr/bin/desktop-file-validate"))
        GTEST_SKIP() << "desktop-file-validate is not installed (scripts/setup installs it)";
    TempDir config;
    const AutostartPaths paths =
        ResolveAutostartPaths(config.Path(), "/h", "/home/o'neil/my $apps (100%)/bin\\x");
    ASSERT_EQ(SetAutostart(true, paths), "");
    const ProcessResult r = RunProcess({"/usr/bin/desktop-file-validate", paths.EntryPath()});
    EXPECT_EQ(r.ExitCode, 0) << r.Out << r.Err;
    EXPECT_EQ(r.Out + r.Err, "");
}

} // namespace
} // namespace zanpel::test
