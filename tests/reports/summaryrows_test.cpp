// The summary's rows: worked hours, the overtime estimate in both modes, the
// working day less its rest periods, and the day and period lists.
#include "monthfixture.h"
#include "reports/summaryrows.h"

#include <gmock/gmock.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

class SummaryRows : public MonthTest {
protected:
    SummaryRows() {
        settings.WorkDayBegin = 9 * 60;
        settings.WorkDayEnd = 17 * 60;
        settings.RestTimes = "720:780";
    }
    std::string Utf8(const std::string& cp932) const { return Cp932ToUtf8(cp932); }
    std::vector<std::string> DayRow(const TDayRow& r) const {
        return {r.Date, r.Hours, r.Duration, Utf8(r.Work), Utf8(r.Memo)};
    }
};

TEST_F(SummaryRows, OvertimeIsRoundedPerDayOrAccumulated) {
    settings.WorkDayEnd = 17 * 60; // 9:00-17:00 less 12:00-13:00: 420 minutes
    AddLogin(1, T(9, 0), T(18, 15), {{T(12, 0), T(13, 0)}});
    ASSERT_EQ(BaseMinutes(settings), 420);

    TSummaryView view = BuildSummary(list, settings);
    ASSERT_EQ(view.MonthRows.size(), 1u);
    const TMonthRow& row = view.MonthRows[0];
    EXPECT_EQ(std::vector<std::string>({row.Date, row.Hours, row.Start, row.End}),
              std::vector<std::string>({"07/01", " 8.0", "09:00:00", "18:15:00"}));
    EXPECT_EQ(view.DayRows[0].Duration, "08:15");
    EXPECT_EQ(view.OvertimeMinutes, 60);
    EXPECT_EQ(Utf8(view.OvertimeLine), "残業概算： 1.0 H (1日集計)");

    settings.OvertimeCalc = 1;
    view = BuildSummary(list, settings);
    EXPECT_EQ(view.OvertimeMinutes, 75);
    EXPECT_EQ(Utf8(view.OvertimeLine), "残業概算： 1.2 H (累積集計)");
}

TEST_F(SummaryRows, SmallOvertimesCountOnlyWhenAccumulated) {
    settings.RestTimes.clear(); // 480 minutes a day
    AddLogin(4, T(9, 0), T(17, 20));
    AddLogin(5, T(8, 40), T(17, 0));
    AddLogin(6, T(9, 0), T(16, 0)); // short days never count against the overtime
    EXPECT_EQ(Utf8(BuildSummary(list, settings).OvertimeLine), "残業概算： 0.0 H (1日集計)");
    settings.OvertimeCalc = 1;
    EXPECT_EQ(Utf8(BuildSummary(list, settings).OvertimeLine), "残業概算： 0.6 H (累積集計)");
}

TEST_F(SummaryRows, OnlyRestInsideTheWorkingDayShortensItAndOverlapsCountOnce) {
    settings.RestTimes = "990:1080"; // 16:30-18:00 against a day ending 17:00
    EXPECT_EQ(BaseMinutes(settings), 450);
    settings.RestTimes = "720:780,750:800,300:400,1000:900";
    EXPECT_EQ(BaseMinutes(settings), 480 - 80);
    settings.RestTimes = "720:780,720:780";
    EXPECT_EQ(BaseMinutes(settings), 420);
}

TEST_F(SummaryRows, RestBeyondTheSpanTakesNoTimeOffInsteadOfGivingAHugeOne) {
    settings.RestTimes.clear();
    TWorkInfo* login = AddLogin(2, T(9, 0), T(10, 0), {{T(9, 30), T(14, 0)}});
    EXPECT_EQ(WorkedSeconds(*login), 1800);
    const TSummaryView view = BuildSummary(list, settings);
    EXPECT_EQ(view.MonthRows[0].Hours, " 0.5");
    EXPECT_EQ(view.DayRows[0].Hours, " 0.5");
    EXPECT_EQ(view.DayRows[0].Duration, "00:30");
    EXPECT_EQ(view.OvertimeMinutes, 0);
}

TEST_F(SummaryRows, OverlappingRestPeriodsCountOnce) {
    // A file written by hand, or a sync of an older version, with the rests
    // 12:00-13:00 and 12:30-13:20 of a day 09:00-18:00.
    settings.RestTimes.clear();
    TWorkInfo* login =
        AddLogin(1, T(9, 0), T(18, 0), {{T(12, 0), T(13, 0)}, {T(12, 30), T(13, 20)}});
    EXPECT_EQ(login->Total, 80 * 60);
    EXPECT_EQ(WorkedSeconds(*login), T(7, 40));
    EXPECT_EQ(BuildSummary(list, settings).DayRows[0].Duration, "07:40");
}

TEST_F(SummaryRows, DayListGoesNewestFirstAndLeavesRepeatedDatesEmpty) {
    AddItem(1, Sjis("設計"), {{Sjis("基本"), {}, T(9, 0), T(10, 30)}}, Sjis("一行目\r\n二 行目"));
    AddItem(1, "beta", {}); // nothing timed: not listed
    AddItem(1, "Alpha", {{{}, {}, T(11, 0), T(11, 20)}});
    AddLogin(1, T(8, 50), T(18, 0), {{T(12, 0), T(13, 0)}});
    AddLogin(2, T(9, 0), T(9, 0)); // a span without time is listed all the same
    AddItem(3, "late", {{{}, {}, T(23, 0), T(25, 30)}});
    const TSummaryView view = BuildSummary(list, settings);

    ASSERT_EQ(view.DayRows.size(), 5u);
    EXPECT_THAT(DayRow(view.DayRows[0]), ElementsAre("07/03", " 2.5", "02:30", "late", ""));
    EXPECT_THAT(DayRow(view.DayRows[1]),
                ElementsAre("07/02", " 0.0", "00:00", " 【作業時間】", ""));
    EXPECT_THAT(DayRow(view.DayRows[2]),
                ElementsAre("07/01", " 8.0", "08:10", " 【作業時間】", ""));
    EXPECT_THAT(DayRow(view.DayRows[3]), ElementsAre("", " 0.0", "00:20", "Alpha", ""));
    EXPECT_THAT(DayRow(view.DayRows[4]),
                ElementsAre("", " 1.5", "01:30", "設計", "一行目\\n二\\s行目"));
    // The month list goes oldest first; the month is left newest first.
    EXPECT_EQ(view.MonthRows.front().Date, "07/01");
    EXPECT_EQ(list.WorkAt(0)->Date, July(3));
    EXPECT_EQ(view.Caption, Sjis("2005年 7 月度集計"));
}

TEST_F(SummaryRows, TheCurrentDaysComputerOnRecordIsTheOneToSelect) {
    TWorkInfo* first = AddLogin(1, T(9, 0), T(17, 0));
    AddLogin(2, T(9, 0), T(17, 0));
    EXPECT_EQ(BuildSummary(list, settings).CurrentLogin, first);
    list.ChangeDate(July(20));
    EXPECT_EQ(BuildSummary(list, settings).CurrentLogin, nullptr);
}

TEST_F(SummaryRows, PeriodRowsNameTheSpanAndTheRestsAndWrapPastMidnight) {
    const TWorkInfo* login = AddLogin(1, T(8, 50), T(18, 0), {{T(12, 0), T(13, 0)}});
    login = list.Find(July(1), LoginName);
    const auto rows = PeriodRows(*login);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(Utf8(rows[0].Work), "(*%LOGIN%*)");
    EXPECT_EQ(rows[0].Duration, "09:10");
    EXPECT_EQ(Utf8(rows[1].Work), "休憩");
    EXPECT_EQ(rows[1].Period, &login->Periods[1]);

    const TWorkInfo* night =
        AddItem(2, "night", {{"a\\sb", Sjis("夜\r\n間"), T(23, 30), T(24, 15)}});
    const auto nightRows = PeriodRows(*night);
    EXPECT_EQ(nightRows[0].Work, "a b");
    EXPECT_EQ(nightRows[0].Start, "23:30:00");
    EXPECT_EQ(nightRows[0].End, "00:15:00");
    EXPECT_EQ(nightRows[0].Duration, "00:45");
    EXPECT_EQ(Utf8(nightRows[0].Memo), "夜\\n間");
}

} // namespace
} // namespace zanpel::test
