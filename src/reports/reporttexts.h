// Texts that the summary and the text work report show or write, held as
// CP932 bytes (converted once from the UTF-8 source text), and the small
// formats they share.
#pragma once

#include "records/timevalues.h"

#include <string>

namespace zanpel {

// " 【作業時間】": the label of a computer-on record in the day list and the report.
const std::string& WorkTimeLabel();
// "(1日集計)" for 0, "(累積集計)" for 1 (and any other value counts as 0).
const std::string& OverCalcName(int overtimeCalc);
// "%d年 %d 月度集計" of the year and the month number of day.
std::string MonthCaption(DayNumber day);

// "mm/dd"
std::string FormatMonthDay(DayNumber day);
// "hh:nn" of s modulo a day: a duration of 24 hours or more loses its days.
std::string FormatHourMinute(int64_t s);
// "%2d.%d" of tenths of an hour.
std::string FormatTenths(int64_t tenths);
// Tenths of an hour of a time in seconds rounded down to the half hour.
int64_t HalfHourTenths(int64_t seconds);

} // namespace zanpel
