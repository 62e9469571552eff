// A clock set forward or back while an item runs (by hand, by a time
// service, a change of the local time): the timing engine on a fixed clock
// whose date and time jump while the time that really passes runs on.
#include "timingfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::Pair;

class ClockStep : public Timing {
protected:
    ClockStep() {
        timing.OnClockStep = [this](const TClockStep& step) { steps.push_back(step.Seconds); };
    }
    // The clock is set, and the next timer fires at once.
    void SetClock(DayNumber day, Seconds s) {
        clock.Set(day, s);
        Tick();
    }
    std::string MonthFile(int year, int month) const {
        return ReadFile(dir.File(TDataList::MonthFileName(EncodeDate(year, month, 1))));
    }
    // An item runs from 23:59:42 of day until 00:00:20 of the next.
    void RunOverMidnight(DayNumber day) {
        StartAt(day, T(23, 59, 42));
        Press(A);
        Run(38);
        ASSERT_EQ(list.CurrentDate(), day + 1);
    }

    std::vector<int64_t> steps;
};

TEST_F(ClockStep, BackOverMidnightBooksNothingTwiceAndGoesOnAfterTheBookedTime) {
    const DayNumber may12 = EncodeDate(2026, 5, 12);
    RunOverMidnight(may12);
    const auto loginBefore = Periods(LoginName, may12);
    SetClock(may12, T(23, 59, 57));
    EXPECT_THAT(steps, ElementsAre(-23));
    EXPECT_EQ(list.CurrentDate(), may12); // back on the new time's day
    EXPECT_EQ(PressedName(buttons), A);
    Run(63); // to 00:01:00, past where the clock stood before
    EXPECT_THAT(Periods(A, may12), ElementsAre(Pair(T(23, 59, 42), SecondsPerDay)));
    EXPECT_EQ(Periods(LoginName, may12), loginBefore);
    EXPECT_THAT(Periods(A, may12 + 1), ElementsAre(Pair(0, 20), Pair(20, 60)));
    EXPECT_THAT(Periods(LoginName, may12 + 1), ElementsAre(Pair(0, 60)));
    list.SaveIfAllowed();
    const std::string may = MonthFile(2026, 5);
    EXPECT_THAT(may, HasSubstr("2026/05/12," + A + ",,\"23:59:42,00:00:00,,\"\r\n"));
    EXPECT_THAT(may, HasSubstr("2026/05/13," + A +
                               ",,\"00:00:00,00:00:20,,\",\"00:00:20,00:01:00,,\"\r\n"));
}

TEST_F(ClockStep, TheRestItemSetBackOntoADayRestedToItsEndWritesNoWholeDayOfRest) {
    settings.AutoRestSwitch = false;
    const DayNumber may12 = EncodeDate(2026, 5, 12);
    StartAt(may12, T(23, 59, 42));
    Press(RestName());
    Run(38);
    const auto loginBefore = Periods(LoginName, may12);
    SetClock(may12, T(23, 59, 57)); // the month is saved at the step
    EXPECT_THAT(MonthFile(2026, 5), Not(HasSubstr(",\"00:00:00,00:00:00," + RestName())));
    Run(63);
    EXPECT_EQ(Periods(LoginName, may12), loginBefore);
}

TEST_F(ClockStep, BackAcrossAMonthEndGoesBackToTheOldMonthAndWritesNothingToIt) {
    const DayNumber may31 = EncodeDate(2026, 5, 31);
    RunOverMidnight(may31);
    const std::string mayAtMidnight = MonthFile(2026, 5); // saved at the change of month
    SetClock(may31, T(23, 59, 57));
    EXPECT_EQ(list.CurrentDate(), may31);
    EXPECT_THAT(list.MonthFile(), HasSubstr("202605.dat"));
    // June as far as it ran before the step is saved as the list leaves it.
    EXPECT_THAT(MonthFile(2026, 6), HasSubstr("2026/06/01," + A + ",,\"00:00:00,00:00:20,,\"\r\n"));
    Run(63);
    EXPECT_EQ(list.CurrentDate(), may31 + 1);
    list.SaveIfAllowed();
    EXPECT_EQ(MonthFile(2026, 5), mayAtMidnight);
    EXPECT_THAT(
        MonthFile(2026, 6),
        HasSubstr("2026/06/01," + A + ",,\"00:00:00,00:00:20,,\",\"00:00:20,00:01:00,,\"\r\n"));
}

TEST_F(ClockStep, ASecondBackOverMidnightIsNoStepAndBooksNoDay) {
    const DayNumber may12 = EncodeDate(2026, 5, 12);
    StartAt(may12, T(23, 59, 58));
    Press(A);
    Run(2);
    SetClock(may12, T(23, 59, 59));
    EXPECT_THAT(Periods(A, may12 + 1), ElementsAre(Pair(0, 0))); // waits for its day
    Run(5);
    EXPECT_THAT(steps, IsEmpty());
    EXPECT_EQ(list.CurrentDate(), may12 + 1);
    EXPECT_THAT(Periods(A, may12), ElementsAre(Pair(T(23, 59, 58), SecondsPerDay)));
    EXPECT_THAT(Periods(A, may12 + 1), ElementsAre(Pair(0, 4)));
}

TEST_F(ClockStep, ASecondBackWithinTheDayStartsNothingInTimeBookedAlready) {
    Press(A);
    Run(60);
    Press(B);
    SetClock(Today(clock), T(9, 0, 59));
    Press(B);
    Press(A);
    Run(60);
    EXPECT_THAT(steps, IsEmpty());
    EXPECT_THAT(Periods(A, Today(clock)),
                ElementsAre(Pair(T(9, 0), T(9, 1)), Pair(T(9, 1), T(9, 1, 59))));
}

TEST_F(ClockStep, BackWithinTheDayKeepsThePeriodThatRanAndEveryPeriodInTheSpan) {
    const DayNumber day = Today(clock);
    StartAt(day, T(10, 0, 2));
    Press(A);
    Run(5); // 10:00:07
    SetClock(day, T(9, 59, 0));
    Run(3);
    Press(B); // the old clock booked the time up to 10:00:07 already
    Run(4);
    Press(B);
    EXPECT_THAT(Periods(A, day), ElementsAre(Pair(T(10, 0, 2), T(10, 0, 7))));
    EXPECT_THAT(Periods(B, day), IsEmpty());
    EXPECT_THAT(Periods(LoginName, day), ElementsAre(Pair(T(9, 0), T(10, 0, 7))));
    Press(B);
    RunUntil(10, 1);
    EXPECT_THAT(Periods(B, day), ElementsAre(Pair(T(10, 0, 7), T(10, 1))));
    EXPECT_THAT(Periods(LoginName, day), ElementsAre(Pair(T(9, 0), T(10, 1))));
    EXPECT_EQ(steps.size(), 1u);
}

TEST_F(ClockStep, BackBeforeTheSpanBeganWidensTheSpanToTheNewPeriod) {
    Press(A); // 9:00, as the computer-on span
    SetClock(Today(clock), T(8, 58));
    Run(60);
    EXPECT_THAT(Periods(A, Today(clock)), ElementsAre(Pair(T(8, 58), T(8, 59))));
    EXPECT_THAT(Periods(LoginName, Today(clock)), ElementsAre(Pair(T(8, 58), T(9, 0))));
}

TEST_F(ClockStep, AResetOfTheRunningItemAfterAStepBackGoesOnAfterTheBookedTime) {
    Press(A);
    Run(60);
    Press(B);
    Run(60); // 9:02
    SetClock(Today(clock), T(9, 0, 30));
    timing.PopupMenu1Popup(&buttons.Buttons(buttons.IndexOfName(B)));
    ui.Answers = {true};
    timing.N_ResetClick();
    Run(120);
    EXPECT_THAT(Periods(A, Today(clock)), ElementsAre(Pair(T(9, 0), T(9, 1))));
    EXPECT_THAT(Periods(B, Today(clock)), ElementsAre(Pair(T(9, 1), T(9, 2, 30)))); // after A
}

TEST_F(ClockStep, ForwardDaysWithoutSleepBooksNoneOfTheSkippedTime) {
    const DayNumber may12 = EncodeDate(2026, 5, 12);
    StartAt(may12, T(10, 0));
    Press(A);
    Run(5);
    SetClock(may12 + 3, T(10, 0));
    Run(60);
    EXPECT_THAT(steps, ElementsAre(3 * SecondsPerDay - 5));
    EXPECT_THAT(Periods(A, may12), ElementsAre(Pair(T(10, 0), T(10, 0, 5))));
    EXPECT_THAT(Periods(LoginName, may12), ElementsAre(Pair(T(10, 0), T(10, 0, 5))));
    for (const DayNumber skipped : {may12 + 1, may12 + 2})
        EXPECT_EQ(list.Find(skipped, LoginName), nullptr);
    EXPECT_THAT(Periods(A, may12 + 3), ElementsAre(Pair(T(10, 0), T(10, 1))));
    EXPECT_THAT(MonthFile(2026, 5), Not(HasSubstr("2026/05/12," + A + ",,\"10:00:00,00:00:00")));
}

TEST_F(ClockStep, ForwardWithinTheDayIsARestAndSmallDifferencesAreNoStep) {
    Press(A);
    Run(60);
    SetClock(Today(clock), T(9, 1, 1)); // a second: what a time service may correct
    EXPECT_THAT(steps, IsEmpty());
    SetClock(Today(clock), T(11, 0));
    Run(60);
    EXPECT_THAT(Periods(A, Today(clock)),
                ElementsAre(Pair(T(9, 0), T(9, 1, 1)), Pair(T(11, 0), T(11, 1))));
    EXPECT_THAT(Periods(LoginName, Today(clock)),
                ElementsAre(Pair(T(9, 0), T(11, 1)), Pair(T(9, 1, 1), T(11, 0))));
}

} // namespace
} // namespace zanpel::test
