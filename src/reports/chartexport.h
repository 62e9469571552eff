// The month chart as a picture file: PNG at the screen's pixel ratio, or
// SVG, both painted by the same code as the widget.
#pragma once

#include "reports/chartpainter.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace zanpel {

enum class TChartFormat { Png, Svg };

// SVG for a name ending in ".svg" (in any case), else PNG.
TChartFormat ChartFormatOf(const QString& fileName);

// The file's bytes of chart painted at size (logical pixels) with look;
// pixelRatio: device pixels per logical one (PNG only).
QByteArray RenderChart(const TMonthChart& chart, const TChartLook& look, QSize size,
                       double pixelRatio, TChartFormat format);

} // namespace zanpel
