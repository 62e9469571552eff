// The away question's text: the spell's times and whole minutes, its days
// named when it passes midnight.
#include "app/awaytext.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

TEST(AwaySpellText, TimesMinutesAndTheDaysOverMidnight) {
    const DayNumber day = MakeDate(2026, 12, 7);
    const auto at = [](DayNumber d, int h, int m, int s = 0) {
        return MakeDateTime(d, h * 3600 + m * 60 + s);
    };
    EXPECT_EQ(AwaySpellText(at(day, 10, 12), at(day, 10, 47)),
              "離席していました: 10:12–10:47 (35 分)");
    // Minutes as the clock shows them: 10:12:59 to 10:47:00 is 10:12–10:47.
    EXPECT_EQ(AwaySpellText(at(day, 10, 12, 59), at(day, 10, 47)),
              "離席していました: 10:12–10:47 (35 分)");
    EXPECT_EQ(AwaySpellText(at(day, 23, 50), at(day + 1, 0, 20)),
              "離席していました: 12/07 23:50–12/08 00:20 (30 分)");
    EXPECT_EQ(AwaySpellText(at(MakeDate(2026, 12, 31), 23, 0), at(MakeDate(2027, 1, 1), 9, 5)),
              "離席していました: 12/31 23:00–01/01 09:05 (605 分)");
}

} // namespace
} // namespace zanpel::test
