// The time zone on Windows: a TZ of the POSIX form that the C runtime reads
// (JST-9) applies; a zone name it would misread as UTC (Asia/Tokyo, as
// Cygwin's shell sets it) leaves Windows' own zone in force.
#include "cli/timezone.h"
#include "support/testplatform.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace zanpel::test {
namespace {

// The hour of the day that the C runtime gives for 1970-01-02 00:00 UTC.
int LocalHourAtADayStart() {
    const std::time_t dayStart = 24 * 3600;
    std::tm local{};
    localtime_r(&dayStart, &local);
    return local.tm_hour;
}

// That hour in Windows' own zone, without its daylight saving (none in January
// where the tests run, or an hour more).
int WindowsZoneHour() {
    TIME_ZONE_INFORMATION zone{};
    ::GetTimeZoneInformation(&zone);
    return ((-zone.Bias / 60) % 24 + 24) % 24;
}

class TimeZone : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        if (tz != nullptr)
            m_saved = tz;
    }
    void TearDown() override {
        SetVariable("TZ", m_saved);
        _tzset();
    }

private:
    std::optional<std::string> m_saved;
};

TEST_F(TimeZone, APosixZoneAppliesAndANameTheRuntimeMisreadsGivesWaysToWindowsZone) {
    for (const char* readable : {"JST-9", "EST5EDT", "UTC"}) {
        SetVariable("TZ", readable);
        cli::UseTimeZoneTheRuntimeReads();
        ASSERT_NE(std::getenv("TZ"), nullptr) << readable;
        EXPECT_STREQ(std::getenv("TZ"), readable);
    }
    SetVariable("TZ", "JST-9");
    cli::UseTimeZoneTheRuntimeReads();
    EXPECT_EQ(LocalHourAtADayStart(), 9);

    for (const char* misread : {"Asia/Tokyo", ":Asia/Tokyo", "Japan", "JST"}) {
        SetVariable("TZ", misread);
        cli::UseTimeZoneTheRuntimeReads();
        EXPECT_EQ(std::getenv("TZ"), nullptr) << misread;
        EXPECT_EQ(LocalHourAtADayStart(), WindowsZoneHour()) << misread;
    }
}

} // namespace
} // namespace zanpel::test
