#include "reports/chartpainter.h"

#include "reports/chartcolours.h"
#include "reports/chartlayout.h"
#include "reports/charttips.h"

#include <QFontInfo>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <algorithm>

namespace zanpel {
namespace {

QColor ToColor(TRgb rgb) {
    return {rgb.R, rgb.G, rgb.B};
}

TRgb ToRgb(const QColor& color) {
    const QColor rgb = color.toRgb();
    return {static_cast<uint8_t>(rgb.red()), static_cast<uint8_t>(rgb.green()),
            static_cast<uint8_t>(rgb.blue())};
}

QColor EntryColour(const TChartEntry& entry) {
    return ToColor(entry.Colour < 0 ? OthersColour
                                    : ChartPalette[static_cast<size_t>(entry.Colour)]);
}

QColor Faded(QColor color, int alpha) {
    color.setAlpha(alpha);
    return color;
}

// A filled rectangle, outlined in the text's colour where its fill would
// fade into the background.
void FillPart(QPainter& painter, const QRectF& rect, const QColor& fill, const TChartLook& look) {
    painter.fillRect(rect, fill);
    if (NeedsOutline(ToRgb(fill), ToRgb(look.Background)) && rect.height() >= 2) {
        painter.setPen(QPen(Faded(look.Text, 160), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

// Diagonal lines over rect, framed: the overtime's mark.
void Hatch(QPainter& painter, const QRectF& rect, const QColor& color) {
    painter.save();
    painter.setClipRect(rect);
    painter.setPen(QPen(color, 1.5));
    for (double x = rect.left() - rect.height(); x < rect.right(); x += 4)
        painter.drawLine(QPointF(x, rect.bottom()), QPointF(x + rect.height(), rect.top()));
    painter.restore();
    painter.setPen(QPen(color, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0.75, 0.75, -0.75, -0.75));
}

void PaintColumns(QPainter& painter, const TMonthChart& chart, const TChartLayout& layout,
                  const TChartLook& look) {
    for (size_t day = 0; day < chart.Days.size(); ++day) {
        const QRectF column = layout.Column(day);
        if (chart.Days[day].Weekend)
            painter.fillRect(column, look.WeekendShade);
        if (chart.Days[day].Date != look.Selected)
            continue;
        painter.fillRect(column, Faded(look.Highlight, 70));
        if (look.Focused) {
            painter.setPen(QPen(look.Highlight, 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(column.adjusted(0.5, 0.5, -0.5, -0.5));
        }
    }
}

void PaintScale(QPainter& painter, const TChartLayout& layout, const TChartLook& look) {
    const double line = QFontMetricsF(look.Font).height();
    for (int hours = 0; hours <= layout.ScaleHours; hours += layout.GridHours) {
        const double y = layout.Y(int64_t{hours} * 3600);
        painter.setPen(QPen(hours == 0 ? Faded(look.Text, 140) : look.Grid, 1));
        painter.drawLine(QPointF(layout.Plot.left(), y), QPointF(layout.Plot.right(), y));
        painter.setPen(look.DimText);
        painter.drawText(QRectF(layout.Area.left(), y - line / 2,
                                layout.Plot.left() - 4 - layout.Area.left(), line),
                         Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1h").arg(hours));
    }
}

// Computer-on time beyond the time of the items: a minute or more.
bool HasUnbookedTime(const TChartDay& day) {
    return day.WorkedSeconds >= day.ItemSeconds + 60;
}

void PaintDayBar(QPainter& painter, const TMonthChart& chart, const TChartLayout& layout,
                 size_t index, const TChartLook& look) {
    const TChartDay& day = chart.Days[index];
    if (!day.HasRecords) {
        const QRectF bar = layout.Bar(index, 0, 0);
        painter.setPen(QPen(look.DimText, 2));
        painter.drawLine(QPointF(bar.left() + 1, bar.bottom() - 2),
                         QPointF(bar.right() - 1, bar.bottom() - 2));
        return;
    }
    int64_t height = 0;
    for (const TChartPart& part : day.Stack) {
        FillPart(painter, layout.Bar(index, height, height + part.Seconds),
                 EntryColour(chart.Entries[part.Entry]), look);
        height += part.Seconds;
    }
    if (HasUnbookedTime(day)) {
        painter.setPen(QPen(look.DimText, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(
            layout.Bar(index, day.ItemSeconds, day.WorkedSeconds).adjusted(0.5, 0.5, -0.5, -0.5));
    }
    if (day.OvertimeSeconds > 0)
        Hatch(painter,
              layout.Bar(index, day.ExpectedSeconds, day.ExpectedSeconds + day.OvertimeSeconds),
              look.Overtime);
}

// The expected hours of each day, one dashed line across the plot.
void PaintExpected(QPainter& painter, const TMonthChart& chart, const TChartLayout& layout,
                   const TChartLook& look) {
    QPainterPath path;
    for (size_t day = 0; day < chart.Days.size(); ++day) {
        const QRectF column = layout.Column(day);
        const double y = layout.Y(chart.Days[day].ExpectedSeconds);
        if (day == 0)
            path.moveTo(column.left(), y);
        else
            path.lineTo(column.left(), y);
        path.lineTo(column.right(), y);
    }
    painter.setPen(QPen(look.Text, 1.5, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
}

void PaintDayNumbers(QPainter& painter, const TMonthChart& chart, const TChartLayout& layout,
                     const TChartLook& look) {
    const QFontMetricsF metrics(look.Font);
    const bool every = layout.ColumnWidth >= metrics.horizontalAdvance(QStringLiteral("31")) + 2;
    for (size_t day = 0; day < chart.Days.size(); ++day) {
        const int number = static_cast<int>(day) + 1;
        if (!every && number != 1 && number % 5 != 0)
            continue;
        const QRectF column = layout.Column(day);
        painter.setPen(chart.Days[day].HasRecords ? look.Text : look.DimText);
        painter.drawText(
            QRectF(column.left() - 6, layout.LabelTop, column.width() + 12, metrics.height()),
            Qt::AlignHCenter | Qt::AlignTop, QString::number(number));
    }
}

// Draws a sample mark and its text at x on the legend's line; answers the x
// after them.
double LegendItem(QPainter& painter, const TChartLayout& layout, double x, const QString& text,
                  const std::function<void(const QRectF&)>& mark, const TChartLook& look) {
    const QRectF& legend = layout.Legend;
    if (mark) {
        mark(QRectF(x, legend.top() + 2, 18, legend.height() - 4));
        x += 22;
    }
    painter.setPen(look.Text);
    painter.drawText(QRectF(x, legend.top(), legend.right() - x, legend.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text);
    return x + QFontMetricsF(look.Font).horizontalAdvance(text) + 14;
}

void PaintLegend(QPainter& painter, const TMonthChart& chart, const TChartLayout& layout,
                 const TChartLook& look) {
    double x = LegendItem(painter, layout, layout.Legend.left(),
                          QStringLiteral("計 ") + HoursText(chart.ItemSeconds), nullptr, look);
    const int64_t expected = chart.Days.empty() ? 0 : chart.Days.front().ExpectedSeconds;
    x = LegendItem(
        painter, layout, x, QStringLiteral("定時 ") + ClockText(expected),
        [&](const QRectF& r) {
            painter.setPen(QPen(look.Text, 1.5, Qt::DashLine));
            painter.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
        },
        look);
    x = LegendItem(
        painter, layout, x, QStringLiteral("残業 ") + HoursText(chart.OvertimeSeconds),
        [&](const QRectF& r) { Hatch(painter, r, look.Overtime); }, look);
    if (std::none_of(chart.Days.begin(), chart.Days.end(), HasUnbookedTime))
        return;
    LegendItem(
        painter, layout, x, QStringLiteral("項目のない作業時間"),
        [&](const QRectF& r) {
            painter.setPen(QPen(look.DimText, 1, Qt::DashLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
        },
        look);
}

void PaintEntries(QPainter& painter, const TMonthChart& chart, const TChartLayout& layout,
                  const TChartLook& look) {
    const QFontMetricsF metrics(look.Font);
    if (chart.Entries.empty()) {
        painter.setPen(look.DimText);
        painter.drawText(layout.Row(0), Qt::AlignCenter,
                         QStringLiteral("この月の作業記録はありません"));
        return;
    }
    const int64_t largest = chart.Entries.front().Seconds;
    for (size_t i = 0; i < chart.Entries.size(); ++i) {
        const TChartEntry& entry = chart.Entries[i];
        const QRectF row = layout.Row(i);
        const double side = row.height() - 6;
        const QRectF swatch(row.left(), row.top() + 3, side, side);
        FillPart(painter, swatch, EntryColour(entry), look);
        const QRectF name(swatch.right() + 6, row.top(), layout.NameWidth - side - 14,
                          row.height());
        painter.setPen(look.Text);
        painter.drawText(name, Qt::AlignLeft | Qt::AlignVCenter,
                         metrics.elidedText(EntryLabel(entry), Qt::ElideRight, name.width()));
        const double fraction =
            largest > 0 ? static_cast<double>(entry.Seconds) / static_cast<double>(largest) : 0;
        const QRectF bar = layout.EntryBar(i, fraction);
        FillPart(painter, bar, EntryColour(entry), look);
        painter.setPen(look.Text);
        painter.drawText(QRectF(bar.right() + 6, row.top(), layout.ValueWidth, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, EntryFigures(entry));
    }
}

} // namespace

TChartLook ChartLookOf(const QWidget& widget) {
    const QPalette& palette = widget.palette();
    TChartLook look;
    look.Background = palette.color(QPalette::Base);
    look.Text = palette.color(QPalette::Text);
    look.DimText = palette.color(QPalette::PlaceholderText);
    look.Grid = Faded(look.Text, 40);
    look.WeekendShade = Faded(look.Text, 22);
    look.Highlight = palette.color(QPalette::Highlight);
    const bool dark = look.Background.lightness() < 128;
    look.Overtime = dark ? QColor(0xEE, 0x66, 0x77) : QColor(0xCC, 0x33, 0x11);
    look.Font = widget.font();
    look.Font.setPixelSize(QFontInfo(widget.font()).pixelSize());
    return look;
}

void PaintMonthChart(QPainter& painter, const TMonthChart& chart, const QRectF& area,
                     const TChartLook& look) {
    painter.save();
    painter.setFont(look.Font);
    painter.fillRect(area, look.Background);
    const TChartLayout layout = LayOutChart(chart, area, QFontMetricsF(look.Font));
    PaintColumns(painter, chart, layout, look);
    PaintScale(painter, layout, look);
    for (size_t day = 0; day < chart.Days.size(); ++day)
        PaintDayBar(painter, chart, layout, day, look);
    PaintExpected(painter, chart, layout, look);
    PaintDayNumbers(painter, chart, layout, look);
    PaintLegend(painter, chart, layout, look);
    PaintEntries(painter, chart, layout, look);
    painter.restore();
}

} // namespace zanpel
