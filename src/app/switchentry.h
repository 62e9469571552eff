// One switch the bar made by itself, and why: the item it pressed, with the
// application rule and the window that made it, or the rest period.
#pragma once

#include "records/timevalues.h"

#include <cstdint>
#include <string>

namespace zanpel {

enum class TSwitchCause : uint8_t {
    Rule,      // an application rule matched the window in front
    RestStart, // a rest period began: the rest item
    RestEnd,   // the rest item ended with its period (or outside every one)
    Resume,    // the start pressed the item that ran at the last end
    HandOver,  // a second start of the program named the item
};

struct TSwitchEntry {
    DayNumber Day = 0;
    Seconds Second = 0;
    TSwitchCause Cause = TSwitchCause::Rule;
    std::string Item{};    // CP932; empty: nothing runs after the switch
    int Rule = -1;         // the rule's index among the item's rules (a rule's switch)
    std::string Detail{};  // CP932: the rule's text, or the rest period "hh:mm-hh:mm"
    std::string Program{}; // CP932: the program in front (a rule's switch)
    std::string Title{};   // CP932: its window's title (a rule's switch)
    bool operator==(const TSwitchEntry&) const = default;
};

// "YYYY-MM-DD hh:mm:ss" of the entry.
std::string SwitchTimeText(const TSwitchEntry& entry);
// Why the bar switched, for the history window and zanpelctl (UTF-8).
std::string SwitchReasonText(const TSwitchEntry& entry);
// A rest period's minutes as the history shows them: "12:00-13:00".
std::string RestRangeText(int32_t beginMinute, int32_t endMinute);

} // namespace zanpel
