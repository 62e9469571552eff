// The time range grid on the screen: an hour scale over a strip of cells,
// one per TimeUnit minutes, scrolled sideways. The user presses on a cell and
// drags to pick a range; the program sets a range and the grid scrolls it into
// view. The rules live in TRangeGridModel; this widget draws them and
// forwards the mouse.
#pragma once

#include "settings/rangegrid.h"

#include <QAbstractScrollArea>

namespace zanpel {

class TRangeGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TRangeGrid(QWidget* parent = nullptr);

    TRangeGridModel& Model() { return m_model; }
    const TRangeGridModel& Model() const { return m_model; }
    int BeginTime() const { return m_model.BeginTime(); }
    int EndTime() const { return m_model.EndTime(); }
    void SetMaxRange(int value);
    void SetTimeUnit(int value);
    void SetBeginTime(int value);
    void SetEndTime(int value);
    // Shows the model again after it was changed directly.
    void Refresh() { SyncScroll(); }
    // Shows the hours before minute, its column near the right edge (also
    // after the grid is laid out, until the user scrolls), and puts the
    // keyboard on the column before it. Selects nothing.
    void ShowBefore(int minute);

    int ColWidth() const { return m_colWidth; }
    void SetColWidth(int width);
    int RowHeight() const { return m_rowHeight; }
    // The column under a point of the viewport, or -1 beyond the last.
    int ColumnAt(int x) const;
    // Left edge of a column in viewport coordinates.
    int ColumnLeft(int col) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The user changed the range with the mouse.
    void SelectTime();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // Arrows, Page Up and Down, Home and End move the cursor, with Shift
    // they stretch the range (the model's keyboard rules).
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SyncScroll();
    void PaintHourScale(QPainter& painter, int first, int last);
    void PaintTimeCell(QPainter& painter, int col);

    TRangeGridModel m_model;
    int m_showBefore = -1; // the minute ShowBefore keeps in view; -1: none
    int m_colWidth = 15;
    int m_rowHeight = 15;
};

} // namespace zanpel
