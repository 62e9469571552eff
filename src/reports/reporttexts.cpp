#include "reports/reporttexts.h"

#include "records/textcodec.h"

#include <cstdio>

namespace zanpel {

const std::string& WorkTimeLabel() {
    static const std::string label = Utf8ToCp932(" 【作業時間】");
    return label;
}

const std::string& OverCalcName(int overtimeCalc) {
    static const std::string perDay = Utf8ToCp932("(1日集計)");
    static const std::string accumulated = Utf8ToCp932("(累積集計)");
    return overtimeCalc == 1 ? accumulated : perDay;
}

std::string MonthCaption(DayNumber day) {
    // The year too: the window moves through months of any year.
    static const std::string year = Utf8ToCp932("年 ");
    static const std::string suffix = Utf8ToCp932(" 月度集計");
    const CivilDate date = DecodeDate(day);
    return std::to_string(date.Year) + year + std::to_string(date.Month) + suffix;
}

std::string FormatMonthDay(DayNumber day) {
    const CivilDate date = DecodeDate(day);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2.2d/%2.2d", date.Month, date.Day);
    return buf;
}

std::string FormatHourMinute(int64_t s) {
    const auto seconds =
        static_cast<Seconds>(((s % SecondsPerDay) + SecondsPerDay) % SecondsPerDay);
    return FormatTime(seconds).substr(0, 5);
}

std::string FormatTenths(int64_t tenths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%2lld.%lld", static_cast<long long>(tenths / 10),
                  static_cast<long long>(tenths % 10));
    return buf;
}

int64_t HalfHourTenths(int64_t seconds) {
    return (seconds - seconds % 1800) / 360;
}

} // namespace zanpel
