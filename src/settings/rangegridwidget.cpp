#include "settings/rangegridwidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zanpel {
namespace {

constexpr int GridLine = 1; // the vertical line right of every cell

QColor MinuteColor(int minute, const QPalette& palette) {
    if (minute == 0)
        return Qt::red;
    if (minute == 30)
        return Qt::blue;
    return palette.color(QPalette::WindowText);
}

QFont SizedFont(const QFont& base, int points, bool bold) {
    QFont font = base;
    font.setPointSize(points);
    font.setBold(bold);
    return font;
}

} // namespace

TRangeGrid::TRangeGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setSingleStep(1);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        m_showBefore = -1; // the user scrolled
        m_model.SetLeftCol(value);
        viewport()->update();
    });
    m_model.OnSelectTime = [this] { emit SelectTime(); };
    SyncScroll();
}

void TRangeGrid::SetMaxRange(int value) {
    m_model.SetMaxRange(value);
    SyncScroll();
}

void TRangeGrid::SetTimeUnit(int value) {
    m_model.SetTimeUnit(value);
    SyncScroll();
}

void TRangeGrid::SetBeginTime(int value) {
    m_showBefore = -1; // the range's own begin is scrolled into view
    m_model.SetBeginTime(value);
    SyncScroll();
}

void TRangeGrid::SetEndTime(int value) {
    m_model.SetEndTime(value);
    SyncScroll();
}

void TRangeGrid::ShowBefore(int minute) {
    m_showBefore = std::max(minute, 0);
    m_model.SetCursorColumn(m_model.ColumnOf(m_showBefore) - 1);
    SyncScroll();
}

void TRangeGrid::SetColWidth(int width) {
    m_colWidth = std::max(width, 1);
    SyncScroll();
}

int TRangeGrid::ColumnAt(int x) const {
    const int col = m_model.LeftCol() + std::max(x, 0) / (m_colWidth + GridLine);
    return col < m_model.ColCount() ? col : -1;
}

int TRangeGrid::ColumnLeft(int col) const {
    return (col - m_model.LeftCol()) * (m_colWidth + GridLine);
}

QSize TRangeGrid::sizeHint() const {
    const int frame = 2 * frameWidth();
    return {24 * (m_colWidth + GridLine) + frame,
            2 * 15 + horizontalScrollBar()->sizeHint().height() + frame};
}

QSize TRangeGrid::minimumSizeHint() const {
    return {60, sizeHint().height()};
}

void TRangeGrid::SyncScroll() {
    m_model.SetVisibleColCount(viewport()->width() / (m_colWidth + GridLine));
    if (m_showBefore >= 0) // its column and the next one at the right edge
        m_model.SetLeftCol(m_model.ColumnOf(m_showBefore) - m_model.VisibleColCount() + 2);
    QScrollBar* bar = horizontalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, std::max(m_model.ColCount() - m_model.VisibleColCount(), 0));
    bar->setPageStep(m_model.VisibleColCount());
    bar->setValue(m_model.LeftCol());
    viewport()->update();
}

void TRangeGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    m_rowHeight = std::max(viewport()->height() / 2, 1);
    SyncScroll();
}

void TRangeGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        viewport()->update();
    QAbstractScrollArea::changeEvent(event);
}

void TRangeGrid::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int first = m_model.LeftCol();
    const int last =
        std::min(first + viewport()->width() / (m_colWidth + GridLine), m_model.ColCount() - 1);
    PaintHourScale(painter, first, last);
    for (int col = first; col <= last; ++col)
        PaintTimeCell(painter, col);
}

void TRangeGrid::PaintHourScale(QPainter& painter, int first, int last) {
    painter.fillRect(0, 0, viewport()->width(), m_rowHeight, palette().color(QPalette::Button));
    painter.setFont(SizedFont(font(), 10, true));
    painter.setPen(isEnabled() ? palette().color(QPalette::WindowText) : QColor(128, 128, 128));
    const int unit = m_model.TimeUnit();
    for (int col = first; col <= last; ++col) {
        const int minute = col * unit;
        if (minute % 60 != 0)
            continue;
        const QRect area(ColumnLeft(col), 0, 4 * (m_colWidth + GridLine), m_rowHeight);
        painter.save();
        painter.setClipRect(area);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, QString::number(minute / 60));
        painter.restore();
    }
}

void TRangeGrid::PaintTimeCell(QPainter& painter, int col) {
    const int m = col * m_model.TimeUnit();
    const QRect cell(ColumnLeft(col), m_rowHeight, m_colWidth, viewport()->height() - m_rowHeight);
    const QString text = QString::asprintf("%02d", m % 60);
    const QPalette& pal = palette();
    QColor back = pal.color(QPalette::Base);
    QColor fore = MinuteColor(m % 60, pal);
    QRect textArea = cell;
    painter.setFont(SizedFont(font(), 8, false));
    if (!isEnabled()) {
        back = pal.color(QPalette::Button);
        fore = QColor(128, 128, 128);
    } else if (const TCellHighlight h = m_model.Highlight(col, m_colWidth);
               h.Covered == TCellHighlight::Part) {
        // The cell first as unselected, then the covered part highlighted.
        painter.fillRect(cell, back);
        painter.setPen(fore);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
        textArea = QRect(cell.left() + h.Left, cell.top(), h.Right - h.Left, cell.height());
        back = pal.color(QPalette::Highlight);
        fore = pal.color(QPalette::HighlightedText);
    } else if (h.Covered == TCellHighlight::Whole) {
        back = pal.color(QPalette::Highlight);
        fore = pal.color(QPalette::HighlightedText);
    }
    painter.fillRect(textArea, back);
    painter.save();
    painter.setClipRect(textArea);
    painter.setPen(fore);
    painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop, text);
    painter.restore();
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawLine(cell.right() + 1, cell.top(), cell.right() + 1, cell.bottom());
    if (hasFocus() && col == m_model.CursorColumn()) {
        // Where the keyboard is: a dotted frame around the cursor's cell.
        painter.setPen(QPen(pal.color(QPalette::WindowText), 1, Qt::DotLine));
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
}

void TRangeGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() != Qt::LeftButton || at.y() < m_rowHeight)
        return; // other buttons and the hour scale pick nothing
    const int col = ColumnAt(at.x());
    if (col < 0)
        return;
    m_showBefore = -1;
    m_model.MouseDown(col);
    viewport()->update();
}

void TRangeGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!m_model.Dragging())
        return;
    // Beyond either edge the strip scrolls along.
    const int x = event->position().toPoint().x();
    const int col =
        x < 0 ? m_model.LeftCol() - 1 : (ColumnAt(x) < 0 ? m_model.ColCount() - 1 : ColumnAt(x));
    m_model.MouseMove(std::max(col, 0));
    SyncScroll();
}

void TRangeGrid::mouseReleaseEvent(QMouseEvent*) {
    m_model.MouseUp();
}

void TRangeGrid::keyPressEvent(QKeyEvent* event) {
    using Key = TRangeGridModel::Key;
    static const std::pair<int, Key> keys[] = {
        {Qt::Key_Left, Key::Left},       {Qt::Key_Up, Key::Left},
        {Qt::Key_Right, Key::Right},     {Qt::Key_Down, Key::Right},
        {Qt::Key_PageUp, Key::HourLeft}, {Qt::Key_PageDown, Key::HourRight},
        {Qt::Key_Home, Key::First},      {Qt::Key_End, Key::Last}};
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    for (const auto& [code, key] : keys) {
        if (event->key() == code && (modifiers & ~Qt::ShiftModifier) == Qt::NoModifier) {
            m_showBefore = -1;
            m_model.KeyPress(key, modifiers == Qt::ShiftModifier);
            SyncScroll();
            return;
        }
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void TRangeGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(); // the cursor's frame
}

void TRangeGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

} // namespace zanpel
