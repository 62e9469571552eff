// The summary's rows and the full text work report (every option) of a heavy
// month: 31 days x 40 items x 20 periods.
#include "reports/reportdates.h"
#include "reports/summaryrows.h"
#include "reports/workreport.h"
#include "sampledata.h"

#include <benchmark/benchmark.h>

namespace zanpel {
namespace {

class HeavyMonth : public bench::SummaryMonth {
public:
    HeavyMonth() { bench::FillMonth(list, FirstDay(), 31, 40, 20); }
};

void BM_SummaryRows(benchmark::State& state) {
    HeavyMonth month;
    size_t rows = 0;
    for (auto _ : state) {
        const TSummaryView view = BuildSummary(month.list, month.settings);
        rows = view.DayRows.size() + view.MonthRows.size();
        benchmark::DoNotOptimize(view.DayRows.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_SummaryRows)->Unit(benchmark::kMillisecond);

void BM_FullReport(benchmark::State& state) {
    HeavyMonth month;
    const TReportChoice everything{ReportStandardMemo | ReportCategoryList | ReportWorkMemo |
                                       ReportSubtotal | ReportByDate,
                                   rpMonth, 0, 0, 0};
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string report = BuildReport(month.list, everything);
        bytes = report.size();
        benchmark::DoNotOptimize(report.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FullReport)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zanpel
