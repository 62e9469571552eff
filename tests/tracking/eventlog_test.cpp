// The per-day times of the journal, from memory and from journal files made
// for the tests.
#include "records/clock.h"
#include "support/fakejournalsource.h"
#include "support/journalfile.h"
#include "support/testsupport.h"
#include "tracking/eventlog.h"
#include "tracking/journalopen.h"
#include "worklist/worklistfixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <ostream>

namespace zanpel {
void PrintTo(const TLoginTime& t, std::ostream* os) {
    *os << FormatDate(t.Day) << " " << t.FirstTime << ".." << t.LastTime;
}
} // namespace zanpel

namespace zanpel::test {
namespace {

// The machine's time zone while the object lives.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : m_variable({{"TZ", zone}}) { ::tzset(); }

private:
    // Destroyed after the variable is back: the C library reads it again.
    struct ReadAgain {
        ~ReadAgain() { ::tzset(); }
    } m_readAgain;
    ScopedEnvironment m_variable;
};

constexpr const char* Japan = "JST-9";

TLoginTime Day(int m, int d, Seconds first, Seconds last) {
    return {EncodeDate(2005, m, d), first, last, {}};
}

std::vector<TLoginTime> Entries(const TEventLog& log) {
    std::vector<TLoginTime> out;
    for (int i = 0; i < log.Count(); ++i)
        out.push_back(log.GetEntry(i));
    return out;
}

class EventLogRead : public ::testing::Test {
protected:
    ScopedTimeZone zone{Japan};
    FixedClock clock{EncodeDate(2005, 3, 20), 12 * 3600};
    const DayNumber march1 = EncodeDate(2005, 3, 1);
    const TLoginTime now = Day(3, 20, 43200, 43200);
};

TEST_F(EventLogRead, LeavesOutEntriesBeforeTheMonthAndAddsTheMomentLast) {
    FakeJournalSource source({Jst(2005, 3, 20, 8, 0), Jst(2005, 3, 2, 18, 45),
                              Jst(2005, 3, 2, 8, 10), Jst(2005, 3, 1, 0, 0),
                              Jst(2005, 2, 28, 23, 59, 59), Jst(2005, 2, 27, 9, 0)});
    const TEventLog log = ReadEventLog(source, march1, clock);
    EXPECT_EQ(log.ErrorCode, 0);
    EXPECT_EQ(Entries(log),
              (std::vector{Day(3, 20, 28800, 43200), Day(3, 2, 29400, 67500), Day(3, 1, 0, 0)}));
    EXPECT_EQ(source.Reads, 6u);
    EXPECT_EQ(log.GetEntry(3), TLoginTime{});
}

TEST_F(EventLogRead, AnEntryDatedOutOfOrderIsSkippedAndTheReadingGoesOn) {
    // A boot with a wrong hardware clock between 1 and 2 March, and one
    // whose clock ran ahead into April.
    FakeJournalSource source({Jst(2005, 3, 2, 9, 0), Jst(2005, 4, 9, 9, 0), Jst(2005, 3, 2, 8, 0),
                              Jst(2005, 2, 20, 7, 0), Jst(2005, 3, 1, 18, 0), Jst(2005, 3, 1, 9, 0),
                              Jst(2005, 2, 28, 20, 0)});
    EXPECT_EQ(Entries(ReadEventLog(source, march1, clock)),
              (std::vector{Day(3, 2, 28800, 32400), Day(3, 1, 32400, 64800), now}));
    EXPECT_EQ(source.Reads, 7u);
}

TEST_F(EventLogRead, ADayMetAgainAfterTheClockWasSetBackKeepsItsPlace) {
    FakeJournalSource source(
        {Jst(2005, 3, 3, 10, 0), Jst(2005, 3, 2, 12, 0), Jst(2005, 3, 3, 9, 0)});
    EXPECT_EQ(Entries(ReadEventLog(source, march1, clock)),
              (std::vector{Day(3, 3, 32400, 36000), Day(3, 2, 43200, 43200), now}));
}

TEST_F(EventLogRead, AnUnopenedJournalGivesNothingAndAnEmptyOneOnlyNow) {
    FakeJournalSource locked({Jst(2005, 3, 2, 8, 0)}, EACCES);
    const TEventLog failed = ReadEventLog(locked, march1, clock);
    EXPECT_EQ(failed.ErrorCode, EACCES);
    EXPECT_EQ(failed.Count(), 0);

    FakeJournalSource empty({});
    EXPECT_EQ(Entries(ReadEventLog(empty, march1, clock)), std::vector{now});

    std::stop_source stop;
    stop.request_stop();
    FakeJournalSource stopped({Jst(2005, 3, 2, 8, 0)});
    ReadEventLog(stopped, march1, clock, stop.get_token());
    EXPECT_EQ(stopped.Reads, 0u);
}

TEST_F(EventLogRead, DaylightSavingDaysFollowTheWallClock) {
    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3"); // summer time from 27 March 2005
    FakeJournalSource source({UtcMicroseconds(2005, 3, 27, 22, 30, 0),
                              UtcMicroseconds(2005, 3, 27, 1, 30, 0),
                              UtcMicroseconds(2005, 3, 27, 0, 30, 0)});
    clock.Set(EncodeDate(2005, 3, 31), 12 * 3600);
    EXPECT_EQ(
        Entries(ReadEventLog(source, march1, clock)),
        (std::vector{Day(3, 28, 1800, 1800), Day(3, 27, 5400, 12600), Day(3, 31, 43200, 43200)}));
}

class JournalFile : public EventLogRead {
protected:
    void SetUp() override {
        if (const std::string why = WhyNoJournalFiles(); !why.empty())
            GTEST_SKIP() << why;
    }
    std::string Make(const std::string& folder, const std::vector<uint64_t>& oldestFirst) {
        std::filesystem::create_directories(folder);
        const std::string path = folder + "/test.journal";
        EXPECT_EQ(WriteJournal(path, oldestFirst), "");
        return path;
    }
    TempDir dir;
};

TEST_F(JournalFile, EventsOnBothSidesOfMidnightFollowTheLocalZone) {
    const auto where = JournalLocation::File(Make(
        dir.Path(), {UtcMicroseconds(2005, 3, 1, 14, 59, 59), UtcMicroseconds(2005, 3, 1, 15, 0, 0),
                     UtcMicroseconds(2005, 3, 1, 23, 30, 0)}));
    EXPECT_EQ(Entries(ReadJournal(where, march1, clock)),
              (std::vector{Day(3, 2, 0, 30600), Day(3, 1, 86399, 86399), now}));
    ScopedTimeZone utc("UTC0");
    EXPECT_EQ(Entries(ReadJournal(where, march1, clock)),
              (std::vector{Day(3, 1, 53999, 84600), now}));
}

TEST_F(JournalFile, AFolderGivesOneEntryPerDayBackToTheFirstDay) {
    const std::string folder = dir.File("journal");
    Make(folder, {Jst(2005, 2, 27, 9, 0), Jst(2005, 2, 28, 23, 59, 59), Jst(2005, 3, 1, 0, 0),
                  Jst(2005, 3, 2, 8, 10), Jst(2005, 3, 2, 18, 45)});
    const auto where = JournalLocation::Directory(folder);
    EXPECT_EQ(Entries(ReadJournal(where, march1, clock)),
              (std::vector{Day(3, 2, 29400, 67500), Day(3, 1, 0, 0), now}));
    EXPECT_EQ(Entries(ReadJournal(where, EncodeDate(2005, 2, 1), clock)),
              (std::vector{Day(3, 2, 29400, 67500), Day(3, 1, 0, 0), Day(2, 28, 86399, 86399),
                           Day(2, 27, 32400, 32400), now}));
}

TEST_F(JournalFile, AnEmptyJournalGivesOnlyNowAndWhatCannotBeOpenedNothing) {
    const TEventLog empty = ReadJournal(JournalLocation::File(Make(dir.Path(), {})), march1, clock);
    EXPECT_EQ(empty.ErrorCode, 0);
    EXPECT_EQ(Entries(empty), std::vector{now});

    WriteFile(dir.File("text.journal"), "no journal\n");
    std::filesystem::create_directories(dir.File("nothing"));
    for (const JournalLocation& where : {JournalLocation::File(dir.File("missing.journal")),
                                         JournalLocation::File(dir.File("text.journal")),
                                         JournalLocation::Directory(dir.File("nothing")),
                                         JournalLocation::Directory(dir.File("missing"))}) {
        const TEventLog log = ReadJournal(where, march1, clock);
        EXPECT_NE(log.ErrorCode, 0) << where.Path;
        EXPECT_EQ(log.Count(), 0) << where.Path;
    }
}

} // namespace
} // namespace zanpel::test
