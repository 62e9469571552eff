#include "app/awaytext.h"

#include <cstdio>

namespace zanpel {
namespace {

std::string HoursMinutes(TDateTime t) {
    const Seconds s = SecondsOfDay(t);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(s / 3600 % 100),
                  static_cast<int>(s / 60 % 60));
    return text;
}

std::string MonthDay(TDateTime t) {
    const CivilDate date = DecodeDate(WholeDays(t));
    char text[8];
    std::snprintf(text, sizeof text, "%02d/%02d", date.Month % 100, date.Day % 100);
    return text;
}

int64_t Minute(TDateTime t) {
    return (int64_t{WholeDays(t)} * SecondsPerDay + SecondsOfDay(t)) / 60;
}

} // namespace

std::string AwaySpellText(TDateTime from, TDateTime to) {
    const bool sameDay = WholeDays(from) == WholeDays(to);
    const std::string start =
        sameDay ? HoursMinutes(from) : MonthDay(from) + " " + HoursMinutes(from);
    const std::string end = sameDay ? HoursMinutes(to) : MonthDay(to) + " " + HoursMinutes(to);
    return "離席していました: " + start + "–" + end + " (" +
           std::to_string(Minute(to) - Minute(from)) + " 分)";
}

} // namespace zanpel
