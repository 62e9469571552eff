#include "cli/cliargs.h"
#include "cli/exportformat.h"
#include "support/testsupport.h"

#include <gtest/gtest.h>

namespace zanpel::cli {
namespace {

using test::Sjis;

TEST(ExportFormat, RowsCarryEveryFieldInUtf8WithEndsPastMidnight) {
    const TWorkInfo work{EncodeDate(2005, 3, 1),
                         Sjis("作業A"),
                         Sjis("メモ, \"引用\""),
                         0,
                         {{Sjis("設計"), "two\r\nlines", 84600, 87300}}};
    std::string csv;
    AppendRecordRows(csv, work, false, ExportFormat::Csv);
    EXPECT_EQ(csv, "2005-03-01,作業A,\"メモ, \"\"引用\"\"\",設計,\"two\r\nlines\",23:30:00,"
                   "24:15:00,2700,false\n");
    std::string json;
    AppendRecordRows(json, work, true, ExportFormat::Json);
    EXPECT_EQ(json, "{\"date\":\"2005-03-01\",\"item\":\"作業A\",\"record_memo\":\"メモ, "
                    "\\\"引用\\\"\",\"category\":\"設計\",\"period_memo\":\"two\\r\\nlines\","
                    "\"start\":\"23:30:00\",\"end\":\"24:15:00\",\"seconds\":2700,"
                    "\"computer_on\":true}\n");
}

TEST(ExportFormat, JsonEscapesControlCharactersAndBrokenBytesStayValid) {
    std::string out;
    AppendJsonString(out, std::string("a\x01\\b\tc", 6));
    EXPECT_EQ(out, "\"a\\u0001\\\\b\\tc\"");
    const TWorkInfo work{EncodeDate(2005, 3, 1), "bad\x82", "", 0, {{"", "", 0, 10}}};
    std::string row;
    AppendRecordRows(row, work, false, ExportFormat::Json);
    EXPECT_NE(row.find("bad\xEF\xBF\xBD"), std::string::npos);
}

TEST(CliArguments, GlobalOptionsGoAnywhereAndValuesAreChecked) {
    CliArgs a = ParseCliArgs({"export", "200503", "--data-dir", "/d", "--format", "json"});
    EXPECT_EQ(a.Error, "");
    EXPECT_EQ(a.Command, "export");
    EXPECT_EQ(a.DataDir, "/d");
    EXPECT_EQ(a.Option("format"), "json");
    EXPECT_EQ(a.Arguments, std::vector<std::string>{"200503"});
    EXPECT_NE(ParseCliArgs({"--now", "2005-03-01"}).Error, "");
    EXPECT_NE(ParseCliArgs({"--now", "2005-02-30 10:00:00", "today"}).Error, "");
    EXPECT_NE(ParseCliArgs({"export", "--format"}).Error, "");
    EXPECT_NE(ParseCliArgs({}).Error, "");
    const auto now = ParseNowOption("2005-03-01 09:05:07");
    ASSERT_TRUE(now);
    EXPECT_EQ(WholeDays(*now), EncodeDate(2005, 3, 1));
    EXPECT_EQ(SecondsOfDay(*now), 32707);
    EXPECT_FALSE(ParseYearMonth("200513"));
    EXPECT_FALSE(ParseYearMonth("20051"));
    EXPECT_EQ(ParseYearMonth("200512")->Next(), (YearMonth{2006, 1}));
}

} // namespace
} // namespace zanpel::cli
