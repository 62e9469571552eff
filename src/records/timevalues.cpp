#include "records/timevalues.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace zanpel {
namespace {

constexpr int64_t MillisecondsPerDay = int64_t{SecondsPerDay} * 1000;

// Days from 1970-01-01 to a civil date (Howard Hinnant's days_from_civil).
int64_t DaysFromCivil(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

CivilDate CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeapYear(y) ? 29 : days[m - 1];
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Adds a digit, saturating instead of overflowing on absurdly long numbers.
int32_t AppendDigit(int32_t value, char digit) {
    const int64_t next = int64_t{value} * 10 + (digit - '0');
    return next > std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                      : static_cast<int32_t>(next);
}

} // namespace

Seconds SecondsOfDay(TDateTime t) {
    // Rounding the fraction to the millisecond first keeps whole seconds exact
    // despite binary fractions (09:05:07 must not come out as 09:05:06).
    const double fraction = t - std::trunc(t);
    const int64_t ms = std::llround(fraction * static_cast<double>(MillisecondsPerDay));
    int64_t s = ms / 1000;
    if (s >= SecondsPerDay)
        s = SecondsPerDay - 1;
    if (s <= -SecondsPerDay)
        s = -(SecondsPerDay - 1);
    return static_cast<Seconds>(s);
}

TDateTime DayFraction(Seconds s) {
    return s / 86400.0;
}

DayNumber WholeDays(TDateTime t) {
    return static_cast<DayNumber>(std::trunc(t));
}

TDateTime MakeDateTime(DayNumber day, Seconds s) {
    return day + DayFraction(s);
}

std::optional<TDateTime> ParseDateTime(std::string_view text) {
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char tail = 0;
    const std::string copy(text);
    if (copy.size() != 19 || std::sscanf(copy.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &y, &mo, &d, &h,
                                         &mi, &s, &tail) != 6)
        return std::nullopt;
    if (!IsValidDate(y, mo, d) || h > 23 || mi > 59 || s > 59 || h < 0 || mi < 0 || s < 0)
        return std::nullopt;
    return MakeDateTime(EncodeDate(y, mo, d), h * 3600 + mi * 60 + s);
}

std::string FormatDuration(int64_t s) {
    // Shown on every tick and written for every exported period: by hand.
    std::string out;
    if (s < 0) {
        out += '-';
        s = -s;
    }
    const int64_t hours = s / 3600;
    if (hours < 10)
        out += '0';
    out += std::to_string(hours);
    const auto minutes = static_cast<int>(s / 60 % 60);
    const auto seconds = static_cast<int>(s % 60);
    const char rest[6] = {
        ':', static_cast<char>('0' + minutes / 10), static_cast<char>('0' + minutes % 10),
        ':', static_cast<char>('0' + seconds / 10), static_cast<char>('0' + seconds % 10)};
    out.append(rest, sizeof rest);
    return out;
}

std::string FormatDate(DayNumber day) {
    const CivilDate c = DecodeDate(day);
    if (c.Year < 0 || c.Year > 9999) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%4.4d/%2.2d/%2.2d", c.Year, c.Month, c.Day);
        return buf;
    }
    // Written for every record of a month file: digits by hand, not printf.
    char buf[10] = {static_cast<char>('0' + c.Year / 1000),
                    static_cast<char>('0' + c.Year / 100 % 10),
                    static_cast<char>('0' + c.Year / 10 % 10),
                    static_cast<char>('0' + c.Year % 10),
                    '/',
                    static_cast<char>('0' + c.Month / 10),
                    static_cast<char>('0' + c.Month % 10),
                    '/',
                    static_cast<char>('0' + c.Day / 10),
                    static_cast<char>('0' + c.Day % 10)};
    return std::string(buf, sizeof buf);
}

std::string FormatTime(Seconds s) {
    const int t = ((s % SecondsPerDay) + SecondsPerDay) % SecondsPerDay;
    const int h = t / 3600;
    const int m = t / 60 % 60;
    const int sec = t % 60;
    const char buf[8] = {static_cast<char>('0' + h / 10),   static_cast<char>('0' + h % 10),  ':',
                         static_cast<char>('0' + m / 10),   static_cast<char>('0' + m % 10),  ':',
                         static_cast<char>('0' + sec / 10), static_cast<char>('0' + sec % 10)};
    return std::string(buf, sizeof buf);
}

int32_t ParseInt(std::string_view text) {
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        i = 1;
    int32_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        value = AppendDigit(value, text[i]);
    return negative ? -value : value;
}

NumberGroups ParseNumberGroups(std::string_view text, std::string_view separators) {
    NumberGroups g;
    int index = 0;
    size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            g.Values[index] = AppendDigit(g.Values[index], c);
        } else if (separators.find(c) != std::string_view::npos) {
            if (index == 2)
                break;
            ++index;
        } else {
            break;
        }
    }
    g.Count = index + ((index > 0 && g.Values[index] != 0) ? 1 : 0);
    g.Length = i;
    return g;
}

DayNumber ParseDate(std::string_view text, int currentYear) {
    const NumberGroups g = ParseNumberGroups(text, "/.");
    if (g.Count == 3)
        return MakeDate(g.Values[0], g.Values[1], g.Values[2]);
    if (g.Count == 2)
        return MakeDate(currentYear, g.Values[0], g.Values[1]);
    return 0;
}

Seconds ParseTime(std::string_view text) {
    return ReadTime(text).value_or(0);
}

std::optional<Seconds> ReadTime(std::string_view text) {
    const NumberGroups g = ParseNumberGroups(text, ":");
    if (g.Count != 2 && g.Count != 3)
        return std::nullopt;
    const int64_t s =
        int64_t{g.Values[0]} * 3600 + int64_t{g.Values[1]} * 60 + (g.Count == 3 ? g.Values[2] : 0);
    return static_cast<Seconds>(s % SecondsPerDay);
}

bool IsCorrectedDate(std::string_view text) {
    const NumberGroups g = ParseNumberGroups(text, "/.");
    if (g.Count != 2 && g.Count != 3)
        return false;
    const int32_t* md = g.Count == 3 ? g.Values + 1 : g.Values;
    const bool yearCorrected = g.Count == 3 && g.Values[0] < 1900;
    return g.Length < text.size() || yearCorrected || md[0] <= 0 || md[0] > 12 || md[1] <= 0 ||
           md[1] > 31;
}

bool IsCorrectedTime(std::string_view text) {
    const NumberGroups g = ParseNumberGroups(text, ":");
    if (g.Count != 2 && g.Count != 3)
        return false;
    return g.Length < text.size() || g.Values[0] >= 24 || g.Values[1] >= 60 ||
           (g.Count == 3 && g.Values[2] >= 60);
}

DayNumber MakeDate(int year, int month, int day) {
    if (month <= 0 || month > 12)
        month = 1;
    if (day <= 0 || day > 31)
        day = 1;
    if (year < 1900)
        year = 1900;
    if (!IsValidDate(year, month, day)) {
        char buf[96];
        std::snprintf(buf, sizeof buf, "%d/%02d/%02d は存在しない日付です", year, month, day);
        throw InvalidDate(buf);
    }
    return EncodeDate(year, month, day);
}

bool IsValidDate(int year, int month, int day) {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= DaysInMonth(year, month);
}

DayNumber EncodeDate(int year, int month, int day) {
    return static_cast<DayNumber>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        UnixEpochDay);
}

CivilDate DecodeDate(DayNumber day) {
    return CivilFromDays(int64_t{day} - UnixEpochDay);
}

} // namespace zanpel
