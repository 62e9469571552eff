// What a month file must never lose: lines that give no record, items that
// are no period, and the records of a month that could not be written when
// the list moved on to the next one.
#include "records/atomicfile.h"
#include "support/diskfullwriter.h"
#include "support/process.h"
#include "worklist/worklistfixture.h"

#include <gmock/gmock.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class MonthFileSafety : public WorkListTest {
protected:
    MonthFileSafety() {
        writer.Full = false;
        list.SetWriter(&writer);
    }
    // Loads the March file while the clock stands in April (as the summary
    // browses a month).
    void LoadMarch(const std::optional<std::string>& contents) {
        if (contents)
            WriteFile(dir.File("200503.dat"), *contents);
        clock.Set(EncodeDate(2005, 4, 10), 12 * 3600);
        list.ChangeDate(march1);
    }
    DiskFullWriter writer;
};

TEST_F(MonthFileSafety, WhatIsNoFileIsRefusedAtOnceAndNoCopyIsPromised) {
    const std::string march = dir.File("200503.dat");
    const std::vector<std::function<int()>> kinds = {
        [&] { return ::mkfifo(march.c_str(), 0600); },         // would wait for a writer
        [&] { return ::symlink("/dev/zero", march.c_str()); }, // would never end
        [&] { return ::mkdir(march.c_str(), 0700); }};
    for (size_t kind = 0; kind < kinds.size(); ++kind) {
        std::filesystem::remove(march);
        ASSERT_EQ(kinds[kind](), 0) << std::strerror(errno);
        const int failed = RunInChild(
            [&] {
                LoadMarch(std::nullopt);
                CHILD_CHECK(1, reporter.Messages.size() == 1);
                CHILD_CHECK(2, reporter.Messages[0].find("通常のファイルではない") !=
                                   std::string::npos);
                CHILD_CHECK(3, reporter.Messages[0].find("残します") == std::string::npos);
                CHILD_CHECK(4, !list.SaveMonth());
                return 0;
            },
            false, 10);
        EXPECT_EQ(failed, 0) << "kind " << kind;
        EXPECT_FALSE(std::filesystem::is_regular_file(march)) << "kind " << kind;
    }
}

TEST_F(MonthFileSafety, AStrayItemIsNoPeriodAndTheOriginalIsKept) {
    // A memo with a plain blank: "memo" becomes an item of its own.
    const std::string original = Sjis("2005/03/01,abc,my memo,\"09:00:00,10:00:00,,\"\r\n"
                                      "2005/03/01,def,,\"09:00:00\"\r\n");
    LoadMarch(original);
    EXPECT_EQ(list.Find(march1, "abc")->Total, 3600);
    // A period without its end is no period either (not 15 hours).
    EXPECT_EQ(list.Find(march1, "def")->Total, 0);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], HasSubstr("1 行目: "));
    EXPECT_THAT(reporter.Messages[0], HasSubstr("2 行目: "));

    const std::string copy = list.BrokenCopyPath();
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(copy), original);
    EXPECT_EQ(ReadFile(dir.File("200503.dat")), "2005/03/01,abc,my,\"09:00:00,10:00:00,,\"\r\n");
}

TEST_F(MonthFileSafety, OnlyTheProgramsOwnMidnightTextReadsAsAWholeDay) {
    LoadMarch("2005/03/01,a,,\"00:00:00,00:00:00,,\"\r\n"
              "2005/03/01,b,,\"0:00:00,0:00:00,,\"\r\n"
              "2005/03/01,c,,\"10:00:00,10:00:00,,\"\r\n");
    EXPECT_EQ(list.Find(march1, "a")->Total, 86400);
    EXPECT_EQ(list.Find(march1, "b")->Total, 0);
    EXPECT_EQ(list.Find(march1, "c")->Total, 0);
    EXPECT_TRUE(reporter.Messages.empty()); // short periods are dropped by design
}

TEST_F(MonthFileSafety, ALineWhoseDateCannotBeReadIsReportedAndKept) {
    const std::string original = "2005/03/01,a,,\"09:00:00,10:00:00,,\"\r\n"
                                 "2005-03-02,b,,\"09:00:00,20:00:00,,\"\r\n";
    LoadMarch(original);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], HasSubstr("2 行目: "));
    EXPECT_THAT(reporter.Messages[0], HasSubstr("2005-03-02"));
    const std::string copy = list.BrokenCopyPath();
    ASSERT_NE(copy, "");
    EXPECT_THAT(reporter.Messages[0], HasSubstr(copy));
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(copy), original);
}

TEST_F(MonthFileSafety, AByteOrderMarkIsSkipped) {
    LoadMarch("\xEF\xBB\xBF"
              "2005/03/01,a,,\"09:00:00,10:00:00,,\"\r\n");
    EXPECT_TRUE(reporter.Messages.empty());
    EXPECT_EQ(list.Find(march1, "a")->Total, 3600);
}

TEST_F(MonthFileSafety, AFailedSaveAtTheChangeOfMonthKeepsTheOldMonthUntilItIsWritten) {
    StartOn(EncodeDate(2005, 3, 31), 9, 0);
    list.StartWork(list.CurrentDate(), A);
    At(12, 0);
    ASSERT_TRUE(list.SaveMonth());
    writer.Full = true; // from noon on, every write fails
    clock.Set(EncodeDate(2005, 4, 1), 0);
    list.UpdateRunning();
    list.ChangeDate(EncodeDate(2005, 4, 1));
    EXPECT_EQ(reporter.Messages.size(), 1u); // the failed save is reported
    EXPECT_TRUE(list.HasUnsavedRecords());
    EXPECT_THAT(list.UnsavedMonthFiles(), ::testing::Contains(dir.File("200503.dat")));
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("09:00:00,12:00:00"));

    // Every later save tries the old month first.
    list.StartWork(list.CurrentDate(), B);
    At(0, 30);
    EXPECT_FALSE(list.SaveMonth());
    writer.Full = false;
    At(1, 0);
    list.UpdateRunning();
    EXPECT_TRUE(list.SaveMonth());
    EXPECT_FALSE(list.HasUnsavedRecords());
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("09:00:00,00:00:00"));
    EXPECT_THAT(ReadFile(dir.File("200504.dat")), HasSubstr("2005/04/01," + B));
}

TEST_F(MonthFileSafety, GoingBackToAnUnsavedMonthTakesItsRecordsBack) {
    StartOn(EncodeDate(2005, 3, 31), 9, 0);
    list.StartWork(list.CurrentDate(), A);
    At(10, 0);
    writer.Full = true;
    list.ChangeDate(EncodeDate(2005, 4, 1));
    // The clock is set back: the old month is read again, as it was to be
    // written, not from its older file.
    list.ChangeDate(EncodeDate(2005, 3, 31));
    ASSERT_NE(list.Find(EncodeDate(2005, 3, 31), A), nullptr);
    EXPECT_EQ(list.Find(EncodeDate(2005, 3, 31), A)->Total, 3600);
    EXPECT_TRUE(list.HasUnsavedRecords());
    writer.Full = false;
    EXPECT_TRUE(list.SaveMonth());
    EXPECT_THAT(ReadFile(dir.File("200503.dat")), HasSubstr("09:00:00,10:00:00"));
    EXPECT_FALSE(list.HasUnsavedRecords());
}

} // namespace
} // namespace zanpel::test
