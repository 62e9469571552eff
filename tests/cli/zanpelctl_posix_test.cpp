// End-to-end tests of the zanpelctl binary of what only POSIX systems have:
// modes, links, FIFOs, devices, /dev/full, the shell, and the Linux
// desktop's autostart entry and GNOME Shell extension.
#include "app/instancelock.h"
#include "app/version.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using Zanpelctl = ZanpelctlTest;

// A gsettings of the test's own that answers for the three keys of
// org.gnome.shell that decide whether the shell enables an extension.
std::string FakeGsettings(const TempDir& folder, const std::string& enabled,
                          const std::string& disabled, const std::string& userOff) {
    const std::string bin = folder.File("bin");
    std::filesystem::create_directories(bin);
    WriteFile(bin + "/gsettings", "#!/bin/sh\ncase \"$3\" in\n"
                                  "enabled-extensions) echo \"" +
                                      enabled +
                                      "\";;\n"
                                      "disabled-extensions) echo \"" +
                                      disabled +
                                      "\";;\n"
                                      "disable-user-extensions) echo " +
                                      userOff +
                                      ";;\n"
                                      "*) exit 1;;\nesac\n");
    ::chmod((bin + "/gsettings").c_str(), 0755);
    return bin;
}

// zanpelctl with args, run by the shell command line script (which names it
// "$0" and its arguments "$@").
std::vector<std::string> InShell(const std::string& script, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"/bin/sh", "-c", script};
    for (const std::string& arg : ZanpelctlCommand(args))
        argv.push_back(arg);
    return argv;
}

TEST_F(Zanpelctl, RewriteSaysWhatFailedWhenTheLockCannotBeMade) {
    Install("200503-golden.dat", "200503.dat");
    std::filesystem::create_directory(data.File("zanpel.lock"));
    const ProcessResult r = Run({"rewrite", "200503"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, Not(HasSubstr("動作中")));
    EXPECT_THAT(r.Err, HasSubstr(data.File("zanpel.lock") + ": " + std::strerror(EISDIR)));
    EXPECT_EQ(ReadFile(data.File("200503.dat")), ReadFile(DataFile("200503-golden.dat")));
}

TEST_F(Zanpelctl, AReportNamedForTheStandardOutputGoesWhereTheOutputGoes) {
    Install("200503-golden.dat", "200503.dat");
    const ProcessResult plain = Run({"report", "200503", "--flags", "0"});
    ASSERT_EQ(plain.ExitCode, 0) << plain.Err;
    // The bytes of a report file: CP932 with CR LF.
    const std::string report = Utf8ToCp932(std::regex_replace(plain.Out, std::regex("\n"), "\r\n"));
    ASSERT_THAT(report, HasSubstr(Sjis("【作業時間】")));
    // Into a pipe, and into the file of the output after what was written
    // there before (which stays).
    for (const char* shell : {"\"$0\" \"$@\" | cat", "echo before; exec \"$0\" \"$@\""}) {
        const ProcessResult named =
            RunProcess(InShell(shell, {"--data-dir", data.Path(), "report", "200503", "--flags",
                                       "0", "--output", "/dev/stdout"}));
        EXPECT_EQ(named.Err, "") << shell;
        EXPECT_EQ(named.Out, (std::string(shell).starts_with("echo") ? "before\n" : "") + report)
            << shell;
    }
}

TEST_F(Zanpelctl, FilesTheUserMayNotWriteAreRefusedWithTheSystemsReason) {
    Install("200503-golden.dat", "200503.dat");
    WriteFile(data.File("ro.txt"), "kept");
    const UserIds user = UnprivilegedUser();
    for (const char* name : {"", "/200503.dat", "/ro.txt"})
        ASSERT_EQ(::chown((data.Path() + name).c_str(), user.Uid, user.Gid), 0);
    ASSERT_EQ(::chmod(data.File("ro.txt").c_str(), 0444), 0);
    ASSERT_EQ(::chmod(data.File("200503.dat").c_str(), 0444), 0);
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"--data-dir", data.Path()});
        return RunProcess(
            AsUnprivileged(ZanpelctlCommand(args)),
            {{"XDG_RUNTIME_DIR", ""}, {"ZANPEL_DATA_DIR", ""}, {"HOME", data.Path()}});
    };
    const std::string denied = std::string(": ") + std::strerror(EACCES);
    const ProcessResult report = run({"report", "200503", "--output", data.File("ro.txt")});
    EXPECT_EQ(report.ExitCode, 1);
    EXPECT_THAT(report.Err, HasSubstr(data.File("ro.txt") + denied));
    EXPECT_EQ(ReadFile(data.File("ro.txt")), "kept");
    const ProcessResult rewrite = run({"--now", "2005-04-10 12:00:00", "rewrite", "200503"});
    EXPECT_EQ(rewrite.ExitCode, 1);
    EXPECT_THAT(rewrite.Err, HasSubstr(data.File("200503.dat") + denied));
    EXPECT_EQ(ReadFile(data.File("200503.dat")), ReadFile(DataFile("200503-golden.dat")));
}

TEST_F(Zanpelctl, OutputThatCannotBeWrittenFails) {
    Install("200503-golden.dat", "200503.dat");
    WriteFile(data.File("zanpel.wk2"), ReadFile(DataFile("definitions-sample.wk2")));
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"export", "200503"}, std::vector<std::string>{"rules"}}) {
        std::vector<std::string> args = {"--data-dir", data.Path()};
        args.insert(args.end(), command.begin(), command.end());
        const ProcessResult r = RunProcess(InShell("exec \"$0\" \"$@\" > /dev/full", args));
        EXPECT_EQ(r.ExitCode, 1) << command[0];
        EXPECT_THAT(r.Err, HasSubstr(std::strerror(ENOSPC))) << command[0];
    }
}

TEST_F(Zanpelctl, FilesThatAreNoFilesAreRefusedAtOnce) {
    ASSERT_EQ(::mkfifo(data.File("200503.dat").c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", data.File("200504.dat").c_str()), 0);
    ASSERT_EQ(::mkdir(data.File("200505.dat").c_str(), 0700), 0);
    ASSERT_EQ(::mkfifo(data.File("zanpel.wk2").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(data.File("zanpel.ini").c_str(), 0600), 0);
    // A tool that waits on a FIFO would never end: it is given 20 seconds.
    const auto run = [&](std::vector<std::string> args) {
        args.insert(args.begin(),
                    {"/usr/bin/timeout", "20", ZANPELCTL_PATH, "--data-dir", data.Path()});
        return RunProcess(args, {{"XDG_RUNTIME_DIR", runtime.Path()}, {"ZANPEL_DATA_DIR", ""}});
    };
    const ProcessResult check = run({"check"});
    EXPECT_EQ(check.ExitCode, 1);
    EXPECT_THAT(check.Out, HasSubstr("5 個のファイルを確認しました。エラー: 5"));
    for (const char* name : {"200503.dat", "200504.dat", "200505.dat", "zanpel.wk2", "zanpel.ini"})
        EXPECT_THAT(check.Err,
                    HasSubstr(data.File(name) + ": 通常のファイルではないため読込みません"))
            << name;
    EXPECT_EQ(run({"export", "200503"}).ExitCode, 1);
    const ProcessResult rewrite = run({"rewrite", "200505"});
    EXPECT_EQ(rewrite.ExitCode, 1);
    EXPECT_THAT(rewrite.Err, HasSubstr("通常のファイルではありません"));
    EXPECT_THAT(rewrite.Out + rewrite.Err, Not(HasSubstr("残して")));
    EXPECT_TRUE(std::filesystem::is_directory(data.File("200505.dat")));
}

TEST_F(Zanpelctl, AReportIsNeverWrittenOverTheFoldersOwnFiles) {
    Install("200503-golden.dat", "200503.dat");
    WriteFile(data.File("zanpel.ini"), "AUTOHIDE=0\r\n");
    WriteFile(data.File("zanpel.wk2"), "@a,,\r\n");
    TempDir elsewhere;
    ASSERT_EQ(::symlink(data.File("200503.dat").c_str(), elsewhere.File("link.txt").c_str()), 0);
    ASSERT_EQ(::link(data.File("zanpel.wk2").c_str(), elsewhere.File("hard.txt").c_str()), 0);
    const std::string folder = MonthFiles(data.Path()) + ReadFile(data.File("zanpel.ini")) +
                               ReadFile(data.File("zanpel.wk2"));
    for (const std::string& target :
         {data.File("200503.dat"), data.File("zanpel.ini"), data.File("zanpel.wk2"),
          elsewhere.File("link.txt"), elsewhere.File("hard.txt"), data.File("200506.dat")}) {
        const ProcessResult r = Run({"report", "200503", "--output", target});
        EXPECT_EQ(r.ExitCode, 1) << target;
        EXPECT_THAT(r.Err, HasSubstr(target + ": zanpel のデータフォルダのファイル")) << target;
    }
    EXPECT_EQ(MonthFiles(data.Path()) + ReadFile(data.File("zanpel.ini")) +
                  ReadFile(data.File("zanpel.wk2")),
              folder);
    EXPECT_EQ(Run({"report", "200503", "--output", data.File("report.txt")}).ExitCode, 0);
}

// The bar's lock, the copies kept of files that could not be read, and
// temporary files are the folder's own too. Were the lock replaced, the bar
// would hold a lock on a file that is gone, and a rewrite would no longer
// see it.
TEST_F(Zanpelctl, AReportIsNeverWrittenOverTheLockTheKeptCopiesOrTemporaryFiles) {
    Install("200503-golden.dat", "200503.dat");
    InstanceLock bar(data.Path(), InstanceLock::DataFolderFileName);
    ASSERT_TRUE(bar.TryAcquire()) << bar.Error();
    const std::vector<std::string> kept = {
        "200503.dat.broken-20050410-120000", "zanpel.wk2.broken-20050410-120000-2",
        "zanpel.ini.broken-20050410-120000", "200503.dat.tmp-a1B2c3"};
    for (const std::string& name : kept)
        WriteFile(data.File(name), name);
    TempDir elsewhere;
    ASSERT_EQ(::link(data.File(kept[0]).c_str(), elsewhere.File("hard.txt").c_str()), 0);
    const std::string before = ReadFile(data.File("zanpel.lock"));
    std::vector<std::string> targets = {data.File("zanpel.lock"), elsewhere.File("hard.txt"),
                                        data.File("200504.dat.broken-20050501-090000"),
                                        data.File("zanpel.wk2.tmp-Zz9Yy8")};
    for (const std::string& name : kept)
        targets.push_back(data.File(name));
    for (const std::string& target : targets) {
        const ProcessResult r = Run({"report", "200503", "--output", target});
        EXPECT_EQ(r.ExitCode, 1) << target;
        EXPECT_THAT(r.Err, HasSubstr(target + ": zanpel のデータフォルダのファイル")) << target;
    }
    for (const std::string& name : kept)
        EXPECT_EQ(ReadFile(data.File(name)), name);
    EXPECT_EQ(ReadFile(data.File("zanpel.lock")), before);
    EXPECT_FALSE(std::filesystem::exists(data.File("200504.dat.broken-20050501-090000")));
    EXPECT_FALSE(std::filesystem::exists(data.File("zanpel.wk2.tmp-Zz9Yy8")));
    EXPECT_EQ(Run({"rewrite", "200503"}).ExitCode, 1); // the bar still holds the month
    // Names that only look alike are the user's.
    for (const char* name : {"200503.dat.txt", "zanpel.lock.txt", "notes.tmp-1", "2005.dat"})
        EXPECT_EQ(Run({"report", "200503", "--output", data.File(name)}).ExitCode, 0) << name;
}

TEST_F(Zanpelctl, AutostartWritesRemovesAndReportsTheEntry) {
    TempDir config;
    const auto autostart = [&](const std::string& what) {
        return RunZanpelctl({"autostart", what}, {{"XDG_CONFIG_HOME", config.Path()}});
    };
    const std::string entry = config.Path() + "/autostart/" + DesktopId + ".desktop";
    EXPECT_THAT(autostart("status").Out, HasSubstr("ログイン時に起動しません"));
    const ProcessResult on = autostart("on");
    ASSERT_EQ(on.ExitCode, 0) << on.Err;
    EXPECT_EQ(on.Out, "ログイン時に起動します: " + entry + "\n");
    // The bar beside this zanpelctl: the installed one once installed.
    const std::string bar =
        (std::filesystem::path(ZANPELCTL_PATH).parent_path() / "zanpel").string();
    EXPECT_THAT(ReadFile(entry), HasSubstr("\nExec=" + bar + "\n"));
    EXPECT_THAT(autostart("status").Out, HasSubstr("ログイン時に起動します"));
    EXPECT_EQ(autostart("off").Out, "ログイン時に起動しません。\n");
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_EQ(autostart("maybe").ExitCode, 2);
    std::filesystem::remove_all(config.File("autostart"));
    WriteFile(config.File("autostart"), ""); // a file where the folder should be
    const ProcessResult failed = autostart("on");
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_THAT(failed.Err, HasSubstr(config.File("autostart")));
}

TEST_F(Zanpelctl, GnomeExtensionIsInstalledAsTheSourceTreeHoldsItAndMatchHelpNamesTheSource) {
    TempDir home;
    const std::map<std::string, std::string> env = {
        {"XDG_DATA_HOME", home.Path()},
        {"XDG_DATA_DIRS", home.File("none")},
        {"WAYLAND_DISPLAY", "wayland-0"},
        {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"},
        {"PATH", "/nonexistent"}}; // no gsettings: its answer is unknown
    const std::string folder = home.Path() + "/gnome-shell/extensions/zanpel@example.org";
    const ProcessResult before = RunZanpelctl({"gnome-extension", "status"}, env);
    EXPECT_EQ(before.ExitCode, 0);
    EXPECT_THAT(before.Out, HasSubstr("は入っていません"));
    EXPECT_THAT(before.Out, HasSubstr("gnome-extensions enable zanpel@example.org"));
    const ProcessResult installed = RunZanpelctl({"gnome-extension", "install"}, env);
    ASSERT_EQ(installed.ExitCode, 0) << installed.Err;
    EXPECT_THAT(installed.Out, HasSubstr("入っている場所: " + folder + "\n"));
    for (const char* file : {"metadata.json", "extension.js"})
        EXPECT_EQ(
            ReadFile(folder + "/" + file),
            ReadFile(std::string(ZANPEL_SOURCE_DIR "/data/gnome-shell/zanpel@example.org/") + file))
            << file;
    // The help of match says what a program name is in this session.
    const ProcessResult help = RunZanpelctl({"match", "--help"}, env);
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_THAT(help.Out, HasSubstr("XWayland のウィンドウのみ"));
    EXPECT_THAT(
        RunZanpelctl({"help", "match"}, {{"WAYLAND_DISPLAY", "w"}, {"XDG_CURRENT_DESKTOP", "KDE"}})
            .Out,
        HasSubstr("KWin スクリプト"));
    // The extension's folder cannot be made: the cause, and a failure.
    std::filesystem::remove_all(home.Path() + "/gnome-shell");
    WriteFile(home.Path() + "/gnome-shell", "");
    const ProcessResult failed = RunZanpelctl({"gnome-extension", "install"}, env);
    EXPECT_EQ(failed.ExitCode, 1);
    EXPECT_THAT(failed.Err, HasSubstr(home.Path() + "/gnome-shell"));
}

TEST_F(Zanpelctl, GnomeExtensionIsNotInstalledWhereTheShellNeverLooks) {
    // Neither XDG_DATA_HOME nor HOME names a folder from the root: the shell
    // would not look where such a path leads from zanpelctl's folder.
    TempDir folder;
    const ProcessResult result = RunProcess(
        InShell("cd " + folder.Path() + " && exec \"$0\" \"$@\"", {"gnome-extension", "install"}),
        {{"HOME", "home"}, {"XDG_DATA_HOME", "data"}, {"PATH", "/nonexistent"}});
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Err, HasSubstr("HOME"));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(Zanpelctl, GnomeExtensionStatusReadsTheShellsSettingsAsTheShellDoes) {
    TempDir home;
    const std::string ours = "['a@b.org', 'zanpel@example.org']";
    const auto status = [&](const std::string& disabled, const std::string& userOff) {
        return RunZanpelctl({"gnome-extension", "status"},
                            {{"XDG_DATA_HOME", home.Path()},
                             {"XDG_DATA_DIRS", home.File("none")},
                             {"PATH", FakeGsettings(home, ours, disabled, userOff)}})
            .Out;
    };
    EXPECT_THAT(status("@as []", "false"), HasSubstr("有効かどうか: 有効\n"));
    // The disabled list wins over the enabled one (gnome-extensions disable
    // writes both; gsettings set writes one).
    EXPECT_THAT(status("['zanpel@example.org']", "false"), HasSubstr("有効かどうか: 無効\n"));
    // The Extensions app's main switch turns every extension off.
    const std::string allOff = status("@as []", "true");
    EXPECT_THAT(allOff, HasSubstr("有効かどうか: 無効 "));
    EXPECT_THAT(allOff, HasSubstr("disable-user-extensions"));
}

// A month that is a FIFO is not read (it would wait for a writer) and so
// gives no report file.
TEST_F(Zanpelctl, AReportOfAMonthThatIsAFifoLeavesTheOutputAsItWas) {
    const std::string output = data.File("prev.txt");
    WriteFile(output, "OLDCONTENT\n");
    ASSERT_EQ(::mkfifo(data.File("200509.dat").c_str(), 0600), 0);
    const ProcessResult r = Run({"report", "200509", "--output", output});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("200509.dat"));
    EXPECT_EQ(ReadFile(output), "OLDCONTENT\n");
}

} // namespace
} // namespace zanpel::test
