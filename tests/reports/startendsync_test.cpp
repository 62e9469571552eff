// The start and end time sync (spans from the system log, then the rest
// periods cut to the span) and the summary's state around it: the hand-back
// of the bar's month, the save of another month, and changes that could not
// be saved.
#include "monthfixture.h"
#include "reports/monthsummary.h"
#include "reports/startendsync.h"
#include "reports/summaryrows.h"
#include "support/diskfullwriter.h"
#include "tracking/eventlog.h"

#include <gmock/gmock.h>

#include <cerrno>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TWorkData Rest(Seconds from, Seconds to) {
    return {RestName(), {}, from, to};
}
TWorkData Span(Seconds from, Seconds to) {
    return {{}, {}, from, to};
}

class RestPeriods : public MonthTest {};

TEST_F(RestPeriods, AreCutToTheSpanAndFillWhatNoRestCoversYet) {
    const auto rests = SplitRestTimes("720:780,900:910");
    TWorkInfo* full = AddLogin(1, T(8, 55, 10), T(18, 2, 31));
    TWorkInfo* morning = AddLogin(2, T(8, 0), T(12, 30));
    // A sleep from 12:30 to 13:05 was taken out as a rest already.
    TWorkInfo* slept = AddLogin(3, T(9, 0), T(18, 0), {{T(12, 30), T(13, 5)}});
    TWorkInfo* night = AddLogin(4, T(20, 0), T(23, 0));
    TWorkInfo* work = AddItem(1, "w", {Span(T(9, 0), T(10, 0))});
    const TWorkInfo workBefore = *work;

    EXPECT_EQ(AddRestPeriods(list, rests), 3);
    EXPECT_THAT(full->Periods, ElementsAre(Span(T(8, 55, 10), T(18, 2, 31)),
                                           Rest(T(12, 0), T(13, 0)), Rest(T(15, 0), T(15, 10))));
    EXPECT_EQ(full->Total, 70 * 60);
    EXPECT_THAT(morning->Periods, ElementsAre(Span(T(8, 0), T(12, 30)), Rest(T(12, 0), T(12, 30))));
    EXPECT_EQ(morning->Total, 30 * 60);
    EXPECT_THAT(slept->Periods, ElementsAre(Span(T(9, 0), T(18, 0)), Rest(T(12, 0), T(13, 5)),
                                            Rest(T(15, 0), T(15, 10))));
    EXPECT_EQ(slept->Total, 75 * 60);
    EXPECT_EQ(night->Periods.size(), 1u);
    EXPECT_EQ(*work, workBefore);
    EXPECT_EQ(AddRestPeriods(list, rests), 0); // a second sync adds nothing
    EXPECT_EQ(AddRestPeriods(list, {}), 0);
}

TEST_F(RestPeriods, OverlappingOnesAreStoredAsTheirUnionAndCountOnce) {
    TWorkInfo* day = AddLogin(1, T(9, 0), T(18, 0));
    EXPECT_EQ(AddRestPeriods(list, SplitRestTimes("720:780,750:800")), 1);
    EXPECT_THAT(day->Periods, ElementsAre(Span(T(9, 0), T(18, 0)), Rest(T(12, 0), T(13, 20))));
    EXPECT_EQ(day->Total, 80 * 60);
    EXPECT_EQ(WorkedSeconds(*day), T(7, 40));
}

// The bar's work list on 2005-03-20 and the summary's copy of a month.
class SummarySync : public ::testing::Test {
protected:
    SummarySync() : main(clock, reporter) {
        main.SetDataDir(dir.Path());
        WriteFile(dir.File("200503.dat"), "2005/03/02,%LOGIN%,,\"08:30:00,19:00:00,,\"\r\n"
                                          "2005/03/01,%LOGIN%,,\"09:12:00,17:40:00,,\"\r\n");
        WriteFile(dir.File("200502.dat"), "2005/02/10,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n");
        main.ChangeDate(Today(clock));
        settings.RestTimes = "720:780,900:910";
        log.AddTime({March(1), T(8, 55, 10), T(18, 2, 31), {}});
        log.AddTime({March(2), T(9, 0), T(18, 0), {}});
        log.AddTime({March(3), T(8, 0), T(8, 30), {}});
        log.AddTime({EncodeDate(2005, 2, 10), T(7, 0), T(20, 0), {}});
        summary = std::make_unique<TMonthSummary>(
            main, settings, clock, reporter, [this](const std::string& text) {
                Asked.push_back(text);
                return Asked.size() <= Answers.size() && Answers[Asked.size() - 1];
            });
    }
    static DayNumber March(int day) { return EncodeDate(2005, 3, day); }
    static std::vector<TWorkData> Periods(const TDataList& list, DayNumber day) {
        const TWorkInfo* login = list.Find(day, LoginName);
        return login ? login->Periods : std::vector<TWorkData>{};
    }
    TMonthSummary::SyncResult Sync() {
        return summary->Sync(
            [this](DayNumber firstDay) {
                ReadFrom.push_back(firstDay);
                return log;
            },
            [this](const TDataList& corrected) {
                HandedBack.push_back(&corrected);
                main.Assign(corrected); // what the bar's ReplaceWorkList does to the records
            });
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 20), T(12, 0)};
    CollectingErrorReporter reporter;
    TInitParam settings;
    TDataList main;
    std::unique_ptr<TMonthSummary> summary; // made once the bar's list has its folder
    TEventLog log;
    std::vector<std::string> Asked;
    std::vector<bool> Answers;
    std::vector<DayNumber> ReadFrom;
    std::vector<const TDataList*> HandedBack;
};

TEST_F(SummarySync, NoChangesNothingAnywhere) {
    summary->ShowMonth(main.CurrentDate());
    const std::string file = ReadFile(dir.File("200503.dat"));
    const auto before = Periods(main, March(1));
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::Declined);
    EXPECT_THAT(Asked, ElementsAre(SyncQuestion));
    EXPECT_THAT(ReadFrom, IsEmpty());
    EXPECT_EQ(Periods(main, March(1)), before);
    EXPECT_EQ(Periods(summary->MonthData(), March(1)), before);
    EXPECT_EQ(ReadFile(dir.File("200503.dat")), file);
}

TEST_F(SummarySync, TheBarsMonthGetsSpansAndRestsBackThroughTheHandBack) {
    Answers = {true};
    summary->ShowMonth(main.CurrentDate());
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::HandedBack);
    EXPECT_THAT(ReadFrom, ElementsAre(March(1)));
    ASSERT_THAT(HandedBack, ElementsAre(&summary->MonthData()));
    EXPECT_THAT(Periods(main, March(1)),
                ElementsAre(Span(T(8, 55, 10), T(18, 2, 31)), Rest(T(12, 0), T(13, 0)),
                            Rest(T(15, 0), T(15, 10))));
    EXPECT_EQ(main.Find(March(1), LoginName)->Total, 70 * 60);
    EXPECT_EQ(Periods(main, March(2)).front(), Span(T(8, 30), T(19, 0))); // spans only grow
    EXPECT_THAT(Periods(main, March(3)), ElementsAre(Span(T(8, 0), T(8, 30))));
    EXPECT_EQ(main.Find(EncodeDate(2005, 2, 10), LoginName), nullptr); // other months untouched
    // The rows show the corrected days.
    EXPECT_EQ(summary->View().MonthRows.front().Start, "08:55:10");
    EXPECT_FALSE(summary->HasUnsavedChanges());
}

TEST_F(SummarySync, AnotherMonthGetsItsRestsSavedAndTheBarsMonthItsSpansInMemory) {
    Answers = {true};
    summary->ShowMonth(EncodeDate(2005, 2, 1));
    const std::string marchFile = ReadFile(dir.File("200503.dat"));
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::Saved);
    EXPECT_THAT(HandedBack, IsEmpty());
    EXPECT_EQ(ReadFile(dir.File("200502.dat")),
              "2005/02/10,%LOGIN%,,\"09:00:00,18:00:00,,\",\"12:00:00,13:00:00," + Sjis("休憩") +
                  ",\",\"15:00:00,15:10:00," + Sjis("休憩") + ",\"\r\n");
    EXPECT_EQ(Periods(main, March(1)), std::vector{Span(T(8, 55, 10), T(18, 2, 31))});
    EXPECT_EQ(ReadFile(dir.File("200503.dat")), marchFile);
}

TEST_F(SummarySync, ChangesThatCouldNotBeSavedAreNotDroppedWithoutAsking) {
    DiskFullWriter writer;
    summary->ShowMonth(EncodeDate(2005, 2, 1));
    summary->MonthData().SetWriter(&writer);
    Answers = {true, false, false, true};
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::NotSaved);
    EXPECT_TRUE(summary->HasUnsavedChanges());
    EXPECT_EQ(Periods(summary->MonthData(), EncodeDate(2005, 2, 10)).size(), 3u); // still shown
    const size_t errors = reporter.Messages.size();

    // The save is tried again, fails again, and the user keeps the month.
    EXPECT_FALSE(summary->NextMonth());
    EXPECT_FALSE(summary->MayClose());
    EXPECT_EQ(summary->MonthData().CurrentDate(), EncodeDate(2005, 2, 1));
    EXPECT_EQ(reporter.Messages.size(), errors + 2);
    EXPECT_THAT(Asked, ElementsAre(SyncQuestion, DiscardQuestion, DiscardQuestion));

    // Once the disk has room again the next try saves without a question.
    writer.Full = false;
    EXPECT_TRUE(summary->TakeMainList());
    EXPECT_EQ(Asked.size(), 3u);
    EXPECT_NE(ReadFile(dir.File("200502.dat")).find("15:10:00"), std::string::npos);
    EXPECT_FALSE(summary->HasUnsavedChanges());
}

TEST_F(SummarySync, ChangesLetGoAreNeverSavedLater) {
    DiskFullWriter writer;
    summary->ShowMonth(EncodeDate(2005, 2, 1));
    summary->MonthData().SetWriter(&writer);
    const std::string february = ReadFile(dir.File("200502.dat"));
    Answers = {true, true, true};
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::NotSaved);
    EXPECT_TRUE(summary->PreviousMonth()); // the user lets February's rests go
    EXPECT_EQ(summary->MonthData().CurrentDate(), EncodeDate(2005, 1, 1));
    EXPECT_FALSE(summary->HasUnsavedChanges());
    // January's sync saves fine, and January only.
    writer.Full = false;
    WriteFile(dir.File("200501.dat"), "2005/01/11,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n");
    summary->ShowMonth(EncodeDate(2005, 1, 1));
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::Saved);
    EXPECT_NE(ReadFile(dir.File("200501.dat")).find("12:00:00,13:00:00"), std::string::npos);
    EXPECT_EQ(ReadFile(dir.File("200502.dat")), february);
}

TEST_F(SummarySync, AMonthFileThatCannotBeReadWholeIsNotWrittenOver) {
    const std::string broken = "2005/02/10,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n"
                               "2005/02/30,x,,\"09:00:00,10:00:00,,\"\r\n";
    WriteFile(dir.File("200502.dat"), broken);
    summary->ShowMonth(EncodeDate(2005, 2, 1));
    Answers = {true};
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::NotSaved);
    EXPECT_EQ(ReadFile(dir.File("200502.dat")), broken);
    EXPECT_FALSE(summary->HasUnsavedChanges()); // nothing the user could save
}

// 31 March: the summary is opened at 22:00 while 設計 runs; the bar saves
// March up to midnight and moves to April; the sync comes at 00:05.
class MonthEndSync : public SummarySync {
protected:
    MonthEndSync() {
        clock.Set(March(31), T(21, 0));
        main.ChangeDate(March(31));
        main.StartWork(March(31), Sjis("設計"));
        clock.Set(March(31), T(22, 0));
        main.UpdateRunning();
        main.SaveIfAllowed(); // before the summary opens
        summary->ShowMonth(main.CurrentDate());
    }
    void PastMidnight() {
        clock.Set(April1, 0);
        main.ChangeDate(April1); // the bar's first tick of April
        main.StartWork(April1, Sjis("設計"));
        clock.Set(April1, T(0, 5));
    }
    // The file has the time up to midnight, and the sync's rest periods.
    void ExpectMarchSavedWithItsRests() {
        const std::string march = ReadFile(dir.File("200503.dat"));
        EXPECT_NE(march.find("2005/03/31," + Sjis("設計") + ",,\"21:00:00,00:00:00,,\""),
                  std::string::npos)
            << march;
        EXPECT_NE(march.find("2005/03/01,%LOGIN%,,\"09:12:00,17:40:00,,\",\"12:00:00,13:00:00,"),
                  std::string::npos)
            << march;
    }
    const DayNumber April1 = EncodeDate(2005, 4, 1);
};

TEST_F(MonthEndSync, TheSyncTakesTheMonthAsTheBarSavedItNotTheCopyReadBefore) {
    PastMidnight();
    Answers = {true};
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::Saved);
    ExpectMarchSavedWithItsRests();
    EXPECT_EQ(summary->MonthData().Find(March(31), Sjis("設計"))->Periods[0].EndSec, SecondsPerDay);
}

TEST_F(MonthEndSync, AMonthTheBarKeepsUnsavedIsSyncedInTheBarsHands) {
    DiskFullWriter writer;
    main.SetWriter(&writer);
    PastMidnight(); // March cannot be written: the bar keeps it
    ASSERT_TRUE(main.HoldsUnsavedMonth(March(31)));
    summary->ShowMonth(March(1)); // shows the bar's March, with the time up to midnight
    EXPECT_EQ(summary->MonthData().Find(March(31), Sjis("設計"))->Periods[0].EndSec, SecondsPerDay);
    Answers = {true};
    EXPECT_EQ(Sync(), TMonthSummary::SyncResult::HandedBack);
    EXPECT_FALSE(summary->HasUnsavedChanges());
    EXPECT_NE(ReadFile(dir.File("200503.dat")).find("21:00:00,22:00:00"), std::string::npos)
        << "the summary wrote nothing itself";
    writer.Full = false;
    ASSERT_TRUE(main.SaveIfAllowed());
    ExpectMarchSavedWithItsRests();
}

TEST_F(SummarySync, NavigationCrossesYearsAndTheCopyKeepsItsOwnMonthFile) {
    summary->ShowMonth(EncodeDate(2005, 1, 15));
    EXPECT_TRUE(summary->PreviousMonth());
    EXPECT_EQ(summary->MonthData().CurrentDate(), EncodeDate(2004, 12, 1));
    EXPECT_EQ(Cp932ToUtf8(summary->View().Caption), "2004年 12 月度集計");
    EXPECT_TRUE(summary->NextMonth());
    EXPECT_TRUE(summary->NextMonth());
    EXPECT_EQ(summary->MonthData().CurrentDate(), EncodeDate(2005, 2, 1));
    EXPECT_EQ(summary->View().MonthRows.size(), 1u);

    // "■今月(更新)" from February: the bar's records, and March's file.
    main.AddWork({March(20), "w", {}, 0, {}});
    EXPECT_TRUE(summary->TakeMainList());
    EXPECT_EQ(summary->MonthData().CurrentDate(), March(20));
    EXPECT_EQ(summary->MonthData().MonthFile(), dir.File("200503.dat"));
    EXPECT_NE(summary->MonthData().Find(March(20), "w"), nullptr);
    EXPECT_TRUE(reporter.Messages.empty());
}

} // namespace
} // namespace zanpel::test
