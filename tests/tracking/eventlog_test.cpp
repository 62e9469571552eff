// The per-day times of the journal (from memory and from journal files made
// for the tests), their sync into the computer-on records, and the journal and
// sync commands of zanpelctl.
#include "app/instancelock.h"
#include "journalfile.h"
#include "support/process.h"
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

using ::testing::HasSubstr;

// The machine's time zone while the object lives.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ"))
            m_old = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (m_old)
            ::setenv("TZ", m_old->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> m_old;
};

constexpr const char* Japan = "JST-9";

// A journal in memory, newest first, that counts how far it was read.
class ListSource final : public JournalSource {
public:
    explicit ListSource(std::vector<uint64_t> newestFirst, int openError = 0)
        : m_stamps(std::move(newestFirst)), m_openError(openError) {}
    int Open() override { return m_openError; }
    bool Previous(uint64_t& microseconds) override {
        if (Reads == m_stamps.size())
            return false;
        microseconds = m_stamps[Reads++];
        return true;
    }
    size_t Reads = 0;

private:
    std::vector<uint64_t> m_stamps;
    int m_openError;
};

uint64_t Jst(int y, int mo, int d, int h, int mi, int s = 0) {
    return UtcMicroseconds(y, mo, d, h - 9, mi, s);
}

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
    ListSource source({Jst(2005, 3, 20, 8, 0), Jst(2005, 3, 2, 18, 45), Jst(2005, 3, 2, 8, 10),
                       Jst(2005, 3, 1, 0, 0), Jst(2005, 2, 28, 23, 59, 59),
                       Jst(2005, 2, 27, 9, 0)});
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
    ListSource source({Jst(2005, 3, 2, 9, 0), Jst(2005, 4, 9, 9, 0), Jst(2005, 3, 2, 8, 0),
                       Jst(2005, 2, 20, 7, 0), Jst(2005, 3, 1, 18, 0), Jst(2005, 3, 1, 9, 0),
                       Jst(2005, 2, 28, 20, 0)});
    EXPECT_EQ(Entries(ReadEventLog(source, march1, clock)),
              (std::vector{Day(3, 2, 28800, 32400), Day(3, 1, 32400, 64800), now}));
    EXPECT_EQ(source.Reads, 7u);
}

TEST_F(EventLogRead, ADayMetAgainAfterTheClockWasSetBackKeepsItsPlace) {
    ListSource source({Jst(2005, 3, 3, 10, 0), Jst(2005, 3, 2, 12, 0), Jst(2005, 3, 3, 9, 0)});
    EXPECT_EQ(Entries(ReadEventLog(source, march1, clock)),
              (std::vector{Day(3, 3, 32400, 36000), Day(3, 2, 43200, 43200), now}));
}

TEST_F(EventLogRead, AnUnopenedJournalGivesNothingAndAnEmptyOneOnlyNow) {
    ListSource locked({Jst(2005, 3, 2, 8, 0)}, EACCES);
    const TEventLog failed = ReadEventLog(locked, march1, clock);
    EXPECT_EQ(failed.ErrorCode, EACCES);
    EXPECT_EQ(failed.Count(), 0);

    ListSource empty({});
    EXPECT_EQ(Entries(ReadEventLog(empty, march1, clock)), std::vector{now});

    std::stop_source stop;
    stop.request_stop();
    ListSource stopped({Jst(2005, 3, 2, 8, 0)});
    ReadEventLog(stopped, march1, clock, stop.get_token());
    EXPECT_EQ(stopped.Reads, 0u);
}

TEST_F(EventLogRead, DaylightSavingDaysFollowTheWallClock) {
    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3"); // summer time from 27 March 2005
    ListSource source({UtcMicroseconds(2005, 3, 27, 22, 30, 0),
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
        if (JournalRemoteTool().empty())
            GTEST_SKIP() << "systemd-journal-remote is not installed (scripts/setup installs it)";
        if (MakeJournalSource(JournalLocation::File(dir.File("none")))->Open() == ENOSYS)
            GTEST_SKIP() << "this build reads no journal (libsystemd was missing)";
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

class ZanpelctlJournal : public JournalFile {
protected:
    void SetUp() override {
        JournalFile::SetUp();
        if (IsSkipped())
            return;
        journal = Make(dir.File("journal"),
                       {Jst(2005, 2, 27, 9, 0), Jst(2005, 3, 1, 8, 30), Jst(2005, 3, 1, 17, 0),
                        Jst(2005, 3, 2, 8, 10), Jst(2005, 3, 2, 18, 45)});
        month = data.File("200503.dat");
        WriteFile(month, "2005/03/01,%LOGIN%,,\"09:00:00,17:30:00,,\"\r\n");
    }
    ProcessResult Run(std::vector<std::string> args) {
        args.insert(args.begin(),
                    {ZANPELCTL_PATH, "--data-dir", data.Path(), "--now", "2005-03-20 12:00:00"});
        return RunProcess(
            args, {{"XDG_RUNTIME_DIR", runtime.Path()}, {"ZANPEL_DATA_DIR", ""}, {"TZ", Japan}});
    }
    TempDir data;
    TempDir runtime;
    std::string journal;
    std::string month;
};

TEST_F(ZanpelctlJournal, JournalPrintsTheDaysNewestFirst) {
    const ProcessResult r = Run({"journal", "--file", journal});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_EQ(r.Out, "2005/03/20  12:00:00-12:00:00\n2005/03/02  08:10:00-18:45:00\n"
                     "2005/03/01  08:30:00-17:00:00\n");
    EXPECT_THAT(Run({"journal", "200502", "--directory", dir.File("journal")}).Out,
                HasSubstr("2005/03/01  08:30:00-17:00:00\n2005/02/27  09:00:00-09:00:00\n"));
    EXPECT_EQ(Run({"journal", "--file", journal, "--directory", dir.Path()}).ExitCode, 2);
    const ProcessResult missing = Run({"journal", "--file", dir.File("missing.journal")});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_THAT(missing.Err, HasSubstr("ジャーナルを開けません"));
}

TEST_F(ZanpelctlJournal, SyncWidensTheMonthAndSavesIt) {
    const ProcessResult r = Run({"sync", "200503", "--file", journal});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(r.Out, HasSubstr("2005/03/01  09:00:00-17:30:00 → 08:30:00-17:30:00\n"));
    EXPECT_THAT(r.Out, HasSubstr("2005/03/02  (なし) → 08:10:00-18:45:00\n"));
    const std::string synced = "2005/03/20,%LOGIN%,,\"12:00:00,12:00:00,,\"\r\n"
                               "2005/03/02,%LOGIN%,,\"08:10:00,18:45:00,,\"\r\n"
                               "2005/03/01,%LOGIN%,,\"08:30:00,17:30:00,,\"\r\n";
    EXPECT_EQ(ReadFile(month), synced);
    const ProcessResult again = Run({"sync", "200503", "--file", journal});
    EXPECT_EQ(again.ExitCode, 0);
    EXPECT_THAT(again.Out, HasSubstr("変更はありません"));
    EXPECT_EQ(ReadFile(month), synced);
}

TEST_F(ZanpelctlJournal, SyncGivesEveryDayTheRestsOfTheSettingsThatNoRestCoversYet) {
    WriteFile(data.File("zanpel.ini"), "RESTTIME=720:780,900:910\r\n");
    // 2 March has a rest from a sleep of the machine.
    WriteFile(month, "2005/03/02,%LOGIN%,,\"08:10:00,18:45:00,,\",\"12:30:00,13:00:00," +
                         Sjis("休憩") + ",\"\r\n" +
                         "2005/03/01,%LOGIN%,,\"09:00:00,12:30:00,,\"\r\n");
    const ProcessResult r = Run({"sync", "200503", "--file", journal});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_THAT(r.Out, HasSubstr("2005/03/01  09:00:00-12:30:00 → 08:30:00-17:00:00\n"
                                 "2005/03/01  休憩 12:00:00-13:00:00 15:00:00-15:10:00\n"));
    const std::string rest = Sjis("休憩");
    EXPECT_EQ(ReadFile(month),
              "2005/03/20,%LOGIN%,,\"12:00:00,12:00:00,,\"\r\n"
              "2005/03/02,%LOGIN%,,\"08:10:00,18:45:00,,\",\"12:00:00,13:00:00," +
                  rest + ",\",\"15:00:00,15:10:00," + rest +
                  ",\"\r\n"
                  "2005/03/01,%LOGIN%,,\"08:30:00,17:00:00,,\",\"12:00:00,13:00:00," +
                  rest + ",\",\"15:00:00,15:10:00," + rest + ",\"\r\n");
    EXPECT_EQ(ReadFile(data.File("zanpel.ini")), "RESTTIME=720:780,900:910\r\n"); // read only
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, OverlappingRestsOfTheSettingsAreStoredAsOneAndCountOnce) {
    WriteFile(data.File("zanpel.ini"), "RESTTIME=720:780,750:800\r\n");
    WriteFile(month, "2005/03/01,%LOGIN%,,\"09:00:00,18:00:00,,\"\r\n");
    ASSERT_EQ(Run({"sync", "200503", "--file", journal}).ExitCode, 0);
    EXPECT_THAT(ReadFile(month), HasSubstr("2005/03/01,%LOGIN%,,\"08:30:00,18:00:00,,\","
                                           "\"12:00:00,13:20:00," +
                                           Sjis("休憩") + ",\"\r\n"));
    const ProcessResult summary = Run({"summary", "200503"});
    ASSERT_EQ(summary.ExitCode, 0) << summary.Err;
    EXPECT_THAT(summary.Out, HasSubstr("03/01\t 8.0\t08:10")) << summary.Out;
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, AnEntryOfAWrongClockNeitherEndsTheJournalNorTheSync) {
    // 1 March, a boot whose clock said 20 February, then 2 March.
    const std::string wrong = Make(
        dir.File("wrong"), {Jst(2005, 3, 1, 8, 30), Jst(2005, 3, 1, 17, 0), Jst(2005, 2, 20, 7, 0),
                            Jst(2005, 3, 2, 8, 10), Jst(2005, 3, 2, 18, 45)});
    const ProcessResult listed = Run({"journal", "200503", "--file", wrong});
    ASSERT_EQ(listed.ExitCode, 0) << listed.Err;
    EXPECT_EQ(listed.Out, "2005/03/20  12:00:00-12:00:00\n2005/03/02  08:10:00-18:45:00\n"
                          "2005/03/01  08:30:00-17:00:00\n");
    ASSERT_EQ(Run({"sync", "200503", "--file", wrong}).ExitCode, 0);
    EXPECT_THAT(ReadFile(month), HasSubstr("2005/03/01,%LOGIN%,,\"08:30:00,17:30:00,,\"\r\n"));
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, SyncWithoutAJournalStillAddsTheRestsAndSaysSo) {
    WriteFile(data.File("zanpel.ini"), "RESTTIME=720:780\r\n");
    const ProcessResult r = Run({"sync", "200503", "--file", dir.File("missing.journal")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_THAT(r.Err, HasSubstr("ジャーナルを開けません"));
    EXPECT_THAT(r.Err, HasSubstr("休憩だけを追加します"));
    EXPECT_EQ(ReadFile(month), "2005/03/01,%LOGIN%,,\"09:00:00,17:30:00,,\",\"12:00:00,13:00:00," +
                                   Sjis("休憩") + ",\"\r\n");
    EXPECT_EQ(Run({"check"}).ExitCode, 0);
}

TEST_F(ZanpelctlJournal, SyncWritesNothingWhileTheBarRunsOrWithoutAJournalOrAReadableMonth) {
    const std::string original = ReadFile(month);
    {
        InstanceLock bar(data.Path(), InstanceLock::DataFolderFileName);
        ASSERT_TRUE(bar.TryAcquire());
        const ProcessResult r = Run({"sync", "200503", "--file", journal});
        EXPECT_EQ(r.ExitCode, 1);
        EXPECT_THAT(r.Err, HasSubstr("zanpel が動作中"));
    }
    EXPECT_EQ(Run({"sync", "200503", "--file", dir.File("missing.journal")}).ExitCode, 1);
    EXPECT_EQ(ReadFile(month), original);

    const std::string broken = original + "2005/02/30,x,,\"09:00:00,10:00:00,,\"\r\n";
    WriteFile(month, broken);
    EXPECT_EQ(Run({"sync", "200503", "--file", journal}).ExitCode, 1);
    EXPECT_EQ(ReadFile(month), broken);

    // Settings that cannot be read give no rests: the month is not saved
    // without them.
    WriteFile(month, original);
    std::filesystem::create_directory(data.File("zanpel.ini"));
    const ProcessResult unreadable = Run({"sync", "200503", "--file", journal});
    EXPECT_EQ(unreadable.ExitCode, 1);
    EXPECT_THAT(unreadable.Err, HasSubstr("設定ファイルが読込めません!"));
    EXPECT_EQ(ReadFile(month), original);
}

} // namespace
} // namespace zanpel::test
