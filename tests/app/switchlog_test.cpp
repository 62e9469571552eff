// The switch log: its line format with any bytes in the texts, the reading
// that skips broken lines, the 200 entries in memory, the rotation of the
// file at 1 MB and what a failed write leaves.
#include "app/switchlog.h"
#include "app/switchlogfile.h"
#include "app/switchlogline.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Whether text is well-formed UTF-8, as iconv judges it.
bool IsUtf8(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "UTF-8");
    std::string copy = text;
    std::string out(text.size() + 16, '\0');
    char* in = copy.data();
    size_t inLeft = copy.size();
    char* to = out.data();
    size_t outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &to, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    return ok;
}

// Texts as window titles may hold them: Japanese, ASCII, the characters of
// the line format, control characters, CP932 codes with two Unicode
// spellings, unassigned pairs, stray single bytes and lead bytes at the end.
std::string RandomText(std::mt19937& random) {
    static const std::string pieces[] = {
        Sjis("設計書"), Sjis("ソ表能"), "abc",  " ",           "\\",      "\t",       "\n",
        "\r",           "\r\n",         "\x01", "\x7F",        "\x1B[2J", "\xED\x40", "\xFA\x5C",
        "\x87\x40",     "\x85\x40",     "\xA0", "\x80",        "\xFD",    "\xFF",     "\xB1\xB2",
        "\\x41",        "\\t",          "%s",   "\xEF\xBF\xBD"};
    std::uniform_int_distribution<int> count(0, 8);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces));
    std::uniform_int_distribution<int> byte(0, 255);
    std::string text;
    for (int n = count(random); n > 0; --n) {
        const size_t which = pick(random);
        text += which < std::size(pieces) ? pieces[which]
                                          : std::string(1, static_cast<char>(byte(random)));
    }
    if (count(random) == 0)
        text += '\x81'; // a lead byte without its trail byte
    return text;
}

TSwitchEntry RandomEntry(std::mt19937& random) {
    std::uniform_int_distribution<int> day(EncodeDate(2000, 1, 1), EncodeDate(2040, 12, 31));
    std::uniform_int_distribution<int> second(0, SecondsPerDay - 1);
    std::uniform_int_distribution<int> cause(0, 4);
    std::uniform_int_distribution<int> rule(-1, 12);
    return {day(random),        second(random),    static_cast<TSwitchCause>(cause(random)),
            RandomText(random), rule(random),      RandomText(random),
            RandomText(random), RandomText(random)};
}

TEST(SwitchLogLine, AnyBytesInTheTextsKeepToOneLineOfUtf8AndReadBackAsTheyWere) {
    std::mt19937 random(20261208);
    for (int i = 0; i < 3000; ++i) {
        const TSwitchEntry entry = RandomEntry(random);
        const std::string line = FormatSwitchLine(entry);
        ASSERT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
        ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 6) << line;
        ASSERT_TRUE(IsUtf8(line)) << line;
        ASSERT_TRUE(std::none_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 && c != '\t';
        })) << line;
        const std::optional<TSwitchEntry> read = ParseSwitchLine(line);
        ASSERT_TRUE(read.has_value()) << line;
        ASSERT_EQ(*read, entry) << line;
        ASSERT_EQ(ParseSwitchLine(line + "\r"), entry) << "a CR LF line end is taken";
    }
}

TEST(SwitchLogLine, AJapaneseTitleIsWrittenAsItReadsAndOnlyTheFormatsOwnCharactersAreEscaped) {
    const TSwitchEntry entry{
        EncodeDate(2026, 12, 8), 9 * 3600 + 5, TSwitchCause::Rule, Sjis("設計"), 1,
        Sjis("editor:表*"),      "editor",     Sjis("表\t計\\算")};
    EXPECT_EQ(FormatSwitchLine(entry),
              "2026-12-08 09:00:05\trule\t設計\t2\teditor:表*\teditor\t表\\t計\\\\算");
}

TEST(SwitchLogLine, BrokenLinesAreRefused) {
    const std::string good = "2026-12-08 09:00:05\trule\tA\t2\tr\tp\tt";
    ASSERT_TRUE(ParseSwitchLine(good).has_value());
    for (const std::string& line :
         {std::string(), std::string("garbage"),
          std::string("2026-12-08 09:00:05\trule\tA\t2\tr\tp"), good + "\tmore",
          std::string("2026-02-30 09:00:05\trule\tA\t2\tr\tp\tt"),
          std::string("2026-12-08 24:00:00\trule\tA\t2\tr\tp\tt"),
          std::string("2026-12-08 09:00:05\tmanual\tA\t2\tr\tp\tt"),
          std::string("2026-12-08 09:00:05\trule\tA\t0\tr\tp\tt"),
          std::string("2026-12-08 09:00:05\trule\tA\t02\tr\tp\tt"),
          std::string("2026-12-08 09:00:05\trule\tA\tx\tr\tp\tt"), good + "\\q", good + "\\x4",
          good + "\\xZZ", good + "\\", good + "\x01", good + "\xFF", good + "\xC0\xAF",
          good + "\xED\xA0\x80", good + "\xE8\xA8"})
        EXPECT_FALSE(ParseSwitchLine(line).has_value()) << line;
}

TEST(SwitchLogFile, TheReaderSkipsBrokenAndCutLinesAndKeepsTheRestInOrder) {
    std::mt19937 random(8);
    TempDir dir;
    std::vector<TSwitchEntry> written;
    std::string text;
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 400; ++i) {
        const TSwitchEntry entry = RandomEntry(random);
        const std::string line = FormatSwitchLine(entry);
        switch (kind(random)) {
        case 0: { // cut before its last field
            std::uniform_int_distribution<size_t> at(0, line.rfind('\t') - 1);
            text += line.substr(0, at(random)) + "\n";
            break;
        }
        case 1: { // random bytes
            std::string junk(static_cast<size_t>(byte(random)), '\0');
            for (char& c : junk)
                c = static_cast<char>(byte(random));
            std::erase(junk, '\n');
            text += junk + "\n";
            break;
        }
        default:
            text += line + "\n";
            written.push_back(entry);
        }
    }
    WriteFile(dir.File(SwitchLogFileName), text);
    std::string error;
    EXPECT_EQ(ReadSwitchLog(dir.Path(), 100000, error), written);
    EXPECT_EQ(error, "");
    const std::vector<TSwitchEntry> last = ReadSwitchLog(dir.Path(), 5, error);
    EXPECT_EQ(last, std::vector<TSwitchEntry>(written.end() - 5, written.end()));
}

TSwitchEntry Numbered(int n) {
    TSwitchEntry entry{EncodeDate(2026, 12, 8),
                       n % SecondsPerDay,
                       TSwitchCause::Rule,
                       Sjis("設計"),
                       0,
                       "editor:",
                       "editor",
                       "title " + std::to_string(n)};
    return entry;
}

TEST(SwitchLog, MemoryHoldsTheLast200AndTheFileReadsThemBackAfterARestart) {
    TempDir dir;
    const std::string folder = dir.File("state/zanpel"); // made at the first write
    TSwitchLog log(folder);
    log.Load();
    std::vector<bool> dropped;
    log.OnAdded = [&](bool d) { dropped.push_back(d); };
    for (int n = 0; n < 250; ++n)
        log.Add(Numbered(n));
    ASSERT_EQ(log.Entries().size(), TSwitchLog::Capacity);
    EXPECT_EQ(log.Entries().front(), Numbered(50));
    EXPECT_EQ(log.Entries().back(), Numbered(249));
    EXPECT_EQ(std::count(dropped.begin(), dropped.end(), true), 50);
    EXPECT_FALSE(dropped[199]);
    EXPECT_TRUE(dropped[200]);
    EXPECT_EQ(log.Problem(), "");
    EXPECT_EQ(log.FilePath(), folder + "/switches.log");
    const std::string text = ReadFile(log.FilePath());
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 250);
    EXPECT_EQ(std::filesystem::status(log.FilePath()).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    TSwitchLog again(folder);
    again.Load();
    EXPECT_EQ(again.Entries(), log.Entries());
}

TEST(SwitchLog, ALineACrashLeftUnendedDoesNotTakeTheNextOneWithIt) {
    TempDir dir;
    WriteFile(dir.File(SwitchLogFileName),
              FormatSwitchLine(Numbered(1)) + "\n" + FormatSwitchLine(Numbered(2)).substr(0, 30));
    TSwitchLog log(dir.Path());
    log.Add(Numbered(3));
    TSwitchLog again(dir.Path());
    again.Load();
    EXPECT_THAT(again.Entries(), ElementsAre(Numbered(1), Numbered(3)));
}

// A log of valid lines of exactly size bytes, the last of them lastEntry.
std::string LogOfSize(size_t size, const TSwitchEntry& lastEntry) {
    std::string text;
    for (int n = 0;; ++n) {
        const std::string line = FormatSwitchLine(Numbered(n)) + "\n";
        if (text.size() + 2 * line.size() + 200 > size)
            break;
        text += line;
    }
    TSwitchEntry last = lastEntry;
    const size_t plain = FormatSwitchLine(last).size() + 1;
    last.Title += std::string(size - text.size() - plain, 'x');
    return text + FormatSwitchLine(last) + "\n";
}

TEST(SwitchLog, TheFileIsMovedAsideWhenALineWouldTakeItPast1MBAndOnlyOneFileBeforeIsKept) {
    TempDir dir;
    const std::string current = dir.File(SwitchLogFileName);
    const std::string previous = dir.File(PreviousSwitchLogFileName);
    const auto limit = static_cast<size_t>(SwitchLogRotateBytes);
    const std::string newLine = FormatSwitchLine(Numbered(9001)) + "\n";
    const std::string first = LogOfSize(limit - newLine.size(), Numbered(9000));
    WriteFile(current, first);
    TSwitchLog log(dir.Path());
    log.Load();
    log.Add(Numbered(9001)); // exactly to the limit: no rotation
    EXPECT_EQ(std::filesystem::file_size(current), limit);
    EXPECT_FALSE(std::filesystem::exists(previous));
    log.Add(Numbered(9002)); // past it
    EXPECT_EQ(ReadFile(previous), first + newLine);
    EXPECT_EQ(ReadFile(current), FormatSwitchLine(Numbered(9002)) + "\n");

    // After a restart the history reaches into the file before.
    TSwitchLog again(dir.Path());
    again.Load();
    ASSERT_EQ(again.Entries().size(), TSwitchLog::Capacity);
    EXPECT_EQ(again.Entries().back(), Numbered(9002));
    EXPECT_EQ(again.Entries()[198], Numbered(9001));
    EXPECT_EQ(again.Entries(), log.Entries());

    // The next rotation replaces the file before.
    const std::string second = LogOfSize(limit, Numbered(8000));
    WriteFile(current, second);
    log.Add(Numbered(9003));
    EXPECT_EQ(ReadFile(previous), second);
    EXPECT_EQ(ReadFile(current), FormatSwitchLine(Numbered(9003)) + "\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
    EXPECT_EQ(log.Problem(), "");
}

TEST(SwitchLog, AFailedWriteKeepsTheListAndIsToldOnceAndTheNextWriteTriesAgain) {
    TempDir dir;
    WriteFile(dir.File("notafolder"), "");
    TSwitchLog blocked(dir.File("notafolder/zanpel"));
    std::vector<std::string> told;
    blocked.OnProblem = [&](const std::string& problem) { told.push_back(problem); };
    for (int n = 0; n < 3; ++n)
        blocked.Add(Numbered(n));
    EXPECT_EQ(blocked.Entries().size(), 3u);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_THAT(told[0], HasSubstr("切換え履歴を書込めません: " + dir.File("notafolder")));
    EXPECT_EQ(blocked.Problem(), told[0]);

    // A full disk.
    TempDir state;
    ASSERT_EQ(::symlink("/dev/full", state.File(SwitchLogFileName).c_str()), 0);
    TSwitchLog full(state.Path());
    full.OnProblem = [&](const std::string& problem) { told.push_back(problem); };
    full.Add(Numbered(1));
    full.Add(Numbered(2));
    ASSERT_EQ(told.size(), 2u);
    EXPECT_THAT(told[1], HasSubstr(std::strerror(ENOSPC)));
    std::filesystem::remove(state.File(SwitchLogFileName));
    full.Add(Numbered(3));
    EXPECT_EQ(ReadFile(state.File(SwitchLogFileName)), FormatSwitchLine(Numbered(3)) + "\n");
    EXPECT_EQ(full.Entries().size(), 3u);
    EXPECT_EQ(told.size(), 2u);
}

// What a reader meets when the bar moves the log aside between its reads of
// the two files: the same file under both names. It is the file before, and
// its entries are told once, not twice.
TEST(SwitchLogFile, ALogMovedAsideWhileItIsReadIsReadOnce) {
    TempDir dir;
    WriteFile(dir.File(SwitchLogFileName),
              FormatSwitchLine(Numbered(1)) + "\n" + FormatSwitchLine(Numbered(2)) + "\n");
    ASSERT_EQ(
        ::link(dir.File(SwitchLogFileName).c_str(), dir.File(PreviousSwitchLogFileName).c_str()),
        0);
    std::string error;
    EXPECT_THAT(ReadSwitchLog(dir.Path(), 10, error), ElementsAre(Numbered(1), Numbered(2)));
    EXPECT_EQ(error, "");
}

TEST(SwitchLog, ALogThatCannotBeReadIsToldAndTheFileBeforeStillCounts) {
    TempDir dir;
    std::filesystem::create_directory(dir.File(SwitchLogFileName));
    WriteFile(dir.File(PreviousSwitchLogFileName), FormatSwitchLine(Numbered(1)) + "\n");
    TSwitchLog log(dir.Path());
    log.Load();
    EXPECT_THAT(log.Problem(),
                HasSubstr("切換え履歴を読込めません: " + dir.File(SwitchLogFileName)));
    EXPECT_THAT(log.Entries(), ElementsAre(Numbered(1)));
    TSwitchLog memoryOnly("");
    memoryOnly.Load();
    memoryOnly.Add(Numbered(2));
    EXPECT_EQ(memoryOnly.Entries().size(), 1u);
    EXPECT_EQ(memoryOnly.FilePath(), "");
    EXPECT_EQ(memoryOnly.Problem(), "");
}

} // namespace
} // namespace zanpel::test
