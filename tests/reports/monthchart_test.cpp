// The month chart's figures: stacks, expected hours and overtime of a month
// with rests, periods at midnight and empty days; the grouping of small
// items; and, on random months, the sums that hold the chart together.
#include "monthfixture.h"
#include "reports/chartcolours.h"
#include "reports/monthchart.h"
#include "reports/summaryrows.h"

#include <gmock/gmock.h>

#include <map>
#include <random>
#include <set>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

class MonthChart : public MonthTest {
protected:
    MonthChart() {
        settings.WorkDayBegin = 9 * 60;
        settings.WorkDayEnd = 17 * 60;
        settings.RestTimes = "720:780"; // 420 minutes a day
    }
    // The name of the entry of a stack's part.
    std::string EntryName(const TMonthChart& chart, const TChartPart& part) const {
        return Cp932ToUtf8(chart.Entries.at(part.Entry).Name);
    }
    std::vector<std::pair<std::string, int64_t>> Stack(const TMonthChart& chart, int day) const {
        std::vector<std::pair<std::string, int64_t>> parts;
        for (const TChartPart& part : chart.Days.at(static_cast<size_t>(day - 1)).Stack)
            parts.emplace_back(EntryName(chart, part), part.Seconds);
        return parts;
    }
};

TEST_F(MonthChart, RestsAreNoWorkAndOvertimeIsTheSummarys) {
    AddLogin(1, T(9, 0), T(18, 15), {{T(12, 0), T(13, 0)}});
    AddItem(1, Sjis("設計"), {{{}, {}, T(9, 0), T(12, 0)}, {{}, {}, T(13, 0), T(15, 0)}});
    AddItem(1, Sjis("会議"), {{{}, {}, T(15, 0), T(18, 15)}});
    AddLogin(4, T(9, 0), T(16, 0)); // short: no overtime
    AddItem(4, Sjis("会議"), {{{}, {}, T(9, 0), T(16, 0)}});
    AddItem(5, Sjis("設計"), {}); // a record without time

    TMonthChart chart = BuildMonthChart(list, settings);
    ASSERT_EQ(chart.Days.size(), 31u);
    EXPECT_EQ(chart.Days[0].Date, July(1));
    EXPECT_THAT(Stack(chart, 1), ElementsAre(std::pair{"会議", T(3, 15)} /* the larger item */,
                                             std::pair{"設計", T(5, 0)}));
    const TChartDay& first = chart.Days[0];
    EXPECT_EQ(first.ItemSeconds, T(8, 15));
    EXPECT_EQ(first.WorkedSeconds, T(8, 15)); // 9:15 of span less the hour of rest
    EXPECT_EQ(first.ExpectedSeconds, T(7, 0));
    EXPECT_EQ(first.OvertimeSeconds, T(1, 0)); // 75 minutes, by the half hour
    EXPECT_EQ(chart.Days[3].OvertimeSeconds, 0);
    EXPECT_FALSE(first.Weekend); // a Friday
    EXPECT_TRUE(chart.Days[1].Weekend);
    EXPECT_TRUE(chart.Days[2].Weekend);
    EXPECT_FALSE(chart.Days[3].Weekend);
    EXPECT_FALSE(chart.Days[1].HasRecords);
    EXPECT_TRUE(chart.Days[4].HasRecords); // a record, if without time
    EXPECT_TRUE(chart.Days[4].Stack.empty());
    EXPECT_EQ(chart.OvertimeSeconds, T(1, 0));

    settings.OvertimeCalc = 1; // accumulated: the summary's 75 minutes
    chart = BuildMonthChart(list, settings);
    EXPECT_EQ(chart.OvertimeSeconds, 60 * BuildSummary(list, settings).OvertimeMinutes);
    EXPECT_EQ(chart.OvertimeSeconds, T(1, 15));
}

TEST_F(MonthChart, TimeAtMidnightCountsOnItsOwnDayOnly) {
    // As the bar cuts a running period: to 24:00, and on from 0:00.
    AddItem(5, Sjis("実装"), {{{}, {}, T(22, 0), SecondsPerDay}});
    AddItem(6, Sjis("実装"), {{{}, {}, T(0, 0), T(1, 30)}});
    // An older file's period written past midnight stops at 24:00 here.
    AddItem(7, Sjis("実装"), {{{}, {}, T(23, 0), SecondsPerDay + T(2, 0)}});
    const TMonthChart chart = BuildMonthChart(list, settings);
    EXPECT_THAT(Stack(chart, 5), ElementsAre(std::pair{"実装", T(2, 0)}));
    EXPECT_THAT(Stack(chart, 6), ElementsAre(std::pair{"実装", T(1, 30)}));
    EXPECT_THAT(Stack(chart, 7), ElementsAre(std::pair{"実装", T(1, 0)}));
    EXPECT_EQ(chart.Entries.at(0).Seconds, T(4, 30));
    EXPECT_EQ(chart.Days[4].WorkedSeconds, 0); // no computer-on record
}

TEST_F(MonthChart, TheLargestItemsKeepTheirEntriesAndTheRestAreGroupedLast) {
    // Items "a" to "k": "k" the largest; "a" and "b" as large as each other.
    const std::string names = "abcdefghijk";
    for (size_t i = 0; i < names.size(); ++i)
        AddItem(static_cast<int>(i) + 1, std::string(1, names[i]),
                {{{}, {}, T(8, 0), T(8, 0) + T(1, 0) * std::max<int>(1, static_cast<int>(i))}});
    AddItem(20, "c", {{{}, {}, T(8, 0), T(8, 30)}});

    const TMonthChart chart = BuildMonthChart(list, settings);
    ASSERT_EQ(chart.Entries.size(), ChartOwnEntries + 1);
    std::vector<std::string> own;
    std::set<int> colours;
    for (size_t i = 0; i < ChartOwnEntries; ++i) {
        own.push_back(chart.Entries[i].Name);
        colours.insert(chart.Entries[i].Colour);
    }
    EXPECT_THAT(own, ElementsAre("k", "j", "i", "h", "g", "f", "e", "d"));
    EXPECT_EQ(colours.size(), ChartOwnEntries);
    const TChartEntry& others = chart.Entries.back();
    EXPECT_TRUE(others.Others);
    EXPECT_EQ(others.Colour, -1);
    EXPECT_THAT(others.Members, ElementsAre("c", "a", "b")); // c: 2.5 h
    EXPECT_EQ(others.Seconds, T(4, 30));
    EXPECT_THAT(chart.Days[0].Stack, ElementsAre(TChartPart{ChartOwnEntries, T(1, 0)}));
    EXPECT_NEAR(others.Share, 4.5 / (4.5 + 10 + 9 + 8 + 7 + 6 + 5 + 4 + 3), 1e-12);
}

TEST_F(MonthChart, RecordsOfAnotherMonthInTheFileAreNoPartOfTheChart) {
    // A month file may hold a line of another month (copied or edited by
    // hand): the days of the chart do not show it, nor may its entries.
    list.AddWork(TWorkInfo{EncodeDate(2005, 8, 3), "stray", {}, 0, {{{}, {}, T(9, 0), T(10, 0)}}});
    TMonthChart chart = BuildMonthChart(list, settings);
    EXPECT_TRUE(chart.Entries.empty());
    EXPECT_EQ(chart.ItemSeconds, 0);

    AddItem(4, "a", {{{}, {}, T(9, 0), T(11, 0)}});
    chart = BuildMonthChart(list, settings);
    ASSERT_EQ(chart.Entries.size(), 1u);
    EXPECT_EQ(chart.Entries[0].Name, "a");
    EXPECT_EQ(chart.Entries[0].Share, 1.0);
}

TEST_F(MonthChart, TheExpectedHoursOfADayLieWithinTheDay) {
    // The settings file takes any number of hours; the summary's overtime
    // stays its own, but no day expects more than its 24 hours or less than
    // none (a scale of millions of hours would stop the window).
    AddLogin(1, T(9, 0), T(18, 0));
    settings.WorkDayBegin = 0;
    settings.WorkDayEnd = 30'000'000 * 60;
    TMonthChart chart = BuildMonthChart(list, settings);
    EXPECT_EQ(chart.Days[0].ExpectedSeconds, SecondsPerDay);
    EXPECT_EQ(chart.Days[0].OvertimeSeconds, 0);

    settings.WorkDayBegin = 18 * 60; // ends before it begins
    settings.WorkDayEnd = 9 * 60;
    chart = BuildMonthChart(list, settings);
    EXPECT_EQ(chart.Days[0].ExpectedSeconds, 0);
    EXPECT_EQ(chart.OvertimeSeconds, 60 * BuildSummary(list, settings).OvertimeMinutes);
}

// Random months, with overlaps, zero-length periods, periods past midnight
// and days without a computer-on record: every day's stack adds up to the
// time of its records, the entries to the stacks, the shares to one, and
// the overtime to the summary's.
TEST_F(MonthChart, RandomMonthsAddUp) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](int from, int to) {
            return std::uniform_int_distribution<int>(from, to)(random);
        };
        list.Clear();
        std::map<int, int64_t> expectedDay;
        for (int day = 1; day <= 31; ++day) {
            if (pick(0, 4) == 0)
                continue;
            if (pick(0, 3) > 0) {
                const Seconds start = T(pick(0, 12), pick(0, 59));
                AddLogin(day, start, start + T(pick(0, 11), pick(0, 59)),
                         {{T(12, 0), T(13, 0)}, {T(pick(10, 16), 0), T(pick(10, 17), 30)}});
            }
            for (int item = 1; item <= 15; ++item) {
                if (pick(0, 3) > 0)
                    continue;
                std::vector<TWorkData> periods;
                for (int p = pick(0, 4); p > 0; --p) {
                    const Seconds start = T(pick(0, 23), pick(0, 59));
                    const Seconds end = std::max(start, start + T(pick(0, 6), pick(0, 59)) - 600);
                    periods.push_back({{}, {}, start, end});
                    expectedDay[day] += std::min(end, SecondsPerDay) - start;
                }
                AddItem(day, "item" + std::to_string(item), periods);
            }
        }
        const TMonthChart chart = BuildMonthChart(list, settings);
        ASSERT_EQ(chart.Days.size(), 31u);
        std::vector<int64_t> entrySums(chart.Entries.size(), 0);
        int64_t monthSum = 0;
        for (size_t d = 0; d < chart.Days.size(); ++d) {
            const TChartDay& day = chart.Days[d];
            EXPECT_EQ(day.Date, July(static_cast<int>(d) + 1));
            int64_t stack = 0;
            for (size_t p = 0; p < day.Stack.size(); ++p) {
                const TChartPart& part = day.Stack[p];
                ASSERT_LT(part.Entry, chart.Entries.size());
                EXPECT_GT(part.Seconds, 0);
                EXPECT_TRUE(p == 0 || day.Stack[p - 1].Entry < part.Entry) << "seed " << seed;
                stack += part.Seconds;
                entrySums[part.Entry] += part.Seconds;
            }
            EXPECT_EQ(stack, day.ItemSeconds) << "seed " << seed;
            EXPECT_EQ(stack, expectedDay[static_cast<int>(d) + 1]) << "seed " << seed;
            EXPECT_LE(day.OvertimeSeconds, std::max<int64_t>(0, day.WorkedSeconds - T(7, 0)));
            monthSum += stack;
        }
        double shares = 0;
        for (size_t e = 0; e < chart.Entries.size(); ++e) {
            EXPECT_EQ(entrySums[e], chart.Entries[e].Seconds) << "seed " << seed;
            EXPECT_TRUE(e == 0 || chart.Entries[e - 1].Seconds >= chart.Entries[e].Seconds ||
                        chart.Entries[e].Others);
            shares += chart.Entries[e].Share;
        }
        EXPECT_EQ(monthSum, chart.ItemSeconds);
        EXPECT_NEAR(shares, chart.Entries.empty() ? 0.0 : 1.0, 1e-9);
        EXPECT_LE(chart.Entries.size(), ChartOwnEntries + 1);
        EXPECT_EQ(chart.OvertimeSeconds, 60 * BuildSummary(list, settings).OvertimeMinutes)
            << "seed " << seed;
    }
}

} // namespace
} // namespace zanpel::test
