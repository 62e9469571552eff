// End-to-end tests of the zanpelctl binary in temporary folders.
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

// zanpelctl with args, run by the shell command line script (which names it
// "$0" and its arguments "$@").
std::vector<std::string> InShell(const std::string& script, const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"/bin/sh", "-c", script};
    for (const std::string& arg : ZanpelctlCommand(args))
        argv.push_back(arg);
    return argv;
}

TEST_F(Zanpelctl, ExportsAMonthAsCsvAndJson) {
    Install("200503-golden.dat", "200503.dat");
    const ProcessResult csv = Run({"export", "200503"});
    ASSERT_EQ(csv.ExitCode, 0) << csv.Err;
    EXPECT_THAT(csv.Out, ::testing::StartsWith(
                             "date,item,record_memo,category,period_memo,start,end,seconds,"
                             "computer_on\n2005-03-01,%LOGIN%,,,,09:00:00,17:30:00,30600,true\n"));
    EXPECT_THAT(
        csv.Out,
        HasSubstr("2005-03-02,作業A,,表示,\"夜間\r\n対応\",23:30:00,24:15:00,2700,false\n"));
    EXPECT_THAT(csv.Out, HasSubstr("2005-03-02,%LOGIN%,,休憩,,12:00:00,12:59:59,3599,true\n"));
    const ProcessResult json = Run({"export", "200503", "--format", "json"});
    ASSERT_EQ(json.ExitCode, 0);
    EXPECT_THAT(json.Out, HasSubstr("{\"date\":\"2005-03-02\",\"item\":\"会議\",\"record_memo\":"
                                    "\"定例 (週次)\",\"category\":\"打合せ\",\"period_memo\":"
                                    "\"議事録,資料\",\"start\":\"10:00:00\""));
    EXPECT_EQ(std::count(json.Out.begin(), json.Out.end(), '\n'), 8);
}

TEST_F(Zanpelctl, ExportsARangeOfMonthsAndRefusesBadArguments) {
    Install("200503-golden.dat", "200503.dat");
    WriteFile(data.File("200505.dat"), "2005/05/01,x,,\"09:00:00,10:00:00,,\"\r\n");
    const ProcessResult range = Run({"export", "200503", "200505"});
    ASSERT_EQ(range.ExitCode, 0);
    // header, eight March rows (one memo holds a line break), one May row
    EXPECT_EQ(std::count(range.Out.begin(), range.Out.end(), '\n'), 1 + 8 + 1 + 1);
    EXPECT_LT(range.Out.find("2005-03-01"), range.Out.find("2005-05-01"));
    EXPECT_EQ(Run({"export", "200505", "200503"}).ExitCode, 2);
    EXPECT_EQ(Run({"export", "2005"}).ExitCode, 2);
    EXPECT_EQ(Run({"export", "200503", "--format", "xml"}).ExitCode, 2);
    EXPECT_EQ(Run({"export", "200503", "--bogus", "1"}).ExitCode, 2);
    EXPECT_EQ(Run({"frobnicate"}).ExitCode, 2);
}

TEST_F(Zanpelctl, CommandsThatTakeNothingRefuseAnArgumentOrAnOptionByName) {
    for (const std::string command : {"check", "rules", "settings", "today"}) {
        SCOPED_TRACE(command);
        const ProcessResult argument = Run({command, "extra"});
        EXPECT_EQ(argument.ExitCode, 2);
        EXPECT_NE(argument.Err.find(command + " は引数を取りません"), std::string::npos);
        const ProcessResult option = Run({command, "--bogus", "1"});
        EXPECT_EQ(option.ExitCode, 2);
        EXPECT_NE(option.Err.find("不明なオプションです: --bogus"), std::string::npos);
    }
}

TEST_F(Zanpelctl, RewriteSavesAsTheBarDoes) {
    WriteFile(data.File("200503.dat"), ReadFile(DataFile("200503-messy.dat")));
    const ProcessResult r = Run({"--now", "2005-04-10 12:00:00", "rewrite", "200503"});
    // Two lines gave no record: the original is kept and the exit says so.
    ASSERT_EQ(r.ExitCode, 1) << r.Err;
    EXPECT_THAT(r.Err, HasSubstr("2 行目: "));
    EXPECT_THAT(r.Out, HasSubstr("3 件の記録, 3 件の期間"));
    EXPECT_THAT(r.Out, HasSubstr("書込み: "));
    EXPECT_EQ(ReadFile(data.File("200503.dat.broken-20050410-120000")),
              ReadFile(DataFile("200503-messy.dat")));
    // Sorted newest first, merged, CR LF, no computer-on record made up.
    EXPECT_EQ(ReadFile(data.File("200503.dat")),
              "2005/03/02," + Sjis("作業B") + ",,\"09:00:00,09:00:02,,\"\r\n" + "2005/03/01," +
                  Sjis("作業A") + "," + Sjis("最初") +
                  ",\"09:00:00,10:00:00,,\",\"13:00:00,14:00:00,,\"\r\n");
}

TEST_F(Zanpelctl, RewriteOfAMonthWithoutAFileWritesNothing) {
    const ProcessResult r = Run({"rewrite", "209901"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("月のファイルがありません"));
    EXPECT_FALSE(std::filesystem::exists(data.File("209901.dat")));
}

TEST_F(Zanpelctl, EveryCommandThatReadsTheDataFolderSaysWhenThereIsNone) {
    // A mistyped --data-dir: an empty month or default settings would look
    // like data to a script.
    const std::string missing = data.File("mistyped");
    const std::vector<std::vector<std::string>> commands = {
        {"today"},
        {"export", "200503"},
        {"summary", "200503"},
        {"report", "200503"},
        {"rewrite", "200503"},
        {"check"},
        {"rules"},
        {"settings"},
        {"match", "a", "b"},
        {"sync", "200503", "--file", DataFile("200503-golden.dat")}};
    for (std::vector<std::string> args : commands) {
        SCOPED_TRACE(args[0]);
        args.insert(args.begin(), {"--data-dir", missing});
        const ProcessResult r = RunZanpelctl(args, {{"XDG_RUNTIME_DIR", runtime.Path()}});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_EQ(r.Err, "zanpelctl: データフォルダがありません: " + missing + "\n");
        EXPECT_EQ(r.Out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(Zanpelctl, WritingCommandsRefuseWhileTheBarRunsOnTheFolderWhateverTheRuntimeFolder) {
    Install("200503-golden.dat", "200503.dat");
    // The bar holds the data folder's lock; the tool runs with another
    // runtime folder (a cron job without XDG_RUNTIME_DIR).
    InstanceLock bar(data.Path(), InstanceLock::DataFolderFileName);
    ASSERT_TRUE(bar.TryAcquire());
    const ProcessResult r = Run({"rewrite", "200503"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("zanpel が動作中"));
    EXPECT_EQ(ReadFile(data.File("200503.dat")), ReadFile(DataFile("200503-golden.dat")));
    EXPECT_EQ(Run({"export", "200503"}).ExitCode, 0); // reading is fine
    bar.Release();
    EXPECT_EQ(Run({"--now", "2005-04-10 12:00:00", "rewrite", "200503"}).ExitCode, 0);
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

TEST_F(Zanpelctl, CheckReportsEveryUnreadableFileWithTheSystemMessage) {
    Install("200503-golden.dat", "200503.dat");
    Install("200502-broken.dat", "200502.dat");
    const ProcessResult r = Run({"check"});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("データが読込めません!\n" + data.File("200502.dat") + "\n2 行目"));
    EXPECT_THAT(r.Out, HasSubstr("2 個のファイルを確認しました。エラー: 1"));
    // check never writes: no copy of the broken file is made.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data.Path()),
                            std::filesystem::directory_iterator()),
              2);
    std::filesystem::remove(data.File("200502.dat"));
    EXPECT_EQ(Run({"check"}).ExitCode, 0);

    // Lines that give no record, and a settings file that cannot be read.
    WriteFile(data.File("200504.dat"), "2005-04-02,a,,\"09:00:00,10:00:00,,\"\r\n");
    std::filesystem::create_directory(data.File("zanpel.ini"));
    const ProcessResult more = Run({"check"});
    EXPECT_EQ(more.ExitCode, 1);
    EXPECT_THAT(more.Err, HasSubstr(data.File("200504.dat") + "\n1 行目: "));
    EXPECT_THAT(more.Err, HasSubstr("設定ファイルが読込めません!"));
    EXPECT_THAT(more.Out, HasSubstr("3 個のファイルを確認しました。エラー: 2"));
}

TEST_F(Zanpelctl, NothingIsChangedWithoutAWord) {
    // A zero byte before a period, and a date the reading corrects: check
    // names the lines, rewrite keeps the original.
    const std::string odd = "2005/03/01,a,,\"09:00:00,12:00:00,,\"" + std::string(1, '\0') +
                            ",\"13:00:00,17:00:00,,\"\r\n2005/03/32,b,,\"09:00:00,10:00:00,,\"\r\n";
    WriteFile(data.File("200503.dat"), odd);
    const ProcessResult check = Run({"check"});
    EXPECT_EQ(check.ExitCode, 1);
    EXPECT_THAT(check.Err, HasSubstr("\n1 行目: "));
    EXPECT_THAT(check.Err, HasSubstr("\n2 行目: "));
    const ProcessResult rewrite = Run({"--now", "2005-04-10 12:00:00", "rewrite", "200503"});
    EXPECT_EQ(rewrite.ExitCode, 1);
    EXPECT_EQ(ReadFile(data.File("200503.dat.broken-20050410-120000")), odd);
    EXPECT_THAT(ReadFile(data.File("200503.dat")), HasSubstr("\"13:00:00,17:00:00,,\""));

    // A file saved by an editor in UTF-8 is rewritten byte for byte.
    const std::string utf8 = "2005/04/01,設計,,\"09:00:00,10:00:00,設計,\"\r\n";
    WriteFile(data.File("200504.dat"), utf8);
    EXPECT_EQ(Run({"rewrite", "200504"}).ExitCode, 0);
    EXPECT_EQ(ReadFile(data.File("200504.dat")), utf8);
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

TEST_F(Zanpelctl, RewriteOfABrokenFileKeepsTheOriginalAndSaysWhere) {
    Install("200502-broken.dat", "200502.dat");
    const ProcessResult r = Run({"--now", "2005-03-01 09:00:05", "rewrite", "200502"});
    EXPECT_EQ(r.ExitCode, 1);
    const std::string copy = data.File("200502.dat.broken-20050301-090005");
    EXPECT_THAT(r.Err, HasSubstr(copy));
    EXPECT_EQ(ReadFile(copy), ReadFile(DataFile("200502-broken.dat")));
}

TEST_F(Zanpelctl, TodayPrintsTheDaysRecords) {
    Install("200503-golden.dat", "200503.dat");
    const ProcessResult r = Run({"--now", "2005-03-02 18:00:00", "today"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(r.Out, HasSubstr("2005/03/02"));
    EXPECT_THAT(r.Out, HasSubstr("パソコン使用  08:45:10-18:05:00  休憩 00:59:59"));
    EXPECT_THAT(r.Out, HasSubstr("作業A  02:45:00"));
    EXPECT_THAT(r.Out, HasSubstr("23:30:00-24:15:00  表示  夜間"));
    EXPECT_EQ(ReadFile(data.File("200503.dat")), ReadFile(DataFile("200503-golden.dat")));
}

TEST_F(Zanpelctl, VersionAndHelpNeedNoCommand) {
    const ProcessResult version = Run({"--version"});
    EXPECT_EQ(version.ExitCode, 0);
    EXPECT_EQ(version.Out, std::string("zanpelctl ") + ProgramVersion + "\n");
    const ProcessResult help = Run({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_THAT(help.Out, HasSubstr("autostart on|off|status"));
    EXPECT_EQ(help.Err, "");
    EXPECT_EQ(Run({}).ExitCode, 2);
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

} // namespace
} // namespace zanpel::test
