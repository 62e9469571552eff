// Time asleep is not work: the timing engine on a fixed clock whose machine
// sleeps for seconds, an hour or a night.
#include "timingfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

class Sleep : public Timing {
protected:
    Sleep() {
        settings.MergeSeconds = 600; // long enough to join across a short sleep
        list.SetMergeSeconds(settings.MergeSeconds);
    }
    // The machine sleeps, and the first timer after the wake-up fires.
    void SleepFor(int seconds) {
        clock.Sleep(seconds);
        Tick();
    }

    const DayNumber march1 = EncodeDate(2005, 3, 1);
};

using ::testing::ElementsAre;
using ::testing::Pair;

TEST_F(Sleep, HalfAMinuteAsleepChangesNothing) {
    Press(A);
    Run(3600);
    SleepFor(30);
    Run(60);
    EXPECT_THAT(Periods(A, march1), ElementsAre(Pair(T(9, 0), T(10, 1, 30))));
    EXPECT_EQ(list.FindLogin()->Periods.size(), 1u);
}

TEST_F(Sleep, ALunchSleepSplitsTheRunningPeriodAndBecomesARestPeriod) {
    Press(A);
    Run(3 * 3600); // to 12:00
    SleepFor(55 * 60);
    Run(60);
    EXPECT_EQ(PressedName(buttons), A); // still pressed
    EXPECT_THAT(Periods(A, march1),
                ElementsAre(Pair(T(9, 0), T(12, 0)), Pair(T(12, 55), T(12, 56))));
    EXPECT_THAT(Periods(LoginName, march1),
                ElementsAre(Pair(T(9, 0), T(12, 56)), Pair(T(12, 0), T(12, 55))));
    EXPECT_EQ(list.FindLogin()->Periods[1].Category, RestName());
    EXPECT_EQ(list.FindLogin()->Total, 55 * 60);
    EXPECT_EQ(buttons.Buttons(0).TimeText, "03:01:00");
    // Saved at the wake-up, before any autosave was due.
    EXPECT_THAT(ReadFile(dir.File("200503.dat")),
                HasSubstr("2005/03/01,%LOGIN%,,\"09:00:00,12:55:00,,\",\"12:00:00,12:55:00,"));
}

TEST_F(Sleep, ARestPeriodAlreadyThereIsNotCountedTwice) {
    settings.RestTimes = "720:780";
    timing.LoadRestRanges();
    Press(A);
    Run(3 * 3600 + 10 * 60); // the rest item runs from 12:00
    ASSERT_EQ(PressedName(buttons), RestName());
    SleepFor(60 * 60); // 12:10 to 13:10
    Run(5);
    EXPECT_EQ(PressedName(buttons), A); // back after the rest period
    // 12:00-12:10 resting, 12:10-13:10 asleep: rest all of it, no overlap.
    EXPECT_EQ(list.FindLogin()->Total, 70 * 60);
    EXPECT_THAT(Periods(A, march1).back(), Pair(T(13, 10), T(13, 10, 5)));
}

TEST_F(Sleep, ASleepWhileNothingRunsOnlyChangesTheComputerOnRecord) {
    Press(A);
    Run(3600);
    Press(A);
    Run(3600); // to 11:00, nothing runs
    SleepFor(2 * 3600);
    EXPECT_THAT(Periods(A, march1), ElementsAre(Pair(T(9, 0), T(10, 0))));
    EXPECT_THAT(Periods(LoginName, march1).back(), Pair(T(11, 0), T(13, 0)));
    EXPECT_EQ(buttons.Current(), nullptr);
}

TEST_F(Sleep, ANightAcrossTheEndOfAMonthLeavesNoPeriodInTheNight) {
    StartAt(EncodeDate(2005, 3, 31), T(17, 0));
    Press(A);
    Run(90 * 60);                  // to 18:30
    SleepFor(14 * 3600 + 15 * 60); // wakes at 08:45 on 1 April
    Run(60);
    const DayNumber april1 = EncodeDate(2005, 4, 1);
    EXPECT_EQ(list.CurrentDate(), april1);
    EXPECT_EQ(PressedName(buttons), A);
    const std::string march = ReadFile(dir.File("200503.dat"));
    EXPECT_THAT(march, HasSubstr("2005/03/31," + A + ",,\"17:00:00,18:30:00,,\"\r\n"));
    EXPECT_THAT(march, HasSubstr("2005/03/31,%LOGIN%,,\"17:00:00,18:30:00,,\"\r\n"));
    EXPECT_THAT(Periods(A, april1), ElementsAre(Pair(T(8, 45), T(8, 46))));
    EXPECT_EQ(Periods(LoginName, april1).front().first, T(8, 45));
}

TEST_F(Sleep, ASleepOnTheMorningAfterAnIdleNightLeavesTheDayBeforeAsItWas) {
    for (const int asleepHour : {12, 7}) {
        SCOPED_TRACE(asleepHour);
        const DayNumber day1 = march1 + (asleepHour == 12 ? 0 : 10);
        StartAt(day1, T(9, 0));
        Press(A);
        Run(9 * 3600, 60);
        Press(A); // 18:00; the bar stays idle overnight
        Run((6 + asleepHour) * 3600, 60);
        SleepFor(3600);
        EXPECT_THAT(Periods(LoginName, day1).front(), Pair(T(9, 0), T(18, 0)));
        EXPECT_EQ(list.Find(day1, LoginName)->Total, 0);
        EXPECT_EQ(list.CurrentDate(), day1 + 1);
        EXPECT_THAT(Periods(LoginName, day1 + 1),
                    ElementsAre(Pair(T(asleepHour + 1, 0), T(asleepHour + 1, 0))));
        EXPECT_THAT(ReadFile(dir.File("200503.dat")),
                    HasSubstr(FormatDate(day1) + ",%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n"));
    }
}

TEST_F(Sleep, APressRightAfterTheWakeUpDoesNotClaimTheSleep) {
    Press(A);
    Run(3600);
    clock.Sleep(2 * 3600); // no timer has fired since
    Press(B);
    EXPECT_THAT(Periods(A, march1), ElementsAre(Pair(T(9, 0), T(10, 0))));
    EXPECT_THAT(Periods(LoginName, march1).back(), Pair(T(10, 0), T(12, 0)));
    EXPECT_EQ(list.CurrentWork(), Rec(B));
}

TEST_F(Sleep, ANightWhileNothingRunsStartsTheNewDayAtTheWakeUp) {
    Press(A);
    Run(3600);
    Press(A);
    Run(8 * 3600); // 18:00, nothing runs
    SleepFor(15 * 3600);
    EXPECT_EQ(list.CurrentDate(), march1 + 1);
    EXPECT_THAT(ReadFile(dir.File("200503.dat")),
                HasSubstr("2005/03/01,%LOGIN%,,\"09:00:00,18:00:00,,\""));
    EXPECT_EQ(Periods(LoginName, march1 + 1).front().first, T(9, 0));
}

} // namespace
} // namespace zanpel::test
