// The computer-on records widened to the journal's days: spans only grow,
// rest periods stay, and other months are left alone.
#include "tracking/eventlog.h"
#include "worklist/worklistfixture.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace zanpel::test {
namespace {

TLoginTime Day(int m, int d, Seconds first, Seconds last) {
    return {EncodeDate(2005, m, d), first, last, {}};
}

class LoginSync : public WorkListTest {
protected:
    LoginSync() {
        list.KeepsLoginRecord = false;
        list.ChangeDate(march1);
    }
    TWorkInfo* Login(DayNumber day) { return list.Find(day, LoginName); }
    TWorkInfo* AddLogin(Seconds start, Seconds end) {
        TWorkInfo* login = list.AddWork(TWorkInfo{march1, LoginName, {}, 0, {}});
        list.AddPeriod(login, TWorkData{{}, {}, start, end});
        return login;
    }
    static TEventLog Log(std::vector<TLoginTime> days) {
        TEventLog log;
        for (const TLoginTime& day : days)
            log.AddTime(day);
        return log;
    }
};

TEST_F(LoginSync, SpansOnlyGrowAndOtherMonthsAreLeftAlone) {
    TWorkInfo* march1Login = AddLogin(9 * 3600, 17 * 3600 + 1800);
    list.AddPeriod(march1Login, TWorkData{{}, {}, 12 * 3600, 13 * 3600});
    const TWorkInfo before = *march1Login;

    TEventLog failed = Log({Day(3, 1, 0, 86399)});
    failed.ErrorCode = EACCES;
    list.SyncLoginTimes(failed);
    EXPECT_EQ(*Login(march1), before);

    list.SyncLoginTimes(Log({Day(3, 2, 29400, 67500), Day(3, 1, 30600, 61200), Day(2, 28, 0, 86399),
                             Day(4, 1, 0, 86399)}));
    TWorkInfo widened = before;
    widened.Periods[0].StartSec = 30600;
    EXPECT_EQ(*Login(march1), widened); // the rest period and the rest total stay
    ASSERT_NE(Login(EncodeDate(2005, 3, 2)), nullptr);
    EXPECT_EQ(Login(EncodeDate(2005, 3, 2))->Periods,
              (std::vector{TWorkData{{}, {}, 29400, 67500}}));
    EXPECT_EQ(list.Count(), 2);

    list.SyncLoginTimes(Log({Day(3, 1, 36000, 40000)}));
    EXPECT_EQ(*Login(march1), widened);
}

TEST_F(LoginSync, ASpanPastMidnightStaysShorterThanADayAndSurvivesTheFile) {
    AddLogin(20 * 3600, 25 * 3600); // 20:00 to 01:00 of the next day
    list.SyncLoginTimes(Log({Day(3, 1, 600, 82800)}));
    ASSERT_TRUE(list.SaveMonth());
    ASSERT_TRUE(list.LoadMonth());
    EXPECT_EQ(Login(march1)->Periods, (std::vector{TWorkData{{}, {}, 3601, 25 * 3600}}));
}

} // namespace
} // namespace zanpel::test
