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
    ScrollToBegin();
}

void TRangeGridModel::SetEndTime(int value) {
    m_endTime = value;
    if (m_beginTime >= value)
        m_beginTime = value - m_timeUnit;
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

void TRangeGridModel::MouseDown(int col) {
    col = ClampCol(col);
    m_dragging = true;
    m_anchor = col;
    m_beginTime = col * m_timeUnit;
    m_endTime = m_beginTime + m_timeUnit;
    if (OnSelectTime)
        OnSelectTime();
}

void TRangeGridModel::MouseMove(int col) {
    if (!m_dragging)
        return;
    col = ClampCol(col);
    // Dragging to the left works as to the right: the cells stay ordered.
    m_beginTime = std::min(col, m_anchor) * m_timeUnit;
    m_endTime = (std::max(col, m_anchor) + 1) * m_timeUnit;
    if (col < LeftCol())
        SetLeftCol(col);
    else if (col >= LeftCol() + m_visibleCols)
        SetLeftCol(col - m_visibleCols + 1);
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
