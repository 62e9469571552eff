#include "reports/chartexport.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace zanpel {
namespace {

QByteArray RenderPng(const TMonthChart& chart, const TChartLook& look, QSize size,
                     double pixelRatio) {
    QImage image(size * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(pixelRatio);
    {
        QPainter painter(&image);
        PaintMonthChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)), look);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray RenderSvg(const TMonthChart& chart, const TChartLook& look, QSize size) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("月間グラフ"));
    {
        QPainter painter(&svg);
        PaintMonthChart(painter, chart, QRectF(QPointF(0, 0), QSizeF(size)), look);
    }
    return bytes;
}

} // namespace

TChartFormat ChartFormatOf(const QString& fileName) {
    return fileName.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive) ? TChartFormat::Svg
                                                                          : TChartFormat::Png;
}

QByteArray RenderChart(const TMonthChart& chart, const TChartLook& look, QSize size,
                       double pixelRatio, TChartFormat format) {
    return format == TChartFormat::Svg ? RenderSvg(chart, look, size)
                                       : RenderPng(chart, look, size, pixelRatio);
}

} // namespace zanpel
