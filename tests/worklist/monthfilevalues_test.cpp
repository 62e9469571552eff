// What a month file holds comes back from a load and a save as it was, or
// the load names the line: zero bytes, bytes that are no CP932, values that
// the reading corrects, and rest lines wherever they stand.
#include "worklist/worklistfixture.h"

#include <gmock/gmock.h>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class MonthFileValues : public WorkListTest {
protected:
    // Loads the March file while the clock stands in April (as the summary
    // and the command-line tool read a month).
    void LoadMarch(const std::string& contents) {
        WriteFile(March(), contents);
        reporter.Messages.clear();
        clock.Set(EncodeDate(2005, 4, 10), 12 * 3600);
        if (list.CurrentDate() == 0)
            list.ChangeDate(march1 + 1);
        else
            list.LoadMonth();
    }
    // Saves and loads again.
    void RoundTrip() {
        ASSERT_TRUE(list.SaveMonth());
        reporter.Messages.clear();
        list.LoadMonth();
    }
    std::string March() const { return dir.File("200503.dat"); }
    // Worked time of the day: the computer-on span less the rests.
    Seconds Worked(DayNumber day) {
        const TWorkInfo* login = list.Find(day, LoginName);
        const TWorkData& span = login->Periods.front();
        return span.EndSec - span.StartSec - login->Total;
    }
};

TEST_F(MonthFileValues, AZeroByteIsAByteOfItsItemNeverTheEndOfTheLine) {
    LoadMarch("2005/03/01,a,,\"09:00:00,12:00:00,,\"" + std::string(1, '\0') +
              ",\"13:00:00,17:00:00,,\"\r\n");
    // The afternoon is read; the zero byte is an item that is no period.
    EXPECT_EQ(list.Find(march1, "a")->Total, 7 * 3600);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    EXPECT_THAT(reporter.Messages[0], HasSubstr("\r\n1 行目: "));
    EXPECT_NE(list.BrokenCopyPath(), "");

    // Inside a name, a memo or a category it is kept, byte for byte.
    const std::string name("x\0y", 3);
    const std::string text("m\0"
                           "emo",
                           5);
    LoadMarch("2005/03/01," + name + "," + text + ",\"09:00:00,10:00:00," + text + "," + text +
              "\"\r\n");
    EXPECT_TRUE(reporter.Messages.empty());
    RoundTrip();
    EXPECT_TRUE(reporter.Messages.empty());
    const TWorkInfo* back = list.Find(march1, name);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->Memo, text);
    EXPECT_EQ(back->Periods[0].Category, text);
    EXPECT_EQ(back->Periods[0].Memo, text);
}

TEST_F(MonthFileValues, BytesThatAreNoCp932ComeBackAsTheyWere) {
    const std::string utf8 = "\xE8\xA8\xAD\xE8\xA8\x88"; // 設計 saved by an editor in UTF-8
    const std::string stray = "\x88!x\x8c";              // lead bytes without their second byte
    const std::string file = "2005/03/01," + utf8 + ",,\"09:00:00,10:00:00," + utf8 + ",\"\r\n" +
                             "2005/03/01,b," + stray + ",\"10:00:00,11:00:00,,\"\r\n";
    LoadMarch(file);
    EXPECT_TRUE(reporter.Messages.empty());
    RoundTrip();
    EXPECT_TRUE(reporter.Messages.empty());
    // Both lines are written with exactly their bytes.
    EXPECT_THAT(ReadFile(March()),
                HasSubstr("2005/03/01," + utf8 + ",,\"09:00:00,10:00:00," + utf8 + ",\"\r\n"));
    EXPECT_THAT(ReadFile(March()), HasSubstr("2005/03/01,b," + stray + ",\""));
    EXPECT_THAT(ReadFile(March()), Not(HasSubstr("?")));
    ASSERT_NE(list.Find(march1, utf8), nullptr);
    EXPECT_EQ(list.Find(march1, utf8)->Periods[0].Category, utf8);
    EXPECT_EQ(list.Find(march1, "b")->Memo, stray);
}

TEST_F(MonthFileValues, EveryValueTheReadingCorrectsIsAProblemOfItsLine) {
    const std::string file = "2005/03/32,a,,\"09:00:00,10:00:00,,\"\r\n" // day 32
                             "2005/13/05,b,,\"09:00:00,10:00:00,,\"\r\n" // month 13
                             "2005/03/02,c,,\"25:61:99,26:00:00,,\"\r\n" // hours past 24
                             "2005/03/02,d,,\"00:00:05,23:59:59,,\",\"23:59:59,11:59:59,,\"\r\n"
                             "2005/03/02,e,,\"09:00:00,10:00:00,,,x\"\r\n" // an item too many
                             "2005/03/02,f,\"cut\rhere\",\"09:00:00,10:00:00,,\"\r\n"
                             "2005/03/02,g,,\"17:00:00,09:00:00,,\",\"00:00:00,00:00:00,,\"\r\n";
    LoadMarch(file);
    // The reading rules stay: the values are those of before.
    EXPECT_NE(list.Find(march1, "a"), nullptr);
    EXPECT_NE(list.Find(EncodeDate(2005, 1, 5), "b"), nullptr);
    EXPECT_EQ(list.Find(march1 + 1, "c")->Total, 23 * 3600 + 57 * 60 + 21);
    // Two periods that touch stay two, as written: none passes a day.
    EXPECT_EQ(list.Find(march1 + 1, "d")->Total, 129599 - 5);
    EXPECT_EQ(list.Find(march1 + 1, "d")->Periods.size(), 2u);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    const std::string& message = reporter.Messages[0];
    for (int line : {1, 2, 3, 5, 6})
        EXPECT_THAT(message, HasSubstr("\r\n" + std::to_string(line) + " 行目: ")) << line;
    EXPECT_THAT(message, Not(HasSubstr("\r\n4 行目: ")));
    EXPECT_THAT(message, HasSubstr("2005/01/05"));
    EXPECT_THAT(message, HasSubstr("02:02:39"));
    // Periods that pass midnight, however long, and a whole day come back
    // from the file as they were read: not problems.
    EXPECT_THAT(message, Not(HasSubstr("7 行目")));
    EXPECT_EQ(list.Find(march1 + 1, "g")->Total, 16 * 3600 + 86400);

    // The original is kept before the first save, which writes the values read.
    const std::string copy = list.BrokenCopyPath();
    ASSERT_NE(copy, "");
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(copy), file);
    EXPECT_THAT(ReadFile(March()), HasSubstr("2005/03/01,a,"));
}

TEST_F(MonthFileValues, ARepeatedLineOfADaysItemIsJoinedAndNamed) {
    const std::string file = "2005/03/11,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n"
                             "2005/03/11,B,first,\"09:00:00,10:00:00,,\"\r\n"
                             "2005/03/11,%LOGIN%,,\"09:00:00,18:30:00,,\"\r\n"
                             "2005/03/11,B,second,\"11:00:00,12:00:00,,\"\r\n";
    LoadMarch(file);
    const DayNumber day = EncodeDate(2005, 3, 11);
    // The second span widens the day; it is no rest.
    EXPECT_EQ(Worked(day), 9 * 3600 + 30 * 60);
    const TWorkInfo* b = list.Find(day, "B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Total, 2 * 3600);
    EXPECT_EQ(b->Memo, "first"); // the second is in the copy
    ASSERT_EQ(reporter.Messages.size(), 1u);
    for (int line : {3, 4})
        EXPECT_THAT(reporter.Messages[0], HasSubstr("\r\n" + std::to_string(line) + " 行目: "))
            << line;
    EXPECT_THAT(reporter.Messages[0], Not(HasSubstr("\r\n2 行目")));
    // The file as it was is kept before the save joins the lines.
    const std::string copy = list.BrokenCopyPath();
    ASSERT_NE(copy, "");
    RoundTrip();
    EXPECT_EQ(ReadFile(copy), file);
    EXPECT_EQ(Worked(day), 9 * 3600 + 30 * 60);
    EXPECT_TRUE(reporter.Messages.empty());
}

TEST_F(MonthFileValues, ItemsASaveWouldWriteWithOtherBytesAreProblemsOfTheirLine) {
    const std::string file =
        "2005/03/01,N3\\,,\"09:00:00,10:00:00,,\"\r\n"         // a backslash at the end
        "2005/03/01,b,C:\\work\\x,\"09:00:00,10:00:00,,\"\r\n" // escapes that are none
        "2005/03/01,c,\"A\"\"B\",\"09:00:00,10:00:00,,\"\r\n"  // a quote, written \q
        "2005/03/01,d,,\"09:00:00,10:00:00,\\z,\"\r\n"         // in a category
        "2005/03/01,e,\"a b\",\"09:00:00,10:00:00,,\"\r\n"     // a blank, written \s
        "2005/03/01,f\\s\\c\\q\\\\\\t,m\\nn,\"09:00:00,10:00:00,\\c,\"\r\n"; // all known
    LoadMarch(file);
    ASSERT_EQ(reporter.Messages.size(), 1u);
    for (int line : {1, 2, 3, 4, 5})
        EXPECT_THAT(reporter.Messages[0], HasSubstr("\r\n" + std::to_string(line) + " 行目: "))
            << line;
    EXPECT_THAT(reporter.Messages[0], Not(HasSubstr("6 行目")));
    EXPECT_THAT(reporter.Messages[0], HasSubstr("C:\\work\\x"));
    // The original is kept before the first save.
    const std::string copy = list.BrokenCopyPath();
    ASSERT_NE(copy, "");
    ASSERT_TRUE(list.SaveMonth());
    EXPECT_EQ(ReadFile(copy), file);
    // The line of known escapes comes back as it was.
    EXPECT_THAT(ReadFile(March()), HasSubstr("2005/03/01,f\\s\\c\\q\\\\\\t,m\\nn,"));
}

TEST_F(MonthFileValues, RestLinesCountOnceWhereverTheyStand) {
    const DayNumber d2 = march1 + 1;
    const DayNumber d3 = march1 + 2;
    const std::string rest = Sjis("休憩");
    // Day 1: the rest line before a computer-on record that holds the same
    // rest; day 2: before one without rests; day 3: no computer-on record.
    LoadMarch("2005/03/01," + rest + ",,\"12:00:00,13:00:00,,\"\r\n" +
              "2005/03/01,%LOGIN%,,\"08:00:00,18:00:00,,\",\"12:00:00,13:00:00," + rest +
              ",\"\r\n" + "2005/03/02," + rest + ",,\"12:00:00,13:00:00,,\"\r\n" +
              "2005/03/02,%LOGIN%,,\"08:00:00,18:00:00,,\"\r\n" + "2005/03/03," + rest +
              ",,\"12:00:00,12:30:00,,\"\r\n" + "2005/03/03," + rest +
              ",,\"15:00:00,15:30:00,,\"\r\n");
    EXPECT_TRUE(reporter.Messages.empty());
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        EXPECT_EQ(Worked(march1), 9 * 3600);
        EXPECT_EQ(Worked(d2), 9 * 3600);
        EXPECT_EQ(list.Find(march1, LoginName)->Periods.size(), 2u);
        // A day without computer-on record keeps one rest record.
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(list.Find(d3, LoginName), nullptr);
        RoundTrip();
        EXPECT_TRUE(reporter.Messages.empty());
    }
    EXPECT_THAT(ReadFile(March()), HasSubstr("2005/03/03," + rest +
                                             ",,\"12:00:00,12:30:00,,\",\"15:00:00,15:30:00,,\""));
}

} // namespace
} // namespace zanpel::test
