#include "settings/rangegrid.h"

#include <algorithm>

namespace zanpel {

void TRangeGridModel::SetColCount(int count) {
    m_colCount = std::max(count, 1);
}

void TRangeGridModel::SetMaxRange(int value) {
    if (value == m_maxRange || value <= 12)
        return;
    m_maxRange = value;
    SetColCount(value / m_timeUnit);
}

void TRangeGridModel::SetTimeUnit(int value) {
    if (value <= 0 || value > 60)
        return;
    const int perHour = 60 / value;
    value = (perHour + 59) / perHour;
    if (value == m_timeUnit)
        return;
    m_timeUnit = value;
    SetColCount(m_maxRange / value);
}

void TRangeGridModel::SetBeginTime(int value) {
    m_beginTime = value;
    if (value >= m_endTime)
        m_endTime = value + m_timeUnit;
    m_anchor = SelectionFirst();
    m_cursor = SelectionLast();
    ScrollToBegin();
}

void TRangeGridModel::SetEndTime(int value) {
    m_endTime = value;
    if (m_beginTime >= value)
        m_beginTime = value - m_timeUnit;
    m_anchor = SelectionFirst();
    m_cursor = SelectionLast();
}

int TRangeGridModel::LeftCol() const {
    return std::clamp(m_leftCol, 0, std::max(m_colCount - m_visibleCols, 0));
}

void TRangeGridModel::ScrollToColumn(int col) {
    const int perHour = 60 / m_timeUnit;
    const int left = col - perHour;
    if (left < 0)
        SetLeftCol(0);
    else if (left < LeftCol() || col > LeftCol() + m_visibleCols - perHour)
        SetLeftCol(left);
}

void TRangeGridModel::ScrollToBegin() {
    ScrollToColumn(m_beginTime / m_timeUnit);
}

int TRangeGridModel::ClampCol(int col) const {
    return std::clamp(col, 0, m_colCount - 1);
}

int TRangeGridModel::SelectionFirst() const {
    return ClampCol(m_beginTime / m_timeUnit);
}

int TRangeGridModel::SelectionLast() const {
    return std::max(ClampCol((m_endTime - 1) / m_timeUnit), SelectionFirst());
}

void TRangeGridModel::SelectColumns(int anchor, int cursor) {
    m_anchor = ClampCol(anchor);
    m_cursor = ClampCol(cursor);
    // To the left works as to the right: the cells stay ordered.
    m_beginTime = std::min(m_cursor, m_anchor) * m_timeUnit;
    m_endTime = (std::max(m_cursor, m_anchor) + 1) * m_timeUnit;
}

void TRangeGridModel::RevealCursor() {
    if (m_cursor < LeftCol())
        SetLeftCol(m_cursor);
    else if (m_cursor >= LeftCol() + m_visibleCols)
        SetLeftCol(m_cursor - m_visibleCols + 1);
}

void TRangeGridModel::MouseDown(int col) {
    m_dragging = true;
    SelectColumns(col, col);
    if (OnSelectTime)
        OnSelectTime();
}

void TRangeGridModel::MouseMove(int col) {
    if (!m_dragging)
        return;
    SelectColumns(m_anchor, col);
    RevealCursor();
    if (OnSelectTime)
        OnSelectTime();
}

void TRangeGridModel::SetCursorColumn(int col) {
    m_anchor = m_cursor = ClampCol(col);
}

void TRangeGridModel::KeyPress(Key key, bool extend) {
    // Nothing selected yet: the first move takes the cursor's own column.
    const int step = m_beginTime < 0 ? 0 : 1;
    const int hour = 60 / m_timeUnit;
    int to = m_cursor;
    switch (key) {
    case Key::Left:
        to -= step;
        break;
    case Key::Right:
        to += step;
        break;
    case Key::HourLeft:
        to -= step * hour;
        break;
    case Key::HourRight:
        to += step * hour;
        break;
    case Key::First:
        to = 0;
        break;
    case Key::Last:
        to = m_colCount - 1;
        break;
    }
    SelectColumns(extend ? m_anchor : to, to);
    RevealCursor();
    if (OnSelectTime)
        OnSelectTime();
}

TCellHighlight TRangeGridModel::Highlight(int col, int width) const {
    const int first = SelectionFirst();
    const int last = SelectionLast();
    if (col < first || col > last)
        return {};
    if (col != first && col != last)
        return {TCellHighlight::Whole, 0, width};
    // The begin and end cells show which part of them the range covers, so
    // that a range set to the minute is seen as such.
    const int m = col * m_timeUnit;
    const int left = width * (std::max(m, m_beginTime) - m) / m_timeUnit;
    const int right =
        width - width * (m + m_timeUnit - std::min(m + m_timeUnit, m_endTime)) / m_timeUnit;
    if (right <= left)
        return {};
    return {TCellHighlight::Part, left, right};
}

} // namespace zanpel
