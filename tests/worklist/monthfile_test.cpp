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

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class MonthFile : public WorkListTest {
protected:
    // Opens the month of day while the clock stands on another day, as when
    // the summary browses a month: no computer-on record is touched.
    void OpenMonthOf(DayNumber day) {
        clock.Set(EncodeDate(2005, 4, 10), 12 * 3600);
        list.ChangeDate(day);
    }
    std::string MarchPath() const { return dir.File("200503.dat"); }
    std::string Lines(std::initializer_list<std::string> lines) {
        std::string out;
        for (const std::string& line : lines)
            out += line + "\r\n";
        return out;
    }
};

TEST_F(MonthFile, IsNamedAfterYearAndMonth) {
    EXPECT_EQ(TDataList::MonthFileName(EncodeDate(2005, 3, 1)), "200503.dat");
    EXPECT_EQ(TDataList::MonthFileName(EncodeDate(987, 12, 31)), "098712.dat");
}

TEST_F(MonthFile, AFileOfTheWindowsProgramComesBackByteForByte) {
    const std::string golden = ReadFile(DataFile("200503-golden.dat"));
    WriteFile(MarchPath(), golden);
    OpenMonthOf(EncodeDate(2005, 3, 2));
    ASSERT_TRUE(reporter.Messages.empty());
    EXPECT_EQ(list.Count(), 5);
    const TWorkInfo* meeting = list.Find(EncodeDate(2005, 3, 2), Sjis("会議"));
    ASSERT_NE(meeting, nullptr);
    EXPECT_EQ(meeting->Memo, Sjis("定例 (週次)"));
    EXPECT_EQ(meeting->Periods[0].Memo, Sjis("議事録,資料"));
    const TWorkInfo* night = list.Find(EncodeDate(2005, 3, 2), A);
    EXPECT_EQ(night->Periods[2].StartSec, 84600);
    EXPECT_EQ(night->Periods[2].EndSec, 87300);
    EXPECT_EQ(night->Periods[2].Memo, Sjis("夜間\r\n対応"));
    EXPECT_EQ(night->Total, 2 * 3600 + 2700);
    EXPECT_EQ(list.Find(EncodeDate(2005, 3, 2), LoginName)->Total, 3599);
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(MarchPath()), golden);
}

TEST_F(MonthFile, WritesOnlyRecordsWithTimeAndPeriodsLongerThanASecond) {
    OpenMonthOf(march1);
    const DayNumber d = march1;
    list.AddPeriod(list.AddWork({d, LoginName, "", 0, {}}), {"", "", 100, 100});
    TWorkInfo* a = list.AddWork({d, A, "", 0, {}});
    list.AddPeriod(a, {"", "", 3600, 3601});   // 1 second: left out
    list.AddPeriod(a, {"", "", 7200, 7202});   // 2 seconds: kept
    list.AddPeriod(a, {"", "", 84600, 86400}); // ends exactly at midnight
    list.AddWork({d, B, "", 0, {}});           // no time: left out
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(MarchPath()),
              Lines({"2005/03/01,%LOGIN%,,\"00:01:40,00:01:40,,\"",
                     "2005/03/01," + A + ",,\"02:00:00,02:00:02,,\",\"23:30:00,00:00:00,,\""}));
    list.ChangeDate(d + 1);
    TDataList reread(clock, reporter);
    reread.SetDataDir(dir.Path());
    reread.ChangeDate(d);
    EXPECT_EQ(reread.Find(d, A)->Periods.back().EndSec, 86400);
    EXPECT_EQ(reread.Find(d, B), nullptr);
}

TEST_F(MonthFile, AWholeDayFromMidnightToMidnightSurvivesTheFile) {
    // An item left running over a weekend: the tick at midnight closes the
    // day's period at 86400, and the day's period began at 00:00:00.
    OpenMonthOf(march1);
    list.AddPeriod(list.AddWork({march1, A, "", 0, {}}), {"", "", 0, 86400});
    list.AddPeriod(list.AddWork({march1, LoginName, "", 0, {}}), {"", "", 3600, 3600});
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_THAT(ReadFile(MarchPath()), HasSubstr("2005/03/01," + A + ",,\"00:00:00,00:00:00,,\""));
    list.LoadMonth();
    EXPECT_EQ(list.Find(march1, A)->Total, 86400);
    // In the computer-on record equal times stay a moment, as written.
    EXPECT_EQ(list.Find(march1, LoginName)->Periods[0].EndSec, 3600);
}

TEST_F(MonthFile, AComputerOnSpanOfMidnightTextIsAWholeDayWhenTheMachineWasOnThroughIt) {
    OpenMonthOf(march1);
    WriteFile(MarchPath(),
              Lines({"2005/03/01,%LOGIN%,,\"00:00:00,00:00:00,,\"", // 1 March: work that day
                     "2005/03/01," + A + ",,\"08:00:00,09:00:00,,\"",
                     "2005/03/02,%LOGIN%,,\"00:00:00,00:00:00,,\"", // 2 March: 3 March goes on
                     "2005/03/03,%LOGIN%,,\"00:00:00,10:00:00,,\"",
                     "2005/03/05,%LOGIN%,,\"00:00:00,00:00:00,,\""})); // a moment, then off
    list.LoadMonth();
    EXPECT_EQ(list.Find(march1, LoginName)->Periods[0].EndSec, SecondsPerDay);
    EXPECT_EQ(list.Find(march1 + 1, LoginName)->Periods[0].EndSec, SecondsPerDay);
    EXPECT_EQ(list.Find(march1 + 4, LoginName)->Periods[0].EndSec, 0);
    ASSERT_TRUE(list.SaveMonth()); // written as read, and read back the same
    EXPECT_THAT(ReadFile(MarchPath()),
                HasSubstr("2005/03/02,%LOGIN%,,\"00:00:00,00:00:00,,\"\r\n"));
    EXPECT_THAT(ReadFile(MarchPath()),
                HasSubstr("2005/03/05,%LOGIN%,,\"00:00:00,00:00:00,,\"\r\n"));
    list.LoadMonth();
    EXPECT_EQ(list.Find(march1 + 1, LoginName)->Periods[0].EndSec, SecondsPerDay);
}

TEST_F(MonthFile, PeriodsKeptApartComeBackApartWithoutTheTimeBetween) {
    list.SetMergeSeconds(300);
    OpenMonthOf(march1);
    // The two sides of a 90-second sleep; rests that overlap, written by hand.
    WriteFile(MarchPath(),
              Lines({"2005/03/01," + A + ",,\"09:00:00,10:00:00,,\",\"10:01:30,11:00:00,,\"",
                     "2005/03/01,%LOGIN%,,\"09:00:00,18:00:00,,\",\"12:00:00,13:00:00,,\","
                     "\"12:30:00,13:20:00,,\""}));
    list.LoadMonth();
    EXPECT_EQ(list.Find(march1, A)->Periods.size(), 2u);
    EXPECT_EQ(list.Find(march1, A)->Total, 3600 + 3510);
    EXPECT_EQ(list.Find(march1, LoginName)->Total, 80 * 60); // overlaps once
}

TEST_F(MonthFile, NamesAndMemosWithEverySpecialCharacterSurvive) {
    OpenMonthOf(march1);
    const std::string name = Sjis("名前 \"引用\", タブ\tと\\表示");
    const std::string memo = Sjis("一行目\r\n二行目 ソ\\");
    TWorkInfo* work = list.AddWork({march1, name, memo, 0, {}});
    list.AddPeriod(work, {Sjis("分類, A"), "a\"b c\x01", 100, 200});
    ASSERT_TRUE(list.SaveMonth());
    list.LoadMonth();
    const TWorkInfo* back = list.Find(march1, name);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Memo, memo);
    ASSERT_EQ(back->Periods.size(), 1u);
    EXPECT_EQ(back->Periods[0].Category, Sjis("分類, A"));
    EXPECT_EQ(back->Periods[0].Memo, "a\"b c\x01");
}

TEST_F(MonthFile, ReadsRepeatedAndIncompleteLinesButReportsTheLinesItSkips) {
    WriteFile(MarchPath(), ReadFile(DataFile("200503-messy.dat")));
    OpenMonthOf(march1);
    const TWorkInfo* a = list.Find(march1, A);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->Memo, Sjis("最初")); // the first line's memo stays
    EXPECT_EQ(a->Periods.size(), 2u); // both lines' periods, 1-second one ignored
    EXPECT_EQ(a->Total, 7200);
    const TWorkInfo* empty = list.Find(march1, Sjis("空"));
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->Periods.empty());
    // "3/2" is read in the current year (the clock's, 2005).
    EXPECT_EQ(list.Find(march1 + 1, B)->Total, 2);
    EXPECT_EQ(list.Count(), 3);
    // The line without a date and the one without a name would be lost at
    // the next save: the file counts as not read whole.
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], HasSubstr("\r\n2 行目: "));
    EXPECT_THAT(reporter.Messages[0], HasSubstr("\r\n3 行目: "));
    EXPECT_NE(list.BrokenCopyPath(), "");
}

TEST_F(MonthFile, AChangeOfMonthWhileRunningWritesTheOldAndReadsTheNew) {
    WriteFile(dir.File("200504.dat"), Lines({"2005/04/01," + B + ",,\"00:00:10,00:00:50,,\""}));
    StartOn(EncodeDate(2005, 3, 31), 23, 0);
    list.StartWork(list.CurrentDate(), A);
    clock.Set(EncodeDate(2005, 4, 1), 5);
    list.ChangeDate(EncodeDate(2005, 4, 1));
    EXPECT_EQ(list.CurrentWork(), nullptr);
    EXPECT_THAT(ReadFile(MarchPath()), HasSubstr("2005/03/31," + A + ",,\"23:00:00,00:00:00,,\""));
    EXPECT_THAT(ReadFile(MarchPath()), HasSubstr("2005/03/31,%LOGIN%,,\"23:00:00,00:00:00,,\""));
    EXPECT_NE(list.Find(EncodeDate(2005, 4, 1), B), nullptr);
    EXPECT_EQ(list.Find(EncodeDate(2005, 3, 31), A), nullptr);
    EXPECT_EQ(list.FindLogin()->Periods[0].StartSec, 5);
}

TEST_F(MonthFile, ChangingToTheCurrentDayDoesNothing) {
    StartOn(march1, 9, 0);
    list.StartWork(march1, A);
    list.ChangeDate(march1);
    EXPECT_EQ(list.CurrentWork(), Work(A));
    EXPECT_FALSE(FileExists(MarchPath()));
}

TEST_F(MonthFile, TodaysComputerOnRecordIsCreatedAtSaveAndWrittenLast) {
    StartOn(march1, 9, 0);
    list.Clear();
    list.AddPeriod(list.AddWork({march1, A, "", 0, {}}), {"", "", 3600, 7200});
    At(10, 0);
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(MarchPath()), Lines({"2005/03/01," + A + ",,\"01:00:00,02:00:00,,\"",
                                            "2005/03/01,%LOGIN%,,\"09:00:00,10:00:00,,\""}));
}

TEST_F(MonthFile, AFailedSaveLeavesThePreviousFileExactlyAsItWas) {
    const std::string golden = ReadFile(DataFile("200503-golden.dat"));
    WriteFile(MarchPath(), golden);
    OpenMonthOf(march1);
    list.AddPeriod(list.AddWork({march1, A, "", 0, {}}), {"", "", 0, 100});

    DiskFullWriter diskFull;
    diskFull.Room = 100; // the disk fills up part-way through the file
    list.SetWriter(&diskFull);
    EXPECT_FALSE(list.SaveMonth());
    EXPECT_EQ(ReadFile(MarchPath()), golden);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], StartsWith(std::string(WriteErrorText) + "\r\n"));
    EXPECT_THAT(reporter.Messages[0], HasSubstr(std::strerror(ENOSPC)));

    list.SetWriter(nullptr);
    EXPECT_TRUE(list.SaveMonth());
    EXPECT_THAT(ReadFile(MarchPath()), HasSubstr("2005/03/01," + A));
}

TEST_F(MonthFile, AFileThatStoppedReadingIsKeptBeforeTheNextSave) {
    const std::string original = ReadFile(DataFile("200502-broken.dat"));
    WriteFile(dir.File("200502.dat"), original);
    clock.Set(EncodeDate(2005, 3, 1), 9 * 3600 + 5);
    list.ChangeDate(EncodeDate(2005, 2, 28));

    // The records before the bad line stay; the ones after it are not read.
    EXPECT_NE(list.Find(EncodeDate(2005, 2, 27), A), nullptr);
    EXPECT_EQ(list.Find(EncodeDate(2005, 2, 28), Sjis("作業C")), nullptr);
    const std::string copy = dir.File("200502.dat.broken-20050301-090005");
    EXPECT_EQ(list.BrokenCopyPath(), copy);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    const std::string& message = reporter.Messages[0];
    EXPECT_THAT(message, StartsWith(std::string(ReadErrorText) + "\r\n" + dir.File("200502.dat") +
                                    "\r\n2 行目: "));
    EXPECT_THAT(message, HasSubstr(copy));

    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(copy), original);
    EXPECT_THAT(ReadFile(dir.File("200502.dat")), HasSubstr("2005/02/27"));
    EXPECT_EQ(list.BrokenCopyPath(), "");
    // Later saves replace the file without making more copies.
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(MonthFile, AMonthFileThatCannotBeReadIsNeverSavedOver) {
    // Its user may write it but not read it: the save itself would succeed,
    // so only the copy that must come first keeps the records.
    const std::string records = "2005/03/01," + A + ",,\"09:00:00,10:00:00,,\"\r\n";
    WriteFile(MarchPath(), records);
    const UserIds user = UnprivilegedUser();
    ASSERT_EQ(::chown(dir.Path().c_str(), user.Uid, user.Gid), 0);
    ASSERT_EQ(::chown(MarchPath().c_str(), user.Uid, user.Gid), 0);
    ASSERT_EQ(::chmod(MarchPath().c_str(), 0200), 0);
    const int failed = RunInChild(
        [&] {
            OpenMonthOf(march1);
            CHILD_CHECK(1, reporter.Messages.size() == 1);
            CHILD_CHECK(2, reporter.Messages[0].starts_with(ReadErrorText));
            CHILD_CHECK(3, list.Count() == 0);
            CHILD_CHECK(4, !list.SaveMonth());
            CHILD_CHECK(5, reporter.Messages.back().starts_with(WriteErrorText));
            return 0;
        },
        true);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(ReadFile(MarchPath()), records);
}

TEST_F(MonthFile, SaveIfAllowedHonoursNoSaveAndAnUnsetDay) {
    EXPECT_FALSE(list.SaveIfAllowed()); // no day yet
    OpenMonthOf(march1);
    list.NoSave = true;
    list.AddPeriod(list.AddWork({march1, A, "", 0, {}}), {"", "", 0, 100});
    EXPECT_FALSE(list.SaveIfAllowed());
    EXPECT_FALSE(FileExists(MarchPath()));
    list.NoSave = false;
    EXPECT_TRUE(list.SaveIfAllowed());
    EXPECT_TRUE(FileExists(MarchPath()));
}

} // namespace
} // namespace zanpel::test
