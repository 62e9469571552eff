// Where the parts of the month chart go in an area: the line of the legend,
// the plot of the day bars with its hour scale and the day numbers under it,
// and the rows of the month's entries below. The painter draws by it, and
// the widget finds by it what the mouse is on.
#pragma once

#include "reports/monthchart.h"

#include <QFontMetricsF>
#include <QRectF>

namespace zanpel {

struct TChartLayout {
    QRectF Area;
    QRectF Legend; // the line above the plot
    QRectF Plot;   // 0 h at its bottom, ScaleHours at its top
    double ColumnWidth = 0;
    size_t DayCount = 0;
    int ScaleHours = 8;
    int GridHours = 2;   // hours between the grid lines
    double LabelTop = 0; // the day numbers' line under the plot
    QRectF Entries;      // the rows of the month's entries
    double RowHeight = 0;
    double NameWidth = 0;  // the entries' swatch and name
    double ValueWidth = 0; // the entries' hours and share
    size_t EntryCount = 0;

    // The height of seconds on the plot.
    double Y(int64_t seconds) const;
    // The whole column of a day, the plot and its number.
    QRectF Column(size_t day) const;
    // The part of a day's bar from one height to another.
    QRectF Bar(size_t day, int64_t fromSeconds, int64_t toSeconds) const;
    QRectF Row(size_t entry) const;
    // The bar of an entry of fraction (0 to 1) of the largest entry.
    QRectF EntryBar(size_t entry, double fraction) const;
    // The day or entry at point; -1 for none.
    int DayAt(QPointF point) const;
    int EntryAt(QPointF point) const;
};

TChartLayout LayOutChart(const TMonthChart& chart, const QRectF& area,
                         const QFontMetricsF& metrics);

} // namespace zanpel
