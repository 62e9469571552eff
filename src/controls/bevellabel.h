// A label with an optional outer bevel, a border in its own colour and an
// optional inner bevel around padded text; one line of text can be turned by
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
    int BevelWidth() const { return m_bevelWidth; }
    int BorderWidth() const { return m_borderWidth; }
    bool Down() const { return m_down; }
    int TextBorder() const { return m_textBorder; }
    int TextOffset() const { return m_textOffset; }
    TTextRotate TextRotate() const { return m_textRotate; }
    bool SingleLine() const { return m_singleLine; }
    bool WordWrap() const { return m_wordWrap; }
    Qt::Alignment Alignment() const { return m_alignment; }
    QString Caption() const { return m_caption; }
    QColor Color() const { return m_color; }
    QColor FontColor() const { return m_fontColor; }

    void SetBevelInner(TBevelCut value);
    void SetBevelOuter(TBevelCut value);
    void SetBevelWidth(int value);
    void SetBorderWidth(int value);
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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Repaint();
    QRect DrawFrames(QPainter& painter);
    void DrawSingleLine(QPainter& painter, const QRect& r, QRect t);
    void DrawLines(QPainter& painter, QRect t);

    TBevelCut m_bevelInner = TBevelCut::bvLowered;
    TBevelCut m_bevelOuter = TBevelCut::bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
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
