// The painting of the month chart, once for the widget, a picture file and
// the benchmark: the day bars stacked by entry over the shaded weekends, the
// line of the expected hours, the overtime hatched above it, the computer-on
// time that no item took as a dashed box, and the month's entries as
// horizontal bars with their hours and share.
#pragma once

#include "reports/monthchart.h"

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;
class QWidget;

namespace zanpel {

struct TChartLook {
    QColor Background, Text, DimText, Grid, WeekendShade, Highlight, Overtime;
    QFont Font; // sized in pixels: the same on the screen, in a PNG and in an SVG
    DayNumber Selected = 0;
    bool Focused = false;
};

// The look of widget: its palette and its font, nothing selected.
TChartLook ChartLookOf(const QWidget& widget);

void PaintMonthChart(QPainter& painter, const TMonthChart& chart, const QRectF& area,
                     const TChartLook& look);

} // namespace zanpel
