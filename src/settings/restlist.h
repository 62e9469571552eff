// The rest periods of the settings dialog as state: the list of items
// ("start:end" in minutes, kept in order of the start by the add command),
// the selected item, the range grid that shows and picks a range, and the
// label under it.
#pragma once

#include "settings/rangegrid.h"

#include <string>
#include <vector>

namespace zanpel {

class Clock;

class TRestListEditor {
public:
    // restTimes: the setting's comma list. The grid gets the whole day in
    // ten-minute columns; the first item is selected (if any).
    TRestListEditor(const std::string& restTimes, TRangeGridModel& grid, const Clock& clock);

    const std::vector<std::string>& Items() const { return m_items; }
    // The items as the list shows them, "12:00-13:00" for "720:780" (the
    // setting keeps its own form).
    std::vector<std::string> ItemTexts() const;
    int Selected() const { return m_selected; }
    // The items as the setting holds them.
    std::string RestTimes() const;

    // Shows the item's range; -1 (or no such item) shows a range of one
    // column at the current minute.
    void Select(int index);
    // Begin first, then end; the grid keeps the begin before the end.
    void ShowRange(int begin, int end);
    // "休憩: hh:mm-hh:mm" of the grid's range (UTF-8).
    std::string LabelText() const;
    // "hh:mm-hh:mm" of the grid's range.
    std::string RangeLabel() const;

    // AddRm up: the grid's range as a new item, before the first item that
    // starts later; selected and shown. No check for overlaps.
    void Add();
    // AddRm down: deletes the selected item and selects the one that took
    // its place (none after the last).
    void Remove();
    // TimeAdjust up and down: the begin one minute later, the end one earlier.
    void AdjustBegin() { ShowRange(m_grid.BeginTime() + 1, m_grid.EndTime()); }
    void AdjustEnd() { ShowRange(m_grid.BeginTime(), m_grid.EndTime() - 1); }

    // Items whose periods overlap another item's (the summary would count
    // that rest twice).
    std::vector<int> Overlapping() const;

private:
    std::vector<std::string> m_items;
    int m_selected = -1;
    TRangeGridModel& m_grid;
    const Clock& m_clock;
};

} // namespace zanpel
