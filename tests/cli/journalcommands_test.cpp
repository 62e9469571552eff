// zanpelctl journal and sync, run as a user would.
#include "app/instancelock.h"
#include "support/journalfile.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

// The journal and sync commands of zanpelctl on journal files made for the
// tests, at noon on 20 March 2005 in Japan.
class ZanpelctlJournal : public ZanpelctlTest {
protected:
    void SetUp() override {
        if (const std::string why = WhyNoJournalFiles(); !why.empty())
            GTEST_SKIP() << why;
        journal = Make(dir.File("journal"),
                       {Jst(2005, 2, 27, 9, 0), Jst(2005, 3, 1, 8, 30), Jst(2005, 3, 1, 17, 0),
                        Jst(2005, 3, 2, 8, 10), Jst(2005, 3, 2, 18, 45)});
        month = data.File("200503.dat");
        WriteFile(month, "2005/03/01,%LOGIN%,,\"09:00:00,17:30:00,,\"\r\n");
    }
    // A journal file in folder with entries at the stamps, oldest first.
    std::string Make(const std::string& folder, const std::vector<uint64_t>& oldestFirst) {
        std::filesystem::create_directories(folder);
        const std::string path = folder + "/test.journal";
        EXPECT_EQ(WriteJournal(path, oldestFirst), "");
        return path;
    }
    ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--now", "2005-03-20 12:00:00"});
        return ZanpelctlTest::Run(args, {{"TZ", "JST-9"}});
    }
    TempDir dir;
    std::string journal;
    std::string month;
};

TEST_F(ZanpelctlJournal, JournalPrintsTheDaysNewestFirst) {
    const ProcessResult r = Run({"journal", "--file", journal});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "2005/03/20  12:00:00-12:00:00\n2005/03/02  08:10:00-18:45:00\n"
                     "2005/03/01  08:30:00-17:00:00\n");
    EXPECT_THAT(Run({"journal", "200502", "--directory", dir.File("journal")}).Out,
                HasSubstr("2005/03/01  08:30:00-17:00:00\n2005/02/27  09:00:00-09:00:00\n"));
    EXPECT_EQ(Run({"journal", "--file", journal, "--directory", dir.Path()}).ExitCode, 2);
    const ProcessResult missing = Run({"journal", "--file", dir.File("missing.journal")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_THAT(missing.Err, HasSubstr("ジャーナルを開けません"));
}

TEST_F(ZanpelctlJournal, SyncWidensTheMonthAndSavesIt) {
    const ProcessResult r = Run({"sync", "200503", "--file", journal});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(r.Out, HasSubstr("2005/03/01  09:00:00-17:30:00 → 08:30:00-17:30:00\n"));
    EXPECT_THAT(r.Out, HasSubstr("2005/03/02  (なし) → 08:10:00-18:45:00\n"));
    const std::string synced = "2005/03/20,%LOGIN%,,\"12:00:00,12:00:00,,\"\r\n"
                               "2005/03/02,%LOGIN%,,\"08:10:00,18:45:00,,\"\r\n"
                               "2005/03/01,%LOGIN%,,\"08:30:00,17:30:00,,\"\r\n";
    EXPECT_EQ(ReadFile(month), synced);
    const ProcessResult again = Run({"sync", "200503", "--file", journal});
    EXPECT_EQ(again.ExitCode, 0);
    EXPECT_THAT(again.Out, HasSubstr("変更はありません"));
    EXPECT_EQ(ReadFile(month), synced);
}

TEST_F(ZanpelctlJournal, SyncGivesEveryDayTheRestsOfTheSettingsThatNoRestCoversYet) {
    WriteFile(data.File("zanpel.ini"), "RESTTIME=720:780,900:910\r\n");
    // 2 March has a rest from a sleep of the machine.
    WriteFile(month, "2005/03/02,%LOGIN%,,\"08:10:00,18:45:00,,\",\"12:30:00,13:00:00," +
                         Sjis("休憩") + ",\"\r\n" +
                         "2005/03/01,%LOGIN%,,\"09:00:00,12:30:00,,\"\r\n");
    const ProcessResult r = Run({"sync", "200503", "--file", journal});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(r.Out, HasSubstr("2005/03/01  09:00:00-12:30:00 → 08:30:00-17:00:00\n"
                                 "2005/03/01  休憩 12:00:00-13:00:00 15:00:00-15:10:00\n"));
    const std::string rest = Sjis("休憩");
    EXPECT_EQ(ReadFile(month),
              "2005/03/20,%LOGIN%,,\"12:00:00,12:00:00,,\"\r\n"
              "2005/03/02,%LOGIN%,,\"08:10:00,18:45:00,,\",\"12:00:00,13:00:00," +
                  rest + ",\",\"15:00:00,15:10:00," + rest +
                  ",\"\r\n"
                  "2005/03/01,%LOGIN%,,\"08:30:00,17:00:00,,\",\"12:00:00,13:00:00," +
                  rest + ",\",\"15:00:00,15:10:00," + rest + ",\"\r\n");
    EXPECT_EQ(ReadFile(data.File("zanpel.ini")), "RESTTIME=720:780,900:910\r\n"); // read only
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, OverlappingRestsOfTheSettingsAreStoredAsOneAndCountOnce) {
    WriteFile(data.File("zanpel.ini"), "RESTTIME=720:780,750:800\r\n");
    WriteFile(month, "2005/03/01,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n");
    ASSERT_EQ(Run({"sync", "200503", "--file", journal}).ExitCode, 0);
    EXPECT_THAT(ReadFile(month), HasSubstr("2005/03/01,%LOGIN%,,\"08:30:00,18:00:00,,\","
                                           "\"12:00:00,13:20:00," +
                                           Sjis("休憩") + ",\"\r\n"));
    const ProcessResult summary = Run({"summary", "200503"});
    ASSERT_EQ(summary.ExitCode, 0) << summary.Err;
    EXPECT_THAT(summary.Out, HasSubstr("03/01\t 8.0\t08:10")) << summary.Out;
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, AnEntryOfAWrongClockNeitherEndsTheJournalNorTheSync) {
    // 1 March, a boot whose clock said 20 February, then 2 March.
    const std::string wrong = Make(
        dir.File("wrong"), {Jst(2005, 3, 1, 8, 30), Jst(2005, 3, 1, 17, 0), Jst(2005, 2, 20, 7, 0),
                            Jst(2005, 3, 2, 8, 10), Jst(2005, 3, 2, 18, 45)});
    const ProcessResult listed = Run({"journal", "200503", "--file", wrong});
    ASSERT_EQ(listed.ExitCode, 0) << listed.Err;
    EXPECT_EQ(listed.Out, "2005/03/20  12:00:00-12:00:00\n2005/03/02  08:10:00-18:45:00\n"
                          "2005/03/01  08:30:00-17:00:00\n");
    ASSERT_EQ(Run({"sync", "200503", "--file", wrong}).ExitCode, 0);
    EXPECT_THAT(ReadFile(month), HasSubstr("2005/03/01,%LOGIN%,,\"08:30:00,17:30:00,,\"\r\n"));
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, SyncWithoutAJournalStillAddsTheRestsAndSaysSo) {
    WriteFile(data.File("zanpel.ini"), "RESTTIME=720:780\r\n");
    const ProcessResult r = Run({"sync", "200503", "--file", dir.File("missing.journal")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("ジャーナルを開けません"));
    EXPECT_THAT(r.Err, HasSubstr("休憩だけを追加します"));
    EXPECT_EQ(ReadFile(month), "2005/03/01,%LOGIN%,,\"09:00:00,17:30:00,,\",\"12:00:00,13:00:00," +
                                   Sjis("休憩") + ",\"\r\n");
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, SyncWritesNothingWhileTheBarRunsOrWithoutAJournalOrAReadableMonth) {
    const std::string original = ReadFile(month);
    {
        InstanceLock bar(data.Path(), InstanceLock::DataFolderFileName);
        ASSERT_TRUE(bar.TryAcquire());
        const ProcessResult r = Run({"sync", "200503", "--file", journal});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_THAT(r.Err, HasSubstr("zanpel が動作中"));
    }
    EXPECT_EQ(Run({"sync", "200503", "--file", dir.File("missing.journal")}).ExitCode, 1);
    EXPECT_EQ(ReadFile(month), original);

    const std::string broken = original + "2005/02/30,x,,\"09:00:00,10:00:00,,\"\r\n";
    WriteFile(month, broken);
    EXPECT_EQ(Run({"sync", "200503", "--file", journal}).ExitCode, 1);
    EXPECT_EQ(ReadFile(month), broken);

    // Settings that cannot be read give no rests: the month is not saved
    // without them.
    WriteFile(month, original);
    std::filesystem::create_directory(data.File("zanpel.ini"));
    const ProcessResult unreadable = Run({"sync", "200503", "--file", journal});
    EXPECT_EQ(unreadable.ExitCode, 1);
    EXPECT_THAT(unreadable.Err, HasSubstr("設定ファイルが読込めません!"));
    EXPECT_EQ(ReadFile(month), original);
}

} // namespace
} // namespace zanpel::test
