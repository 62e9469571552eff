#include "controls/bevellabel.h"

#include <QPainter>

#include <algorithm>

namespace zanpel {
namespace {

// A 3-D frame one pixel wide on r; r shrinks by it.
void DrawBevel(QPainter& painter, QRect& r, TBevelCut cut, const QPalette& palette) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    const QColor shadow = palette.color(QPalette::Dark);
    const QColor light = palette.color(QPalette::Light);
    const QColor topLeft = cut == TBevelCut::bvLowered ? shadow : light;
    const QColor bottomRight = cut == TBevelCut::bvLowered ? light : shadow;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), topLeft);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), topLeft);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    r.adjust(1, 1, -1, -1);
}

} // namespace

QPoint RotatedTextOrigin(TTextRotate rotate, const QRect& r, const QRect& t) {
    // r's right and bottom are exclusive edges here, as the platform's.
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    switch (rotate) {
    case TTextRotate::trReverse:
        return {right - t.left(), bottom - t.top()};
    case TTextRotate::trLeft:
        return {r.left() + t.top(), bottom - t.left()};
    case TTextRotate::trRight:
        return {right - t.top(), r.top() + t.left()};
    default:
        return {r.left() + t.left(), r.top() + t.top()};
    }
}

TBevelLabel::TBevelLabel(QWidget* parent) : QWidget(parent) {}

void TBevelLabel::Repaint() {
    update();
}

#define ZANPEL_SETTER(Name, member, Type)                                                          \
    void TBevelLabel::Set##Name(Type value) {                                                      \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        Repaint();                                                                                 \
    }
ZANPEL_SETTER(BevelInner, m_bevelInner, TBevelCut)
ZANPEL_SETTER(BevelOuter, m_bevelOuter, TBevelCut)
ZANPEL_SETTER(TextBorder, m_textBorder, int)
ZANPEL_SETTER(TextOffset, m_textOffset, int)
ZANPEL_SETTER(TextRotate, m_textRotate, TTextRotate)
ZANPEL_SETTER(SingleLine, m_singleLine, bool)
ZANPEL_SETTER(WordWrap, m_wordWrap, bool)
ZANPEL_SETTER(Alignment, m_alignment, Qt::Alignment)
ZANPEL_SETTER(Caption, m_caption, const QString&)
ZANPEL_SETTER(Color, m_color, const QColor&)
ZANPEL_SETTER(FontColor, m_fontColor, const QColor&)
#undef ZANPEL_SETTER

void TBevelLabel::SetDown(bool value) {
    if (value == m_down)
        return;
    m_down = value;
    m_bevelInner = value ? TBevelCut::bvLowered : TBevelCut::bvRaised;
    m_bevelOuter = TBevelCut::bvNone;
    Repaint();
}

QRect TBevelLabel::DrawFrames(QPainter& painter) {
    QRect r = rect();
    if (m_bevelOuter != TBevelCut::bvNone)
        DrawBevel(painter, r, m_bevelOuter, palette());
    if (m_bevelInner != TBevelCut::bvNone)
        DrawBevel(painter, r, m_bevelInner, palette());
    const QColor fill = m_color.isValid() ? m_color : palette().color(QPalette::Window);
    painter.fillRect(r, fill);
    return r;
}

void TBevelLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect r = DrawFrames(painter);
    const bool turned = m_singleLine && (m_textRotate == TTextRotate::trLeft ||
                                         m_textRotate == TTextRotate::trRight);
    QRect t(0, 0, turned ? r.height() : r.width(), turned ? r.width() : r.height());
    t.adjust(m_textBorder, m_textBorder, -m_textBorder, -m_textBorder);
    t.setLeft(t.left() + m_textOffset);
    painter.setPen(m_fontColor.isValid() ? m_fontColor : palette().color(QPalette::WindowText));
    painter.setFont(font());
    if (m_singleLine)
        DrawSingleLine(painter, r, t);
    else
        DrawLines(painter, t.translated(r.topLeft()));
}

void TBevelLabel::DrawSingleLine(QPainter& painter, const QRect& r, QRect t) {
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(m_caption);
    const int textHeight = metrics.height();
    if (m_alignment & Qt::AlignVCenter)
        t.moveTop(t.top() + (t.height() - textHeight) / 2);
    else if (m_alignment & Qt::AlignBottom)
        t.moveTop(t.top() + t.height() - textHeight);
    if (m_alignment & Qt::AlignRight)
        t.moveLeft(t.left() + t.width() - textWidth);
    else if (m_alignment & Qt::AlignHCenter)
        t.moveLeft(t.left() + (t.width() - textWidth) / 2);
    const QPoint origin = RotatedTextOrigin(m_textRotate, r, t);
    static constexpr int angles[] = {0, 180, -90, 90}; // trNone, trReverse, trLeft, trRight
    painter.save();
    painter.setClipRect(r);
    painter.translate(origin);
    painter.rotate(angles[static_cast<int>(m_textRotate)]);
    painter.drawText(QPoint(0, metrics.ascent()), m_caption);
    painter.restore();
}

int TBevelLabel::TextFlags() const {
    int flags = Qt::TextExpandTabs;
    if (m_wordWrap)
        flags |= Qt::TextWordWrap;
    return flags | (m_alignment & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter));
}

int TBevelLabel::heightForWidth(int width) const {
    const int bevels =
        (m_bevelOuter != TBevelCut::bvNone ? 2 : 0) + (m_bevelInner != TBevelCut::bvNone ? 2 : 0);
    const int textWidth = std::max(1, width - bevels - 2 * m_textBorder - m_textOffset);
    const QRect lines =
        QFontMetrics(font()).boundingRect(QRect(0, 0, textWidth, 0), TextFlags(), m_caption);
    return lines.height() + 1 + bevels + 2 * m_textBorder;
}

void TBevelLabel::DrawLines(QPainter& painter, QRect t) {
    const int flags = TextFlags();
    // Measured in an empty rectangle, as the platform measures: with word wrap
    // every word stands on a line of its own there.
    const QRect measured =
        QFontMetrics(font()).boundingRect(QRect(0, 0, m_wordWrap ? 1 : 0, 0), flags, m_caption);
    const int w = measured.width() + 1;
    const int h = measured.height() + 1;
    if (m_alignment & Qt::AlignVCenter)
        t = QRect(QPoint(t.left(), (t.top() + t.bottom() + 1 - h) / 2),
                  QPoint(t.right(), (t.top() + t.bottom() + 1 + h) / 2 - 1));
    else if (m_alignment & Qt::AlignBottom)
        t.setTop(t.bottom() + 1 - h);
    if (m_alignment & Qt::AlignRight)
        t.setLeft(t.right() + 1 - w);
    else if (m_alignment & Qt::AlignHCenter)
        t = QRect(QPoint((t.left() + t.right() + 1 - w) / 2, t.top()),
                  QPoint((t.left() + t.right() + 1 + w) / 2 - 1, t.bottom()));
    painter.drawText(t, flags, m_caption);
}

} // namespace zanpel
