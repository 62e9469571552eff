// The text work report byte for byte, its period choices and orders, the
// choices the dialog offers, and the report file.
#include "monthfixture.h"
#include "reports/reportdates.h"
#include "reports/workreport.h"
#include "support/diskfullwriter.h"

#include <gmock/gmock.h>

#include <cerrno>
#include <cstring>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

const std::string Rule(32, '=');
const std::string Indent(8, ' ');

class WorkReport : public MonthTest {
protected:
    std::string Report(uint16_t flags, int period = rpMonth, DayNumber current = 0,
                       DayNumber begin = 0, DayNumber end = 0) {
        return Cp932ToUtf8(BuildReport(list, {flags, period, current, begin, end}));
    }
    // The header lines of a report, one per block.
    static std::vector<std::string> Headers(const std::string& report) {
        std::vector<std::string> headers;
        bool next = true;
        for (size_t from = 0, at; (at = report.find("\r\n", from)) != std::string::npos;
             from = at + 2) {
            const std::string line = report.substr(from, at - from);
            if (next)
                headers.push_back(line);
            next = line == Rule;
        }
        return headers;
    }
};

TEST_F(WorkReport, AComputerOnBlockPadsItsLabelByBytes) {
    AddLogin(1, T(9, 0), T(18, 15), {{T(12, 0), T(13, 0)}});
    EXPECT_EQ(Report(0), "【 07/01 】 【作業時間】         8.0 H (08:15:00)\r\n" + Rule + "\r\n");
    // The span is a period without category, the rests are 休憩.
    EXPECT_EQ(Report(ReportCategoryList | ReportSubtotal),
              "【 07/01 】 【作業時間】         8.0 H (08:15:00)\r\n" + Indent +
                  "[小計]:01:00:00  休憩\r\n" + Indent + "[小計]:09:15:00  その他\r\n" + Indent +
                  std::string(25, '-') + "\r\n" + Indent +
                  "09:00:00-18:15:00 [09:15] (*%LOGIN%*)\r\n" + Indent +
                  "12:00:00-13:00:00 [01:00] 【休憩】\r\n" + Rule + "\r\n");
}

TEST_F(WorkReport, EveryOptionTogetherGivesTheWholeBlock) {
    AddItem(1, Sjis("設計"),
            {{Sjis("基本"), "m1\r\nm2  ", T(9, 0), T(10, 0)},
             {{}, {}, T(10, 0), T(10, 30)},
             {Sjis("詳細"), " \r\n", T(10, 30), T(11, 0)},
             {Sjis("基本"), {}, T(11, 0), T(11, 15)}},
            Sjis(" 標準\r\nメモ \r\n"));
    const std::string memoIndent(33, ' ');
    EXPECT_EQ(Report(ReportStandardMemo | ReportCategoryList | ReportWorkMemo | ReportSubtotal),
              "【 07/01 】設計                  2.0 H (02:15:00)\r\n" + Indent + "標準\r\n" +
                  Indent + "メモ\r\n" + Indent + "[小計]:01:15:00  基本\r\n" + Indent +
                  "[小計]:00:30:00  詳細\r\n" + Indent + "[小計]:00:30:00  その他\r\n" + Indent +
                  std::string(25, '-') + "\r\n" + Indent +
                  "09:00:00-10:00:00 [01:00] 【基本】\r\n" + memoIndent + "m1\r\n" + memoIndent +
                  "m2\r\n" + Indent + "10:00:00-10:30:00 [00:30] (*設計*)\r\n" + Indent +
                  "10:30:00-11:00:00 [00:30] 【詳細】\r\n" + Indent +
                  "11:00:00-11:15:00 [00:15] 【基本】\r\n" + Rule + "\r\n");
    // Period memos need the period list; the その他 line comes even at zero.
    AddItem(2, "x", {{"A", "memo", T(9, 0), T(9, 30)}});
    const std::string x = Report(ReportWorkMemo | ReportSubtotal, rpDay, July(2));
    EXPECT_EQ(x, "【 07/02 】x                     0.5 H (00:30:00)\r\n" + Indent +
                     "[小計]:00:30:00  A\r\n" + Indent + "[小計]:00:00:00  その他\r\n" + Rule +
                     "\r\n");
}

TEST_F(WorkReport, SubtotalsFollowFirstUseAndJoinLetterCases) {
    AddItem(1, "w",
            {{"Review", {}, T(9, 0), T(9, 10)},
             {"b", {}, T(9, 10), T(9, 30)},
             {"REVIEW", {}, T(9, 30), T(10, 0)},
             {"Review", {}, T(10, 0), T(10, 5)}});
    const std::string report = Report(ReportSubtotal);
    EXPECT_THAT(report,
                HasSubstr("[小計]:00:45:00  Review\r\n" + Indent + "[小計]:00:20:00  b\r\n" +
                          Indent + "[小計]:00:00:00  その他\r\n"));
    EXPECT_THAT(report, Not(HasSubstr("REVIEW")));
    // Without any category there is no subtotal at all.
    AddItem(2, "plain", {{{}, {}, T(9, 0), T(10, 0)}});
    EXPECT_THAT(Report(ReportSubtotal, rpDay, July(2)), Not(HasSubstr("小計")));
}

TEST_F(WorkReport, BlocksOfOneDayShareTheDateAndNamesAreNeverCut) {
    AddLogin(1, T(9, 0), T(10, 0));
    AddItem(1, "VeryLongWorkItemName_Over20", {{{}, {}, T(9, 0), T(10, 0)}});
    AddItem(1, "empty", {}); // no time: no block
    list.AddWork({July(1), "x", {}, 0, {}});
    list.AddWork({July(3), LoginName, {}, 0, {}}); // no span: nothing to show either
    AddLogin(2, T(9, 0), T(9, 30));
    EXPECT_THAT(Headers(Report(ReportByDate)),
                ElementsAre("【 07/01 】 【作業時間】         1.0 H (01:00:00)",
                            "  ・VeryLongWorkItemName_Over20  1.0 H (01:00:00)",
                            "【 07/02 】 【作業時間】         0.5 H (00:30:00)"));
    EXPECT_THAT(Headers(Report(0)),
                ElementsAre("【 07/02 】 【作業時間】         0.5 H (00:30:00)",
                            "【 07/01 】 【作業時間】         1.0 H (01:00:00)",
                            "  ・VeryLongWorkItemName_Over20  1.0 H (01:00:00)"));
}

TEST_F(WorkReport, PeriodChoicesTakeTheDayTheEightDaysOrTheRange) {
    for (int day = 1; day <= 12; ++day)
        AddItem(day, "w", {{{}, {}, T(9, 0), T(9, 30)}});
    const auto days = [&](int period, DayNumber current, DayNumber begin = 0, DayNumber end = 0) {
        std::vector<std::string> dates;
        for (const std::string& header : Headers(Report(ReportByDate, period, current, begin, end)))
            dates.push_back(header.substr(4, 5));
        return dates;
    };
    EXPECT_THAT(days(rpDay, July(10)), ElementsAre("07/10"));
    EXPECT_THAT(days(rpWeek, July(10)), ElementsAre("07/03", "07/04", "07/05", "07/06", "07/07",
                                                    "07/08", "07/09", "07/10"));
    EXPECT_THAT(days(rpRange, July(10), July(11), July(12)), ElementsAre("07/11", "07/12"));
    EXPECT_EQ(days(7, July(10)).size(), 12u); // an unknown choice is the whole month
    EXPECT_EQ(Report(0, rpRange, July(10), July(12), July(11)), ""); // nothing: an empty report
    EXPECT_EQ(Report(0, rpDay, July(20)), "");
}

TEST_F(WorkReport, TheDialogsListsAndCaptionsComeFromTheComputerOnDays) {
    for (int day : {1, 3, 10})
        AddLogin(day, T(9, 0), T(17, 0));
    AddItem(11, "w", {{{}, {}, T(9, 0), T(10, 0)}});
    list.SortWorks(true); // as a report in date order leaves it
    TReportDates dates = PrepareReportDates(list, July(10));
    EXPECT_THAT(dates.BegDays, ElementsAre(July(1), July(3), July(10)));
    EXPECT_THAT(dates.EndDays, ElementsAre(July(10), July(3), July(1)));
    EXPECT_EQ(Cp932ToUtf8(dates.DayChoice), "1日(07/10)");
    EXPECT_EQ(dates.WeekChoice, "07/03 - 07/10");
    EXPECT_EQ(PrepareReportDates(list, July(3)).WeekChoice, "07/01 - 07/03");
    // Without a selection: the newest record's day.
    dates = PrepareReportDates(list, 0);
    EXPECT_EQ(dates.CurrentDay, July(11));
    EXPECT_EQ(dates.BegDays.front(), July(1));
}

TEST_F(WorkReport, AMonthWithoutRecordsOffersNoDay) {
    const TReportDates dates = PrepareReportDates(list, 0);
    EXPECT_EQ(dates.CurrentDay, 0);
    EXPECT_TRUE(dates.DayChoice.empty());
    EXPECT_TRUE(dates.BegDays.empty());
    AddItem(5, "w", {{{}, {}, T(9, 0), T(10, 0)}});
    const TReportDates noLogin = PrepareReportDates(list, 0);
    EXPECT_EQ(noLogin.WeekChoice, "06/28 - 07/05");
    EXPECT_TRUE(noLogin.EndDays.empty());
}

TEST(ReportFile, ReplacesTheFileOrLeavesTheOldOneAndNamesIt) {
    TempDir dir;
    AtomicWriter writer;
    const std::string path = dir.File("report.txt");
    EXPECT_EQ(WriteReportFile(path, "new\r\n", dir.Path(), writer), "");
    EXPECT_EQ(ReadFile(path), "new\r\n");

    DiskFullWriter full;
    const std::string error = WriteReportFile(path, "newer\r\n", dir.Path(), full);
    EXPECT_EQ(error, "レポートを書込めません!\r\n" + path + ": " + std::strerror(ENOSPC));
    EXPECT_EQ(ReadFile(path), "new\r\n");

    const std::string missing = dir.File("no/such/folder.txt");
    EXPECT_THAT(WriteReportFile(missing, "x", dir.Path(), writer), HasSubstr(missing + ": "));
    EXPECT_THAT(WriteReportFile("", "x", dir.Path(), writer), HasSubstr("ファイル名がありません"));
}

} // namespace
} // namespace zanpel::test
