#include "app/switchentry.h"

#include "records/textcodec.h"

#include <algorithm>
#include <cstdio>

namespace zanpel {
namespace {

std::string MinuteText(int32_t minute) {
    minute = std::max(minute, 0); // a period open at its start begins at midnight
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", minute / 60, minute % 60);
    return text;
}

} // namespace

std::string SwitchTimeText(const TSwitchEntry& entry) {
    const CivilDate date = DecodeDate(entry.Day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d ", date.Year, date.Month, date.Day);
    return text + FormatTime(entry.Second);
}

std::string RestRangeText(int32_t beginMinute, int32_t endMinute) {
    return MinuteText(beginMinute) + "-" + MinuteText(endMinute);
}

std::string SwitchReasonText(const TSwitchEntry& entry) {
    switch (entry.Cause) {
    case TSwitchCause::Rule:
        return "規則 " + std::to_string(entry.Rule + 1) + "「" + Cp932ToUtf8(entry.Detail) + "」";
    case TSwitchCause::RestStart:
        return "休憩時間 " + Cp932ToUtf8(entry.Detail);
    case TSwitchCause::RestEnd:
        return entry.Detail.empty() ? "休憩時間外"
                                    : "休憩時間 " + Cp932ToUtf8(entry.Detail) + " の終わり";
    case TSwitchCause::Resume:
        return "前回終了時の作業";
    case TSwitchCause::HandOver:
        return "zanpel の起動で指定";
    }
    return {};
}

} // namespace zanpel
