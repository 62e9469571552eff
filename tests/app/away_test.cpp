// Time away from the machine while it is on: the question on the return and
// its answers, on the timing engine with a fixed clock; the idle source's
// events are the test's calls on the watch.
#include "app/awayanswers.h"
#include "app/awaywatch.h"
#include "support/diskfullwriter.h"
#include "timingfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using std::chrono::seconds;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Pair;

class Away : public Timing {
protected:
    Away() { watch.SetThreshold(10); }

    // No input for s seconds while the bar ticks: the source tells when the
    // threshold is reached, and the first input ends the spell.
    std::optional<TAwayQuestion> AwayFor(int s) {
        Run(std::min(s, Threshold));
        if (s >= Threshold)
            watch.Idle(seconds(Threshold));
        Run(s - Threshold);
        return watch.Active();
    }
    static Seconds Second(TDateTime t) { return SecondsOfDay(t); }
    int64_t WorkTotal(DayNumber day) {
        int64_t total = 0;
        for (int i = 0; i < list.Count(); ++i)
            if (list.WorkAt(i)->Date == day && !list.IsLoginAt(i))
                total += list.WorkAt(i)->Total;
        return total;
    }
    TRecordChange AsRest(const TAwayQuestion& question) {
        return BookAwayAsRest(list, timing.RestRanges(), question, problem);
    }
    TRecordChange ToItem(const TAwayQuestion& question, const std::string& item) {
        return BookAwayToItem(list, timing.RestRanges(), question, item, problem);
    }

    static constexpr int Threshold = 600;
    TAwayWatch watch{clock, list, timing.RestRanges()};
    std::string problem;
    const DayNumber march1 = EncodeDate(2005, 3, 1);
};

TEST_F(Away, AReturnAsksAboutTheSpellFromTheLastInputAndRestSplitsTheItem) {
    Press(A);
    RunUntil(10, 0);
    const std::optional<TAwayQuestion> q = AwayFor(35 * 60);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Item, A);
    EXPECT_EQ(Second(q->Spell.From), T(10, 0));
    EXPECT_EQ(Second(q->Spell.To), T(10, 35));
    EXPECT_EQ(q->Seconds, 35 * 60);
    ASSERT_TRUE(watch.OpenQuestion());
    Run(120); // the question is open and the bar goes on timing
    ASSERT_EQ(AsRest(*q), TRecordChange::Made);
    watch.Answered();
    EXPECT_THAT(ReadFile(dir.File("200503.dat")),
                HasSubstr("%LOGIN%,,\"09:00:00,10:37:00,,\",\"10:00:00,10:35:00," + RestName()));
    Run(60);
    EXPECT_EQ(PressedName(buttons), A);
    EXPECT_THAT(Periods(A, march1),
                ElementsAre(Pair(T(9, 0), T(10, 0)), Pair(T(10, 35), T(10, 38))));
    EXPECT_THAT(Periods(LoginName, march1),
                ElementsAre(Pair(T(9, 0), T(10, 38)), Pair(T(10, 0), T(10, 35))));
    EXPECT_EQ(list.FindLogin()->Total, 35 * 60);
    EXPECT_FALSE(watch.OpenQuestion());
}

TEST_F(Away, AnotherItemTakesTheSpellAndTheRunningItemGoesOnFromTheReturn) {
    Press(A);
    RunUntil(10, 0);
    Run(Threshold);
    watch.Idle(seconds(Threshold));
    Run(25 * 60 - 30);
    clock.Advance(30); // the return comes between two ticks
    const std::optional<TAwayQuestion> q = watch.Active();
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Seconds, 35 * 60); // the running item timed up to the return
    EXPECT_EQ(ToItem(*q, A), TRecordChange::NotFound);
    EXPECT_EQ(ToItem(*q, LoginName), TRecordChange::NotFound);
    ASSERT_EQ(ToItem(*q, B), TRecordChange::Made);
    Run(60);
    EXPECT_THAT(Periods(A, march1),
                ElementsAre(Pair(T(9, 0), T(10, 0)), Pair(T(10, 35), T(10, 36))));
    EXPECT_THAT(Periods(B, march1), ElementsAre(Pair(T(10, 0), T(10, 35))));
    EXPECT_EQ(WorkTotal(march1), T(10, 36) - T(9, 0)); // as much as passed
    EXPECT_EQ(list.FindLogin()->Total, 0);
    EXPECT_EQ(list.CurrentWork(), Rec(A));
}

TEST_F(Away, AClockSetBackAfterTheReturnMovesOnlyWhatWasBooked) {
    Press(A);
    RunUntil(10, 0);
    const std::optional<TAwayQuestion> q = AwayFor(35 * 60);
    ASSERT_TRUE(q);
    clock.Set(march1, T(10, 34, 59)); // by a time service
    Tick();
    ASSERT_EQ(ToItem(*q, B), TRecordChange::Made);
    EXPECT_THAT(Periods(B, march1), ElementsAre(Pair(T(10, 0), T(10, 34, 59))));
    EXPECT_EQ(WorkTotal(march1), T(10, 34, 59) - T(9, 0));
    Run(60);
    EXPECT_THAT(Periods(A, march1),
                ElementsAre(Pair(T(9, 0), T(10, 0)), Pair(T(10, 35), T(10, 35, 59))));
}

TEST_F(Away, ALockIsAwayAtOnceAndASecondSpellExtendsTheOpenQuestion) {
    Press(A);
    RunUntil(10, 0);
    watch.Locked(true);
    Run(30);
    EXPECT_FALSE(watch.Locked(false)); // half a minute
    Run(90);
    watch.Locked(true); // 10:02
    Run(5 * 60);
    EXPECT_FALSE(watch.Active()); // typing on the lock screen
    const std::optional<TAwayQuestion> first = watch.Locked(false);
    ASSERT_TRUE(first);
    EXPECT_EQ(Second(first->Spell.From), T(10, 2));
    EXPECT_EQ(first->Seconds, 5 * 60);
    Run(60);
    const std::optional<TAwayQuestion> second = AwayFor(15 * 60);
    ASSERT_TRUE(second);
    EXPECT_EQ(Second(second->Spell.From), T(10, 2));
    EXPECT_EQ(Second(second->Spell.To), T(10, 23));
    EXPECT_EQ(second->Seconds, 21 * 60);
    EXPECT_EQ(watch.OpenQuestion()->Spell, second->Spell);

    watch.Answered();
    watch.SetThreshold(0);
    EXPECT_EQ(watch.WatchAfter().count(), 0);
    EXPECT_FALSE(AwayFor(15 * 60));
    watch.Locked(true);
    Run(120);
    EXPECT_FALSE(watch.Locked(false));
}

TEST_F(Away, NothingIsAskedWithoutAnItemAtTheStartOrWithTooLittleOfItsTime) {
    RunUntil(10, 0); // nothing runs
    EXPECT_FALSE(AwayFor(20 * 60));
    Press(A);
    Run(5 * 60);
    EXPECT_FALSE(AwayFor(9 * 60)); // the source never tells
    SetRestTimes("640:700");       // the rest item runs from 10:40
    RunUntil(10, 45);
    EXPECT_FALSE(AwayFor(20 * 60));
    // The time in a configured rest period counts for nothing.
    settings.AutoRestSwitch = false;
    SetRestTimes("660:720");
    Press(A);
    RunUntil(11, 10);
    EXPECT_FALSE(AwayFor(30 * 60));
    // Nor does a sleep that was taken out already.
    SetRestTimes("");
    RunUntil(13, 0);
    Run(3 * 60);
    clock.Sleep(3600);
    Tick();
    watch.Idle(seconds(63 * 60));
    Run(2 * 60);
    EXPECT_FALSE(watch.Active());
    EXPECT_EQ(PressedName(buttons), A);
}

TEST_F(Away, PartsInAConfiguredRestPeriodAreNotMoved) {
    settings.AutoRestSwitch = false; // the item was timed through the rest period
    SetRestTimes("600:620");
    Press(A);
    RunUntil(9, 50);
    const std::optional<TAwayQuestion> q = AwayFor(40 * 60);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Seconds, 20 * 60);
    ASSERT_EQ(AsRest(*q), TRecordChange::Made);
    EXPECT_THAT(Periods(A, march1), ElementsAre(Pair(T(9, 0), T(9, 50)), Pair(T(10, 0), T(10, 20)),
                                                Pair(T(10, 30), T(10, 30))));
    EXPECT_THAT(Periods(LoginName, march1),
                ElementsAre(Pair(T(9, 0), T(10, 30)), Pair(T(9, 50), T(10, 0)),
                            Pair(T(10, 20), T(10, 30))));
}

TEST_F(Away, ASleepInTheSpellIsRestOnce) {
    Press(A);
    RunUntil(10, 0);
    Run(Threshold);
    watch.Idle(seconds(Threshold));
    clock.Sleep(3600); // 10:10 to 11:10
    Tick();
    Run(5 * 60);
    const std::optional<TAwayQuestion> q = watch.Active();
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Seconds, 15 * 60);
    ASSERT_EQ(AsRest(*q), TRecordChange::Made);
    EXPECT_THAT(Periods(LoginName, march1),
                ElementsAre(Pair(T(9, 0), T(11, 15)), Pair(T(10, 0), T(11, 15))));
    EXPECT_EQ(list.FindLogin()->Total, 75 * 60);
    EXPECT_THAT(Periods(A, march1),
                ElementsAre(Pair(T(9, 0), T(10, 0)), Pair(T(11, 15), T(11, 15))));
}

TEST_F(Away, RestOverMidnightEndsTheDayAtTheSpellAndStartsTheNextAtTheReturn) {
    StartAt(march1, T(22, 0));
    Press(A);
    RunUntil(23, 30);
    const std::optional<TAwayQuestion> q = AwayFor(8 * 3600 + 30 * 60);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->Seconds, 8 * 3600 + 30 * 60);
    ASSERT_EQ(AsRest(*q), TRecordChange::Made);
    Run(60);
    EXPECT_THAT(Periods(A, march1), ElementsAre(Pair(T(22, 0), T(23, 30))));
    EXPECT_THAT(Periods(LoginName, march1),
                ElementsAre(Pair(T(9, 0), SecondsPerDay), Pair(T(23, 30), SecondsPerDay)));
    const DayNumber march2 = march1 + 1;
    EXPECT_THAT(Periods(A, march2), ElementsAre(Pair(T(8, 0), T(8, 1))));
    EXPECT_THAT(Periods(LoginName, march2), ElementsAre(Pair(T(8, 0), T(8, 1))));
}

class AwayOverTheMonthEnd : public Away {
protected:
    AwayOverTheMonthEnd() {
        StartAt(EncodeDate(2005, 3, 31), T(23, 0));
        Press(A);
        RunUntil(23, 50);
    }
    std::string March() const { return ReadFile(dir.File("200503.dat")); }
    const DayNumber april1 = EncodeDate(2005, 4, 1);
};

TEST_F(AwayOverTheMonthEnd, RestChangesTheMonthFileTheBarSaved) {
    const std::optional<TAwayQuestion> q = AwayFor(8 * 3600 + 10 * 60);
    ASSERT_TRUE(q);
    ASSERT_EQ(list.CurrentDate(), april1);
    ASSERT_EQ(AsRest(*q), TRecordChange::Made);
    EXPECT_THAT(March(), HasSubstr("2005/03/31," + A + ",,\"23:00:00,23:50:00,,\"\r\n"));
    EXPECT_THAT(March(), HasSubstr("2005/03/31,%LOGIN%,,\"23:00:00,00:00:00,,\",\"23:50:00,"
                                   "00:00:00," +
                                   RestName()));
    EXPECT_THAT(Periods(LoginName, april1), ElementsAre(Pair(T(8, 0), T(8, 0))));
    // The month as the answer wrote it comes back byte for byte.
    const std::string written = March();
    TDataList reread(clock, reporter);
    reread.KeepsLoginRecord = false;
    reread.SetDataDir(dir.Path());
    reread.ChangeDate(EncodeDate(2005, 3, 31));
    ASSERT_TRUE(reread.SaveMonth());
    EXPECT_EQ(March(), written);
}

TEST_F(AwayOverTheMonthEnd, AnotherItemChangesTheMonthTheBarKeepsUnsaved) {
    DiskFullWriter full;
    list.SetWriter(&full); // March cannot be written at midnight
    const std::optional<TAwayQuestion> q = AwayFor(8 * 3600 + 10 * 60);
    ASSERT_TRUE(q);
    ASSERT_TRUE(list.HoldsUnsavedMonth(EncodeDate(2005, 3, 31)));
    ASSERT_EQ(ToItem(*q, B), TRecordChange::Made);
    EXPECT_THAT(Periods(B, april1), ElementsAre(Pair(0, T(8, 0))));
    full.Full = false;
    ASSERT_TRUE(list.SaveIfAllowed());
    EXPECT_THAT(March(), HasSubstr("2005/03/31," + B + ",,\"23:50:00,00:00:00,,\"\r\n"));
    EXPECT_THAT(March(), HasSubstr("2005/03/31," + A + ",,\"23:00:00,23:50:00,,\"\r\n"));
}

} // namespace
} // namespace zanpel::test
