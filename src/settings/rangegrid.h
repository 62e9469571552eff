// The time range grid as state: a strip of cells of TimeUnit minutes each
// over MaxRange minutes, the picked range [BeginTime, EndTime), the scroll
// position that keeps the begin in view, the mouse selection by whole cells
// and how much of a cell the range covers. The widget draws this state and
// forwards the mouse; tests drive it without a display.
#pragma once

#include <algorithm>
#include <functional>

namespace zanpel {

// The part of a cell that the range covers, in pixels from the cell's left edge.
struct TCellHighlight {
    enum Kind { None, Whole, Part };
    Kind Covered = None;
    int Left = 0;  // Part only
    int Right = 0; // Part only (exclusive)
};

class TRangeGridModel {
public:
    int MaxRange() const { return m_maxRange; }
    int TimeUnit() const { return m_timeUnit; }
    int BeginTime() const { return m_beginTime; }
    int EndTime() const { return m_endTime; }
    int ColCount() const { return m_colCount; }

    // Values of 12 minutes or less are ignored.
    void SetMaxRange(int value);
    // Values outside 1..60 are ignored; others are rounded up to a divisor
    // of 60 (7 gives 8, 25 gives 30, 45 gives 60).
    void SetTimeUnit(int value);
    // Keeps the begin before the end by moving the end, then scrolls the begin
    // into view.
    void SetBeginTime(int value);
    // Keeps the begin before the end by moving the begin.
    void SetEndTime(int value);

    // --- scrolling: the widget reports how many whole columns it shows.
    // The first column shown, within the strip. The column asked for is kept
    // while a passing size of the widget would not allow it.
    int LeftCol() const;
    int VisibleColCount() const { return m_visibleCols; }
    void SetVisibleColCount(int count) { m_visibleCols = std::max(count, 1); }
    void SetLeftCol(int col) { m_leftCol = std::max(col, 0); }
    // Scrolls a column into view (left edge about an hour before it).
    void ScrollToColumn(int col);

    // --- the selected cells of the time row, first and last column.
    int SelectionFirst() const;
    int SelectionLast() const;
    bool IsSelected(int col) const { return col >= SelectionFirst() && col <= SelectionLast(); }

    // --- the mouse on the time row (columns; the widget converts pixels).
    void MouseDown(int col);
    void MouseMove(int col);
    void MouseUp() { m_dragging = false; }
    bool Dragging() const { return m_dragging; }
    // Raised when the mouse or the keyboard changed the range, never by the
    // setters.
    std::function<void()> OnSelectTime;

    // --- the keyboard: a cursor column and the column its range started
    // from (the mouse and the setters place both). A move without extend
    // selects the one column the cursor goes to; with extend (Shift) the
    // range reaches from the anchor to it. While nothing is selected yet
    // (a begin before the strip), the first move selects the cursor's own
    // column. The cursor stays in view.
    enum class Key { Left, Right, HourLeft, HourRight, First, Last };
    void KeyPress(Key key, bool extend);
    int CursorColumn() const { return m_cursor; }
    // Where the keyboard starts when nothing is selected.
    void SetCursorColumn(int col);

    // How much of column col, drawn width pixels wide, the range covers.
    TCellHighlight Highlight(int col, int width) const;
    // Column of a minute (the column that holds it).
    int ColumnOf(int minute) const { return minute / m_timeUnit; }

private:
    void SetColCount(int count);
    void ScrollToBegin();
    int ClampCol(int col) const;

    int m_maxRange = 0;
    int m_timeUnit = 15;
    int m_beginTime = 0;
    int m_endTime = 0;
    int m_colCount = 1;
    int m_leftCol = 0;
    int m_visibleCols = 1;
    void SelectColumns(int anchor, int cursor);
    void RevealCursor();

    bool m_dragging = false;
    int m_anchor = 0; // the column the drag or the Shift selection started on
    int m_cursor = 0; // the column the mouse or the keyboard went to last
};

} // namespace zanpel
