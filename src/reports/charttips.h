// The texts of the month chart: its figures of hours, the labels of its
// entries, and what the tool tip of a day or an entry says.
#pragma once

#include "reports/monthchart.h"

#include <QString>

namespace zanpel {

// "40.5h": hours to the tenth.
QString HoursText(int64_t seconds);
// "40:30": hours and minutes, past 24 hours as well.
QString ClockText(int64_t seconds);
// The item's name on one line (control characters as spaces), or
// "その他 (3 項目)" for the grouped entry.
QString EntryLabel(const TChartEntry& entry);
// "40.5h (34.0%)"
QString EntryFigures(const TChartEntry& entry);
// "7月4日(月)"
QString DayTitle(DayNumber day);
// The figures of a day, one a line: each entry's time, their sum, the
// computer-on time, the expected hours and the overtime.
QString DayTip(const TMonthChart& chart, size_t day);
// An entry's name and figures; the grouped entry's items after them.
QString EntryTip(const TMonthChart& chart, size_t entry);

} // namespace zanpel
