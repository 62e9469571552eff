// End-to-end tests of the zanpelctl binary in temporary folders (on every
// system; what needs POSIX files or a shell is in zanpelctl_posix_test.cpp).
#include "app/instancelock.h"
#include "app/version.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

using Zanpelctl = ZanpelctlTest;

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

} // namespace
} // namespace zanpel::test
