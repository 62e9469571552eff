// The summary's month chart on a heavy month (31 days of 40 periods each,
// spread over 30 items): its figures, and its painting into an image of the
// chart page's size at 1x and 2x. Needs a QApplication (qtbenchmain.cpp);
// run by hand, offscreen by default.
#include "records/names.h"
#include "records/textcodec.h"
#include "reports/chartpainter.h"
#include "reports/monthchart.h"
#include "sampledata.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace zanpel {
namespace {

class HeavyChartMonth : public bench::SummaryMonth {
public:
    HeavyChartMonth() {
        for (int d = 0; d < 31; ++d) {
            TWorkInfo* login = list.AddWork({FirstDay() + d, LoginName, "", 0, {}});
            list.AddPeriod(login, {"", "", 8 * 3600, 20 * 3600});
            list.AddPeriod(login, {"", "", 12 * 3600, 13 * 3600});
            for (int p = 0; p < 40; ++p) {
                const std::string name = Utf8ToCp932("作業項目") + std::to_string((p + d) % 30);
                TWorkInfo* work = list.AddWork({FirstDay() + d, name, "", 0, {}});
                const Seconds start = 8 * 3600 + p * 15 * 60;
                list.AddPeriod(work, {"", "", start, start + 14 * 60}, false);
            }
        }
    }
};

void BM_ChartFigures(benchmark::State& state) {
    HeavyChartMonth month;
    size_t entries = 0;
    for (auto _ : state) {
        const TMonthChart chart = BuildMonthChart(month.list, month.settings);
        entries = chart.Entries.size();
        benchmark::DoNotOptimize(chart.Days.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_ChartFigures)->Unit(benchmark::kMillisecond);

// The chart page of the summary window at its first size: 663 x 390.
void BM_PaintChart(benchmark::State& state) {
    HeavyChartMonth month;
    const TMonthChart chart = BuildMonthChart(month.list, month.settings);
    QWidget page;
    const TChartLook look = ChartLookOf(page);
    const double ratio = static_cast<double>(state.range(0));
    const QSize size(663, 390);
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintMonthChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)), look);
    }
}
BENCHMARK(BM_PaintChart)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zanpel
