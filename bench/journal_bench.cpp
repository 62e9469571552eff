// Reading the journal: a journal file of 100,000 entries is made once with
// systemd-journal-remote in a temporary folder, then the reader is timed on it.
#include "records/clock.h"
#include "support/journalfile.h"
#include "tracking/eventlog.h"
#include "tracking/journalopen.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <stdexcept>
#include <vector>

namespace {

using namespace zanpel;

constexpr int EntryCount = 100000;

// Stamps spread evenly over the days from 2005-03-01 00:00 UTC, oldest first;
// no two fall within the same second, which is the reader's slowest case.
std::vector<uint64_t> EvenStamps(int days) {
    const uint64_t start = test::UtcMicroseconds(2005, 3, 1, 0, 0, 0);
    const uint64_t step = uint64_t{86400} * 1000000 * static_cast<uint64_t>(days) / EntryCount;
    std::vector<uint64_t> stamps;
    stamps.reserve(EntryCount);
    for (int i = 0; i < EntryCount; ++i)
        stamps.push_back(start + step * static_cast<uint64_t>(i));
    return stamps;
}

// A journal file that lives as long as the program.
class BenchJournal {
public:
    explicit BenchJournal(int days) : Stamps(EvenStamps(days)) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zanpel-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_folder = pattern;
        Path = m_folder + "/bench.journal";
        const std::string error = test::WriteJournal(Path, Stamps);
        if (!error.empty())
            throw std::runtime_error(error);
    }
    ~BenchJournal() {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    std::vector<uint64_t> Stamps;
    std::string Path;

private:
    std::string m_folder;
};

const BenchJournal& Month() {
    static const BenchJournal journal(31);
    return journal;
}

const BenchJournal& Year() {
    static const BenchJournal journal(365);
    return journal;
}

class MemorySource final : public JournalSource {
public:
    explicit MemorySource(const std::vector<uint64_t>& oldestFirst) : m_stamps(oldestFirst) {}
    int Open() override { return 0; }
    bool Previous(uint64_t& microseconds) override {
        if (m_next == 0)
            return false;
        microseconds = m_stamps[--m_next];
        return true;
    }

private:
    const std::vector<uint64_t>& m_stamps;
    size_t m_next = m_stamps.size();
};

void InJapan() {
    ::setenv("TZ", "Asia/Tokyo", 1);
    ::tzset();
}

// The whole file: 100,000 entries over one month.
void BM_ReadJournalFile(benchmark::State& state) {
    InJapan();
    const BenchJournal& journal = Month();
    const FixedClock clock(EncodeDate(2005, 4, 1), 9 * 3600);
    for (auto _ : state) {
        const TEventLog log = ReadJournal(JournalLocation::File(journal.Path), 0, clock);
        benchmark::DoNotOptimize(log.Count());
        if (log.Count() != 32) // 1 to 31 March, and 1 April in Japan with now
            state.SkipWithError("unexpected day count");
    }
    state.SetItemsProcessed(state.iterations() * EntryCount);
}
BENCHMARK(BM_ReadJournalFile)->Unit(benchmark::kMillisecond);

// The same entries from memory: what the local-time reduction costs alone.
void BM_ReduceInMemory(benchmark::State& state) {
    InJapan();
    const BenchJournal& journal = Month();
    const FixedClock clock(EncodeDate(2005, 4, 1), 9 * 3600);
    for (auto _ : state) {
        MemorySource source(journal.Stamps);
        benchmark::DoNotOptimize(ReadEventLog(source, 0, clock).Count());
    }
    state.SetItemsProcessed(state.iterations() * EntryCount);
}
BENCHMARK(BM_ReduceInMemory)->Unit(benchmark::kMillisecond);

// 100,000 entries over a year, of which the sync wants the last month: the
// whole file is read (an entry of a wrong clock may stand anywhere) and the
// entries before the month are skipped.
void BM_ReadLastMonthOfAYear(benchmark::State& state) {
    InJapan();
    const BenchJournal& journal = Year();
    const FixedClock clock(EncodeDate(2006, 2, 28), 18 * 3600);
    for (auto _ : state) {
        const TEventLog log =
            ReadJournal(JournalLocation::File(journal.Path), EncodeDate(2006, 2, 1), clock);
        benchmark::DoNotOptimize(log.Count());
    }
}
BENCHMARK(BM_ReadLastMonthOfAYear)->Unit(benchmark::kMillisecond);

} // namespace
