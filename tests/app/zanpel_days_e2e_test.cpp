// The real bar through whole days on its test clock: a date and time set by a
// file (as a change of the system's time does) and sleeps of the machine
// written into another. The month file comes out right, and zanpelctl check
// finds nothing wrong in the folder.
#include "programfixture.h"
#include "support/zanpel.h"
#include "support/zanpelctl.h"

#include <gmock/gmock.h>

#include <unistd.h>

#include <csignal>
#include <filesystem>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;
using ::testing::SizeIs;

// The periods ("hh:mm:ss" start and end) of the line that begins with
// prefix in a month file's text.
std::vector<std::pair<std::string, std::string>> PeriodsOfLine(const std::string& text,
                                                               const std::string& prefix) {
    std::vector<std::pair<std::string, std::string>> periods;
    const size_t begin = text.find(prefix);
    if (begin == std::string::npos)
        return periods;
    const std::string line = text.substr(begin, text.find("\r\n", begin) - begin);
    for (size_t at = line.find('"'); at != std::string::npos; at = line.find('"', at + 1))
        if (at + 18 < line.size() && line[at + 3] == ':' && line[at + 9] == ',')
            periods.emplace_back(line.substr(at + 1, 8), line.substr(at + 10, 8));
    return periods;
}

class ProgramDays : public Program {
protected:
    std::map<std::string, std::string> ClockEnv() const {
        auto env = Env();
        env["ZANPEL_TEST_CLOCK_FILE"] = data.File("now");
        env["ZANPEL_TEST_SLEEP_FILE"] = data.File("slept");
        env["TZ"] = "UTC";
        return env;
    }
    // From now on the bar's clock says text ("YYYY-MM-DD hh:mm:ss") and runs on.
    void SetClock(const std::string& text) { WriteFile(data.File("now"), text + "\n"); }
    std::unique_ptr<BackgroundProcess> StartBar() {
        std::filesystem::remove(data.File("trace"));
        auto bar = StartZanpel(ClockEnv());
        EXPECT_TRUE(Traced("started"));
        return bar;
    }
    void HandOver(const std::string& item) {
        ASSERT_EQ(RunProcess(ZanpelCommand({item}), ClockEnv()).ExitCode, 0);
        ASSERT_TRUE(Traced("handover item " + item));
    }
    static void Pause(double seconds) { ::usleep(static_cast<useconds_t>(seconds * 1e6)); }
    void End(std::unique_ptr<BackgroundProcess>& bar) {
        bar->Signal(SIGTERM);
        ASSERT_EQ(bar->Wait(20000), 0);
    }
    void ExpectCheckIsClean() {
        const ProcessResult check = RunZanpelctl({"check"}, ClockEnv());
        EXPECT_EQ(check.ExitCode, 0) << check.Out << check.Err;
        EXPECT_THAT(check.Out, HasSubstr("エラー: 0"));
    }
    std::string March() const { return ReadFile(data.File("200503.dat")); }
};

TEST_F(ProgramDays, AnItemLeftRunningOverAWholeDayKeepsThatDay) {
    SetClock("2005-03-04 23:59:40"); // a Friday evening
    auto bar = StartBar();
    HandOver("会議");
    SetClock("2005-03-04 23:59:57");
    Pause(3.5); // past midnight
    SetClock("2005-03-05 23:59:58");
    Pause(3); // past the next midnight: the machine was on all Saturday
    End(bar);
    const std::string march = March();
    EXPECT_THAT(march, HasSubstr("2005/03/05," + Sjis("会議") + ",,\"00:00:00,00:00:00,,\"\r\n"));
    EXPECT_THAT(march, HasSubstr("2005/03/05,%LOGIN%,,\"00:00:00,00:00:00,,\"\r\n"));
    ExpectCheckIsClean();
    const ProcessResult summary = RunZanpelctl({"summary", "200503"}, ClockEnv());
    EXPECT_THAT(summary.Out, HasSubstr("03/05\t24.0\t00:00:00\t00:00:00")) << summary.Out;
}

TEST_F(ProgramDays, ASleepOnTheMorningAfterAnIdleNightLeavesTheDayBeforeAsItWas) {
    WriteFile(data.File("zanpel.ini"), "STARTSELECT=0\r\n");
    SetClock("2005-03-01 09:00:00");
    auto bar = StartBar();
    HandOver("会議");
    Pause(1.5);
    SetClock("2005-03-01 18:00:00");
    Pause(1.5);
    End(bar); // nothing runs after the next start

    SetClock("2005-03-01 18:00:05");
    bar = StartBar();
    SetClock("2005-03-02 11:59:00"); // the bar stood idle all night
    Pause(1.5);
    WriteFile(data.File("slept"), "3600\n");
    ASSERT_TRUE(Traced("woke after 3600 s"));
    End(bar);
    const std::string march = March();
    EXPECT_THAT(march, HasSubstr("2005/03/01,%LOGIN%,,\"09:00:00,18:00:0"));
    EXPECT_THAT(march, Not(HasSubstr("2005/03/01,%LOGIN%,,\"09:00:00,11:")));
    EXPECT_THAT(march, HasSubstr("2005/03/02,%LOGIN%,,\"12:59:0"));
    ExpectCheckIsClean();
}

TEST_F(ProgramDays, AClockSetBackOverMidnightBooksNoDayTwiceAndNoPhantomHours) {
    SetClock("2026-05-12 23:59:50");
    auto bar = StartBar();
    HandOver("設計");
    SetClock("2026-05-12 23:59:57");
    Pause(6);                            // past midnight
    SetClock("2026-05-12 23:59:54 set"); // the system's time set back some seconds
    ASSERT_TRUE(Traced("clock set by -"));
    Pause(12); // past midnight again, and past where the clock stood before
    End(bar);
    const std::string may = ReadFile(data.File("202605.dat"));
    const std::string item = Sjis("設計") + ",,";
    const auto may12 = PeriodsOfLine(may, "2026/05/12," + item);
    ASSERT_THAT(may12, SizeIs(1));
    EXPECT_EQ(may12[0].second, "00:00:00");
    const auto may13 = PeriodsOfLine(may, "2026/05/13," + item);
    ASSERT_THAT(may13, Not(IsEmpty()));
    EXPECT_EQ(may13.front().first, "00:00:00");
    for (size_t i = 0; i < may13.size(); ++i) {
        EXPECT_LT(may13[i].first, may13[i].second) << may;
        EXPECT_LT(may13[i].second, "00:01:00") << may; // no phantom day
        if (i > 0) {
            EXPECT_LE(may13[i - 1].second, may13[i].first) << may;
        }
    }
    ExpectCheckIsClean();
}

} // namespace
} // namespace zanpel::test
