// The real bar over a sleep of the machine, through its test clock: the
// running item's period ends at the sleep and goes on after it, and the
// sleep is a rest period of the computer-on record, in the month file.
#include "programfixture.h"
#include "records/csvfile.h"
#include "support/zanpel.h"

#include <gmock/gmock.h>

#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>

namespace zanpel::test {
namespace {

// A time zone in which it is about ten in the morning now, so that an hour
// of sleep never crosses midnight.
std::string MorningTimeZone() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    int offset = 10 - utc.tm_hour;
    if (offset < -12)
        offset += 24;
    return "ZZZ" + std::to_string(-offset); // POSIX counts west of Greenwich
}

// The periods (start, end in seconds) of the record named name in a month file.
std::vector<std::pair<Seconds, Seconds>> PeriodsOf(const std::string& month,
                                                   const std::string& name) {
    std::vector<std::pair<Seconds, Seconds>> periods;
    LineReader reader(month);
    std::string_view line;
    while (reader.Next(line)) {
        const StringList items = Split(line);
        if (items.size() < 2 || items[1] != name)
            continue;
        for (size_t k = 3; k < items.size(); ++k) {
            const StringList sub = Split(items[k]);
            periods.emplace_back(ParseTime(sub[0]), ParseTime(sub[1]));
        }
    }
    return periods;
}

// The bar on its test clock, which the seconds written into clockFile move
// on, in a zone where it is about ten in the morning.
class ProgramOnTestClock : public Program {
protected:
    ProgramOnTestClock() : env(Env()) {
        env["ZANPEL_TEST_SLEEP_FILE"] = clockFile;
        env["TZ"] = MorningTimeZone();
    }
    // Starts the bar and hands 会議 over to it, which then runs.
    std::unique_ptr<BackgroundProcess> StartMeeting() {
        auto bar = StartZanpel(env);
        EXPECT_TRUE(Traced("started"));
        EXPECT_EQ(RunProcess(ZanpelCommand({"会議"}), env).ExitCode, 0);
        EXPECT_TRUE(Traced("handover item 会議"));
        return bar;
    }
    const std::string clockFile = data.File("slept");
    std::map<std::string, std::string> env;
};

TEST_F(ProgramOnTestClock, ASleepOfTheMachineIsNoWorkInTheMonthFile) {
    auto bar = StartMeeting();
    ::usleep(2500 * 1000);
    WriteFile(clockFile, "3300\n"); // 55 minutes asleep
    ASSERT_TRUE(Traced("woke after 3300 s"));
    ::usleep(2500 * 1000);
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);

    const std::string month = MonthFiles(data.Path());
    const auto work = PeriodsOf(month, Sjis("会議"));
    ASSERT_EQ(work.size(), 2u) << month;
    EXPECT_NEAR(work[1].first - work[0].second, 3300, 2) << month;
    EXPECT_GE(work[1].second - work[1].first, 2);
    const auto login = PeriodsOf(month, "%LOGIN%");
    ASSERT_EQ(login.size(), 2u) << month;
    EXPECT_NEAR(login[1].second - login[1].first, 3300, 2) << month;
    EXPECT_THAT(month, ::testing::HasSubstr(Sjis(",休憩,")));
}

TEST_F(ProgramOnTestClock, AnEndWhileTheAutosavesErrorIsShownKeepsTheRunningItemsTime) {
    WriteFile(data.File("zanpel.ini"), "AUTOSAVE=1\r\n");
    auto bar = StartMeeting();
    // The month file's place is taken, and the clock moves on by less than
    // a sleep but enough for the autosave, which fails.
    ::setenv("TZ", env["TZ"].c_str(), 1);
    ::tzset();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    ::unsetenv("TZ");
    ::tzset();
    char month[16];
    std::strftime(month, sizeof month, "%Y%m.dat", &local);
    std::filesystem::create_directory(data.File(month));
    ::usleep(1500 * 1000);
    WriteFile(clockFile, "59\n");
    ASSERT_TRUE(Traced("error データが書込めません!"));
    ::usleep(3000 * 1000); // the box stays open
    std::filesystem::remove(data.File(month));
    bar->Signal(SIGTERM);
    ASSERT_EQ(bar->Wait(20000), 0);

    // The item ran until the end, as the computer did.
    const std::string saved = MonthFiles(data.Path());
    const auto work = PeriodsOf(saved, Sjis("会議"));
    const auto login = PeriodsOf(saved, "%LOGIN%");
    ASSERT_FALSE(work.empty()) << saved;
    ASSERT_FALSE(login.empty()) << saved;
    EXPECT_NEAR(work.back().second, login.front().second, 1) << saved;
}

} // namespace
} // namespace zanpel::test
