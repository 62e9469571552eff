// End-to-end tests of zanpelctl summary, report and help on fixture months.
#include "support/zanpelctl.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class SummaryAndReport : public ZanpelctlTest {
protected:
    SummaryAndReport() {
        Install("200507-summary.dat", "200507.dat");
        Install("200508-summary.dat", "200508.dat");
        Install("settings-summary.ini", "zanpel.ini");
    }
};

TEST_F(SummaryAndReport, SummaryPrintsTheWindowsRowsAndTheOvertimeLine) {
    const ProcessResult r = Run({"summary", "200507"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "2005年 7 月度集計\n"
                     "07/01\t 8.5\t08:50:00\t17:30:00\n"
                     "07/04\t 8.0\t09:00:00\t18:15:00\n"
                     "07/05\t 9.5\t08:45:00\t19:30:00\n"
                     "残業概算： 5.0 H (1日集計)\n"
                     "\n"
                     "07/05\t 9.5\t09:45\t 【作業時間】\t\n"
                     "\t 2.0\t02:00\tReview\tコードレビュー\n"
                     "\t 7.0\t07:00\t設計\t画面設計\\n二行目\n"
                     "07/04\t 8.0\t08:15\t 【作業時間】\t\n"
                     "\t 1.0\t01:00\t会議\t定例\\s(週次)\n"
                     "\t 4.0\t04:00\t実装\t\n"
                     "\t 0.5\t00:30\t打合せの準備と資料作成\t\n"
                     "07/02\t 2.0\t02:00\t試験\t\n"
                     "07/01\t 8.5\t08:40\t 【作業時間】\t\n");
    WriteFile(data.File("zanpel.ini"), "OVERCALC=1\r\nRESTTIME=720:780,900:910\r\n");
    EXPECT_THAT(Run({"summary", "200507"}).Out, HasSubstr("残業概算： 6.1 H (累積集計)\n"));
}

TEST_F(SummaryAndReport, ARangeOfMonthsEndsWithTheirHoursAndTotal) {
    const ProcessResult r = Run({"summary", "200506", "200508"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(
        r.Out,
        StartsWith("2005年 6 月度集計\n残業概算： 0.0 H (1日集計)\n\n\n2005年 7 月度集計\n"));
    EXPECT_THAT(r.Out, HasSubstr("\n2005年 8 月度集計\n08/01\t 9.0\t09:00:00\t19:00:00\n"));
    EXPECT_THAT(r.Out, EndsWith("\n月\t作業時間\t残業概算\n"
                                "2005/06\t0.0\t0.0\n"
                                "2005/07\t26.6\t5.0\n"
                                "2005/08\t9.0\t2.0\n"
                                "合計\t35.6\t7.0\n"));
    EXPECT_EQ(Run({"summary", "200508", "200507"}).ExitCode, 2);
    EXPECT_EQ(Run({"summary"}).ExitCode, 2);
}

TEST_F(SummaryAndReport, ReportFileHoldsTheWindowsBytes) {
    const ProcessResult r = Run({"report", "200507", "--period", "day", "--day", "4", "--flags",
                                 "0", "--output", data.File("r.txt")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "");
    const std::string rule(32, '=');
    EXPECT_EQ(ReadFile(data.File("r.txt")),
              Sjis("【 07/04 】 【作業時間】         8.0 H (08:15:00)\r\n" + rule +
                   "\r\n  ・会議                  1.0 H (01:00:00)\r\n" + rule +
                   "\r\n  ・実装                  4.0 H (04:00:00)\r\n" + rule +
                   "\r\n  ・打合せの準備と資料作成  0.5 H (00:30:00)\r\n" + rule + "\r\n"));
    EXPECT_EQ(ReadFile(data.File("zanpel.ini")), ReadFile(DataFile("settings-summary.ini")));
}

TEST_F(SummaryAndReport, ReportTakesTheSettingsAndTheFirstRecordsDayByDefault) {
    // TEXTOUT=11: memo, period list and subtotals, newest first.
    const ProcessResult month = Run({"report", "200507"});
    ASSERT_EQ(month.ExitCode, 0) << month.Err;
    EXPECT_THAT(month.Out, StartsWith("【 07/05 】 【作業時間】         9.5 H (09:45:00)\n"
                                      "        [小計]:01:00:00  休憩\n"));
    EXPECT_THAT(month.Out, HasSubstr("  ・Review                2.0 H (02:00:00)\n"
                                     "        コードレビュー\n"
                                     "        [小計]:01:30:00  review\n"));
    EXPECT_THAT(month.Out,
                EndsWith("08:50:00-17:30:00 [08:40] (*%LOGIN%*)\n" + std::string(32, '=') + "\n"));
    // The day of the newest record, and the eight days up to it.
    EXPECT_THAT(Run({"report", "200507", "--period", "day", "--flags", "0"}).Out,
                StartsWith("【 07/05 】"));
    const ProcessResult week =
        Run({"report", "200507", "--period", "week", "--day", "2", "--flags", "16"});
    EXPECT_THAT(week.Out, StartsWith("【 07/01 】"));
    EXPECT_THAT(week.Out, Not(HasSubstr("07/04")));
}

TEST_F(SummaryAndReport, ReportRangeTakesDaysOfTheDateLists) {
    const ProcessResult range =
        Run({"report", "200507", "--period", "range", "--from", "4", "--to", "5", "--flags", "16"});
    ASSERT_EQ(range.ExitCode, 0) << range.Err;
    EXPECT_THAT(range.Out, StartsWith("【 07/04 】"));
    EXPECT_THAT(range.Out, HasSubstr("【 07/05 】"));
    EXPECT_THAT(range.Out, Not(HasSubstr("07/02")));
    EXPECT_EQ(Run({"report", "200507", "--period", "range", "--from", "2"}).ExitCode, 2);
    const ProcessResult whole = Run({"report", "200507", "--period", "range", "--flags", "0"});
    EXPECT_THAT(whole.Out, HasSubstr("07/01"));
    EXPECT_THAT(whole.Out, HasSubstr("07/05"));
    // A month without a computer-on day has no dates to choose; without any
    // record no day either.
    const ProcessResult noDates = Run({"report", "200506", "--period", "range"});
    EXPECT_EQ(noDates.ExitCode, 1);
    EXPECT_THAT(noDates.Err, HasSubstr("日付指定は選べません"));
    EXPECT_EQ(Run({"report", "200506", "--period", "day"}).ExitCode, 1);
    const ProcessResult empty = Run({"report", "200506"});
    EXPECT_EQ(empty.ExitCode, 0);
    EXPECT_EQ(empty.Out, "");
}

// The content by name, as the report dialog's check boxes, or as the
// settings' bit mask for scripts; both together add up.
TEST_F(SummaryAndReport, ReportContentIsChosenByNameOrByTheFlagsOfTheSettings) {
    const auto report = [&](std::vector<std::string> options) {
        std::vector<std::string> args{"report", "200507", "--period", "day", "--day", "4"};
        args.insert(args.end(), options.begin(), options.end());
        const ProcessResult r = Run(args);
        EXPECT_EQ(r.ExitCode, 0) << r.Err;
        return r.Out;
    };
    EXPECT_EQ(report({"--categories", "--period-memos"}), report({"--flags", "6"}));
    EXPECT_EQ(report({"--memo", "--subtotals", "--by-date"}), report({"--flags", "25"}));
    EXPECT_EQ(report({"--flags", "2", "--memo"}), report({"--flags", "3"}));
    EXPECT_NE(report({"--categories"}), report({"--flags", "0"}));
    // A named choice stands for itself: the settings' content is not added.
    EXPECT_EQ(report({"--by-date"}), report({"--flags", "16"}));
    EXPECT_EQ(Run({"report", "200507", "--memo", "1"}).ExitCode, 2); // no value: 1 is no month
    EXPECT_THAT(Run({"help"}).Out, HasSubstr("--period-memos"));
}

TEST_F(SummaryAndReport, ReportRefusesARangeThatEndsBeforeItBegins) {
    const ProcessResult r = Run({"report", "200507", "--period", "range", "--from", "4", "--to",
                                 "1", "--output", data.File("r.txt")});
    EXPECT_EQ(r.ExitCode, 2);
    EXPECT_THAT(r.Err, HasSubstr("「から」の日が「まで」の日より後"));
    EXPECT_FALSE(std::filesystem::exists(data.File("r.txt")));
}

TEST_F(SummaryAndReport, ReportRefusesWrongChoicesAndNamesAFileItCannotWrite) {
    EXPECT_EQ(Run({"report", "200507", "--period", "year"}).ExitCode, 2);
    EXPECT_EQ(Run({"report", "200507", "--day", "32"}).ExitCode, 2);
    EXPECT_EQ(Run({"report", "200507", "--flags", "-1"}).ExitCode, 2);
    EXPECT_EQ(Run({"report", "200507", "--bogus", "1"}).ExitCode, 2);
    WriteFile(data.File("old.txt"), "old");
    const std::string missing = data.File("no/such.txt");
    const ProcessResult r = Run({"report", "200507", "--output", missing});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr(missing + ": "));
}

// A month or settings file that could not be read whole gives no report
// file: the file named stays as it was.
TEST_F(SummaryAndReport, AReportFromFilesNotReadWholeLeavesTheOutputAsItWas) {
    const std::string output = data.File("prev.txt");
    WriteFile(output, "OLDCONTENT\n");
    Install("200502-broken.dat", "200502.dat");
    const ProcessResult broken = Run({"report", "200502", "--output", output});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_THAT(broken.Err, HasSubstr("200502.dat"));
    EXPECT_EQ(ReadFile(output), "OLDCONTENT\n");
    std::filesystem::remove(data.File("zanpel.ini"));
    std::filesystem::create_directory(data.File("zanpel.ini"));
    const ProcessResult r = Run({"report", "200507", "--output", output});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("zanpel.ini"));
    EXPECT_EQ(ReadFile(output), "OLDCONTENT\n");
}

TEST_F(SummaryAndReport, HelpAndVersionSucceed) {
    for (const char* ask : {"--help", "help"}) {
        const ProcessResult r = Run({ask});
        EXPECT_EQ(r.ExitCode, 0) << ask;
        EXPECT_THAT(r.Out, HasSubstr("summary YYYYMM [YYYYMM]")) << ask;
        EXPECT_THAT(r.Out, HasSubstr("report YYYYMM")) << ask;
    }
    const ProcessResult v = Run({"--version"});
    EXPECT_EQ(v.ExitCode, 0);
    EXPECT_THAT(v.Out, StartsWith("zanpelctl "));
    EXPECT_EQ(Run({}).ExitCode, 2);
}

} // namespace
} // namespace zanpel::test
