// A label with an optional outer and an optional inner bevel, one pixel
// each, around padded text on its own colour; one line of text can be turned by
// 90, 180 or 270 degrees. The bar's caption strip and the memo dialog's time
// label are bevel labels.
#pragma once

#include <QWidget>

namespace zanpel {

enum class TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum class TTextRotate { trNone, trReverse, trLeft, trRight };

// Where a single line of text starts for a rotation: r is the area inside the
// bevels, t the text rectangle relative to r (already placed).
QPoint RotatedTextOrigin(TTextRotate rotate, const QRect& r, const QRect& t);

class TBevelLabel : public QWidget {
    Q_OBJECT
public:
    explicit TBevelLabel(QWidget* parent = nullptr);

    TBevelCut BevelInner() const { return m_bevelInner; }
    TBevelCut BevelOuter() const { return m_bevelOuter; }
    TTextRotate TextRotate() const { return m_textRotate; }
    QString Caption() const { return m_caption; }

    void SetBevelInner(TBevelCut value);
    void SetBevelOuter(TBevelCut value);
    void SetDown(bool value);
    void SetTextBorder(int value);
    void SetTextOffset(int value);
    void SetTextRotate(TTextRotate value);
    void SetSingleLine(bool value);
    void SetWordWrap(bool value);
    // Horizontal (left, right, centre) and vertical (top, bottom, centre) placement.
    void SetAlignment(Qt::Alignment value);
    void SetCaption(const QString& value);
    void SetColor(const QColor& value);
    void SetFontColor(const QColor& value);

    // A word-wrapped caption of several lines is as high as its lines need.
    bool hasHeightForWidth() const override { return m_wordWrap && !m_singleLine; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Repaint();
    QRect DrawFrames(QPainter& painter);
    void DrawSingleLine(QPainter& painter, const QRect& r, QRect t);
    void DrawLines(QPainter& painter, QRect t);
    int TextFlags() const;

    TBevelCut m_bevelInner = TBevelCut::bvLowered;
    TBevelCut m_bevelOuter = TBevelCut::bvNone;
    bool m_down = false;
    int m_textBorder = 0;
    int m_textOffset = 0;
    TTextRotate m_textRotate = TTextRotate::trNone;
    bool m_singleLine = false;
    bool m_wordWrap = false;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignTop;
    QString m_caption;
    QColor m_color;     // invalid: the window colour
    QColor m_fontColor; // invalid: the palette's text colour
};

} // namespace zanpel
