// Time conventions shared by every record: date-time values counted in days
// since 1899-12-30, day numbers, seconds of day, and the fixed text formats.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zanpel {

// Days since 1899-12-30 00:00; the fraction is the time of day.
using TDateTime = double;
// Whole-day part of a TDateTime.
using DayNumber = int32_t;
// Whole seconds since midnight; a period's end may pass 86400.
using Seconds = int32_t;

inline constexpr Seconds SecondsPerDay = 86400;
inline constexpr DayNumber UnixEpochDay = 25569; // 1970-01-01

// Thrown when a date does not exist in the calendar (2005/02/30).
class InvalidDate : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct CivilDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
};

Seconds SecondsOfDay(TDateTime t);
TDateTime DayFraction(Seconds s);
DayNumber WholeDays(TDateTime t);
TDateTime MakeDateTime(DayNumber day, Seconds s);

std::string FormatDuration(int64_t s);
// "yyyy/mm/dd"
std::string FormatDate(DayNumber day);
// "hh:nn:ss" of the time of day of s (86400 shows as 00:00:00).
std::string FormatTime(Seconds s);

constexpr bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool IsTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Length of the character at i of a CP932 text: 2 for a lead byte with a trail
// byte after it, else 1. A lead byte without one (malformed text, never
// written by the system) counts as a byte of its own, so that it cannot
// swallow a separator after it.
constexpr size_t Cp932CharLength(std::string_view s, size_t i) {
    return i + 1 < s.size() && IsLeadByte(static_cast<unsigned char>(s[i])) &&
                   IsTrailByte(static_cast<unsigned char>(s[i + 1]))
               ? 2
               : 1;
}

int32_t ParseInt(std::string_view text);

struct NumberGroups {
    int Count = 0;
    int32_t Values[3] = {0, 0, 0};
    size_t Length = 0; // characters read: fewer than the text's when the scan stopped early
};
NumberGroups ParseNumberGroups(std::string_view text, std::string_view separators);

// Day number of the text ("y/m/d", "y.m.d" or "m/d" in currentYear); 0 when the
// text is no date. Throws InvalidDate for a date the calendar refuses.
DayNumber ParseDate(std::string_view text, int currentYear);
// Seconds of day of "h:m:s" or "h:m", taken modulo a day; 0 when not a time.
Seconds ParseTime(std::string_view text);
// The time of a text that reads as one ("h:m" or "h:m:s"); none otherwise,
// where ParseTime answers 0.
std::optional<Seconds> ReadTime(std::string_view text);
// Whether reading text as a date or a time changes what it says: a number out
// of range that the reading corrects (month 13, day 32, a year before 1900,
// hour 25, minute 61), or characters after the value that it ignores. A text
// that is no date or time at all answers false.
bool IsCorrectedDate(std::string_view text);
bool IsCorrectedTime(std::string_view text);

// Calendar date with the corrections of the record files (month and day out of
// range become 1, years before 1900 become 1900). Throws InvalidDate.
DayNumber MakeDate(int year, int month, int day);

// Exact conversions of the proleptic Gregorian calendar, without corrections.
CivilDate DecodeDate(DayNumber day);
bool IsValidDate(int year, int month, int day);
// The date and time of "YYYY-MM-DD hh:mm:ss"; none for any other text.
std::optional<TDateTime> ParseDateTime(std::string_view text);
DayNumber EncodeDate(int year, int month, int day); // caller checks IsValidDate

} // namespace zanpel
