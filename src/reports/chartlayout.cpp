#include "reports/chartlayout.h"

#include "reports/charttips.h"

#include <algorithm>
#include <cmath>

namespace zanpel {
namespace {

constexpr double Margin = 6;
constexpr double Gap = 10; // between the plot's day numbers and the entries

// The highest figure of any day, in seconds.
int64_t HighestDay(const TMonthChart& chart) {
    int64_t highest = 0;
    for (const TChartDay& day : chart.Days)
        highest = std::max({highest, day.ItemSeconds, day.WorkedSeconds,
                            day.ExpectedSeconds + day.OvertimeSeconds});
    return highest;
}

void SetScale(const TMonthChart& chart, TChartLayout& layout) {
    const int hours = static_cast<int>(std::max<int64_t>(1, (HighestDay(chart) + 3599) / 3600));
    layout.GridHours = hours <= 12 ? 2 : 4;
    layout.ScaleHours =
        std::max(8, (hours + layout.GridHours - 1) / layout.GridHours * layout.GridHours);
}

double WidestName(const TMonthChart& chart, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const TChartEntry& entry : chart.Entries)
        widest = std::max(widest, metrics.horizontalAdvance(EntryLabel(entry)));
    return widest;
}

} // namespace

double TChartLayout::Y(int64_t seconds) const {
    return Plot.bottom() - Plot.height() * static_cast<double>(seconds) / (ScaleHours * 3600.0);
}

QRectF TChartLayout::Column(size_t day) const {
    return {Plot.left() + ColumnWidth * static_cast<double>(day), Plot.top(), ColumnWidth,
            Entries.top() - Gap - Plot.top()};
}

QRectF TChartLayout::Bar(size_t day, int64_t fromSeconds, int64_t toSeconds) const {
    const double width = std::max(1.0, std::floor(ColumnWidth * 0.7));
    const double left = Plot.left() + ColumnWidth * static_cast<double>(day) +
                        std::floor((ColumnWidth - width) / 2);
    return QRectF(QPointF(left, Y(toSeconds)), QPointF(left + width, Y(fromSeconds)));
}

QRectF TChartLayout::Row(size_t entry) const {
    return {Entries.left(), Entries.top() + RowHeight * static_cast<double>(entry), Entries.width(),
            RowHeight};
}

QRectF TChartLayout::EntryBar(size_t entry, double fraction) const {
    const QRectF row = Row(entry);
    const double room = std::max(0.0, row.width() - NameWidth - ValueWidth);
    return {row.left() + NameWidth, row.top() + 3, room * std::clamp(fraction, 0.0, 1.0),
            row.height() - 6};
}

int TChartLayout::DayAt(QPointF point) const {
    for (size_t day = 0; day < DayCount; ++day)
        if (Column(day).contains(point))
            return static_cast<int>(day);
    return -1;
}

int TChartLayout::EntryAt(QPointF point) const {
    for (size_t entry = 0; entry < EntryCount; ++entry)
        if (Row(entry).contains(point))
            return static_cast<int>(entry);
    return -1;
}

TChartLayout LayOutChart(const TMonthChart& chart, const QRectF& area,
                         const QFontMetricsF& metrics) {
    TChartLayout layout;
    layout.Area = area;
    layout.DayCount = chart.Days.size();
    layout.EntryCount = chart.Entries.size();
    SetScale(chart, layout);
    const double line = std::ceil(metrics.height());
    const QRectF inner = area.adjusted(Margin, Margin, -Margin, -Margin);
    layout.RowHeight = line + 6;
    const double rows = static_cast<double>(std::max<size_t>(1, layout.EntryCount));
    layout.Entries = QRectF(inner.left(), inner.bottom() - layout.RowHeight * rows, inner.width(),
                            layout.RowHeight * rows);
    layout.Legend = QRectF(inner.left(), inner.top(), inner.width(), line);
    const double scaleWidth = std::ceil(metrics.horizontalAdvance(QStringLiteral("24h"))) + 8;
    const double plotTop = layout.Legend.bottom() + line / 2 + 4;
    layout.LabelTop = std::max(plotTop + 1, layout.Entries.top() - Gap - line);
    layout.Plot = QRectF(QPointF(inner.left() + scaleWidth, plotTop),
                         QPointF(inner.right(), layout.LabelTop - 2));
    layout.ColumnWidth =
        layout.DayCount == 0 ? 0 : layout.Plot.width() / static_cast<double>(layout.DayCount);
    const double swatch = line;
    layout.NameWidth = std::min(inner.width() * 0.35, swatch + 6 + WidestName(chart, metrics) + 8);
    layout.ValueWidth = std::ceil(metrics.horizontalAdvance(QStringLiteral("000.0h (100.0%)"))) + 8;
    return layout;
}

} // namespace zanpel
