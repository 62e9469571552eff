#include "records/clock.h"
#include "records/timevalues.h"

#include <gtest/gtest.h>

namespace zanpel {
namespace {

TEST(TimeValues, DayNumbersFollowTheCalendarFrom1899) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
    EXPECT_EQ(EncodeDate(1970, 1, 1), 25569);
    EXPECT_EQ(EncodeDate(2005, 3, 1), 38412);
    const CivilDate leap = DecodeDate(EncodeDate(2024, 2, 29));
    EXPECT_EQ(leap.Year, 2024);
    EXPECT_EQ(leap.Month, 2);
    EXPECT_EQ(leap.Day, 29);
    EXPECT_FALSE(IsValidDate(2005, 2, 29));
    EXPECT_FALSE(IsValidDate(1900, 2, 29));
    EXPECT_TRUE(IsValidDate(2000, 2, 29));
}

TEST(TimeValues, SecondsOfDayTruncatesAndSurvivesBinaryFractions) {
    const DayNumber day = EncodeDate(2005, 3, 1);
    EXPECT_EQ(SecondsOfDay(day + 32400.999 / 86400.0), 32400);
    EXPECT_EQ(SecondsOfDay(day + 86399.999 / 86400.0), 86399);
    // Every whole second of a day comes back exactly.
    for (Seconds s = 0; s < SecondsPerDay; s += 7)
        ASSERT_EQ(SecondsOfDay(MakeDateTime(day, s)), s) << s;
}

TEST(TimeValues, FormatsPadAndDoNotWrapHours) {
    EXPECT_EQ(FormatDuration(0), "00:00:00");
    EXPECT_EQ(FormatDuration(3725), "01:02:05");
    EXPECT_EQ(FormatDuration(86399), "23:59:59");
    EXPECT_EQ(FormatDuration(90000), "25:00:00");
    EXPECT_EQ(FormatDuration(360000), "100:00:00");
    EXPECT_EQ(FormatTime(32700), "09:05:00");
    EXPECT_EQ(FormatTime(86400), "00:00:00");
    EXPECT_EQ(FormatTime(87300), "00:15:00");
    EXPECT_EQ(FormatDate(EncodeDate(2005, 3, 1)), "2005/03/01");
}

TEST(TimeValues, ParseIntTakesLeadingDigitsOnly) {
    EXPECT_EQ(ParseInt("12abc"), 12);
    EXPECT_EQ(ParseInt("-7x"), -7);
    EXPECT_EQ(ParseInt("x7"), 0);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("99999999999999999999"), 2147483647); // saturates, no overflow
}

TEST(TimeValues, NumberGroupsCountAsTheRecordFilesExpect) {
    EXPECT_EQ(ParseNumberGroups("9", ":").Count, 0);
    EXPECT_EQ(ParseNumberGroups("9:30", ":").Count, 2);
    EXPECT_EQ(ParseNumberGroups("9:00", ":").Count, 1);
    EXPECT_EQ(ParseNumberGroups("9:", ":").Count, 1);
    const NumberGroups g = ParseNumberGroups("1:2:3:4", ":");
    EXPECT_EQ(g.Count, 3);
    EXPECT_EQ(g.Values[2], 3);
    EXPECT_EQ(ParseNumberGroups("12:\x82\x60", ":").Count, 1); // a byte above 127 stops
}

TEST(TimeValues, ParseDateAcceptsBothSeparatorsAndTheCurrentYear) {
    const DayNumber d = EncodeDate(2005, 3, 1);
    EXPECT_EQ(ParseDate("2005/3/1", 2005), d);
    EXPECT_EQ(ParseDate("2005.03.01", 1999), d);
    EXPECT_EQ(ParseDate("3/1", 2005), d);
    EXPECT_EQ(ParseDate("13/40", 2005), EncodeDate(2005, 1, 1));
    EXPECT_EQ(ParseDate("1800/5/5", 2005), EncodeDate(1900, 5, 5));
    EXPECT_EQ(ParseDate("abc", 2005), 0);
    EXPECT_EQ(ParseDate("", 2005), 0);
    EXPECT_THROW(ParseDate("2005/02/30", 2005), InvalidDate);
    EXPECT_THROW(ParseDate("99999/01/01", 2005), InvalidDate);
}

TEST(TimeValues, ParseTimeReadsBackEveryWrittenTime) {
    EXPECT_EQ(ParseTime("12:00:00"), 43200);
    EXPECT_EQ(ParseTime("00:00:00"), 0);
    EXPECT_EQ(ParseTime("09:05:07"), 32707);
    EXPECT_EQ(ParseTime("9:30"), 34200);
    EXPECT_EQ(ParseTime("25:00:00"), 3600);
    EXPECT_EQ(ParseTime("9"), 0);
    EXPECT_EQ(ParseTime("2147483647:59:59"), (2147483647LL * 3600 + 3599) % 86400);
    for (Seconds s = 0; s < SecondsPerDay; s += 13)
        ASSERT_EQ(ParseTime(FormatTime(s)), s);
}

TEST(TimeValues, TellsWhichTextsTheReadingCorrects) {
    // Read as they say: the forms the files hold, shorter ones, other separators.
    for (const char* date : {"2005/03/01", "2005/3/1", "2005.03.01", "3/1", "2005/12/31", "abc"})
        EXPECT_FALSE(IsCorrectedDate(date)) << date;
    for (const char* date : {"2026/11/32", "2026/13/05", "2026/00/10", "1800/5/5", "13/40",
                             "2005/03/01x", "2005/03/01/7"})
        EXPECT_TRUE(IsCorrectedDate(date)) << date;
    for (Seconds s = 0; s < SecondsPerDay; s += 61)
        ASSERT_FALSE(IsCorrectedTime(FormatTime(s)));
    for (const char* time : {"9:30", "23:59:59", "", "9"})
        EXPECT_FALSE(IsCorrectedTime(time)) << time;
    for (const char* time : {"25:61:99", "26:00:00", "24:00:00", "09:60", "09:00:60", "09:00:00 "})
        EXPECT_TRUE(IsCorrectedTime(time)) << time;
}

TEST(FixedClockTest, AdvancesAcrossMidnightWithoutDrift) {
    FixedClock clock(EncodeDate(2005, 3, 31), 86399);
    EXPECT_EQ(Today(clock), EncodeDate(2005, 3, 31));
    EXPECT_EQ(NowSeconds(clock), 86399);
    clock.Advance(1);
    EXPECT_EQ(Today(clock), EncodeDate(2005, 4, 1));
    EXPECT_EQ(NowSeconds(clock), 0);
    for (int i = 0; i < 5 * 3600 * 5; ++i)
        clock.AdvanceMilliseconds(200);
    EXPECT_EQ(NowSeconds(clock), 5 * 3600);
    EXPECT_EQ(CurrentYear(clock), 2005);
}

} // namespace
} // namespace zanpel
