// Load and save of a heavy month: 31 days x 40 items x 20 periods; and the
// load of hostile sizes: 50,000 and 500,000 periods in one record, or as
// many records.
#include "sampledata.h"
#include "worklist/datalist.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace zanpel {
namespace {

// A work list on a month file in a folder of its own. The clock stands in
// another month, so no computer-on record is touched.
class BenchMonth {
public:
    BenchMonth() : list(clock, reporter) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zanpel-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        list.SetDataDir(folder);
    }
    ~BenchMonth() { std::filesystem::remove_all(folder); }
    BenchMonth(const BenchMonth&) = delete;
    BenchMonth& operator=(const BenchMonth&) = delete;

    FixedClock clock{EncodeDate(2005, 4, 10), 12 * 3600};
    CollectingErrorReporter reporter;
    TDataList list;
    std::string folder;
    int64_t bytes = 0;
};

class HeavyMonth : public BenchMonth {
public:
    HeavyMonth() {
        list.ChangeDate(EncodeDate(2005, 3, 1));
        bench::FillMonth(list, EncodeDate(2005, 3, 1), 31, 40, 20);
        list.SaveMonth();
        bytes = static_cast<int64_t>(std::filesystem::file_size(list.MonthFile()));
    }
};

void BM_LoadMonth(benchmark::State& state) {
    HeavyMonth month;
    for (auto _ : state)
        month.list.LoadMonth();
    state.SetBytesProcessed(state.iterations() * month.bytes);
    state.counters["periods"] = 31.0 * 40 * 20;
}
BENCHMARK(BM_LoadMonth)->Unit(benchmark::kMillisecond);

void BM_SaveMonth(benchmark::State& state) {
    HeavyMonth month;
    for (auto _ : state)
        month.list.SaveMonth();
    state.SetBytesProcessed(state.iterations() * month.bytes);
}
BENCHMARK(BM_SaveMonth)->Unit(benchmark::kMillisecond);

// A month file of many periods written line by line: all in one record (a
// record of one item and day), or one record each (items of every day).
class HugeMonth : public BenchMonth {
public:
    HugeMonth(int periods, bool oneRecord) {
        std::string text;
        if (oneRecord)
            text = "2005/03/01,item,";
        for (int i = 0; i < periods; ++i) {
            if (!oneRecord)
                text += (i % 31 < 9 ? "2005/03/0" : "2005/03/") + std::to_string(i % 31 + 1) +
                        ",item" + std::to_string(i / 31) + ",";
            // Periods that never merge: each starts before the end of the last.
            const Seconds start = 3600 + (i * 7) % 72000;
            text += ",\"" + FormatTime(start) + "," + FormatTime(start + 5) + ",cat,\"";
            if (!oneRecord)
                text += "\r\n";
        }
        text += "\r\n";
        std::ofstream(folder + "/200503.dat", std::ios::binary) << text;
        bytes = static_cast<int64_t>(text.size());
        list.ChangeDate(EncodeDate(2005, 3, 1));
    }
};

// The argument is the number of periods; ten times as many should take ten
// times as long.
void LoadHugeMonth(benchmark::State& state, bool oneRecord) {
    const auto periods = static_cast<int>(state.range(0));
    HugeMonth month(periods, oneRecord);
    for (auto _ : state)
        month.list.LoadMonth();
    if (!month.reporter.Messages.empty() || month.list.Count() != (oneRecord ? 1 : periods))
        state.SkipWithError("the month did not load whole");
    state.SetBytesProcessed(state.iterations() * month.bytes);
}

void BM_LoadPeriodsInOneRecord(benchmark::State& state) {
    LoadHugeMonth(state, true);
}
BENCHMARK(BM_LoadPeriodsInOneRecord)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

void BM_LoadRecordsOfOnePeriod(benchmark::State& state) {
    LoadHugeMonth(state, false);
}
BENCHMARK(BM_LoadRecordsOfOnePeriod)->Arg(50000)->Arg(500000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zanpel
