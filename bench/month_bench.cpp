// Load and save of a heavy month: 31 days x 40 items x 20 periods.
#include "records/datalist.h"
#include "sampledata.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace zanpel {
namespace {

class HeavyMonth {
public:
    HeavyMonth() : list(clock, reporter) {
        std::string pattern = (std::filesystem::temp_directory_path() / "zanpel-bench-XXXXXX").string();
        folder = ::mkdtemp(pattern.data());
        list.SetDataDir(folder);
        list.ChangeDate(EncodeDate(2005, 3, 1));
        bench::FillMonth(list, EncodeDate(2005, 3, 1), 31, 40, 20);
        list.SaveMonth();
        bytes = static_cast<int64_t>(std::filesystem::file_size(list.MonthFile()));
    }
    ~HeavyMonth() { std::filesystem::remove_all(folder); }

    // The clock stands in another month, so no computer-on record is touched.
    FixedClock clock{EncodeDate(2005, 4, 10), 12 * 3600};
    CollectingErrorReporter reporter;
    TDataList list;
    std::string folder;
    int64_t bytes = 0;
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

} // namespace
} // namespace zanpel
