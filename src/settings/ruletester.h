// The rule tester of the page "作業項目" in words: what the definitions as
// edited do with a program and a window title, where each application of
// the APP list history goes, and why a rule line can match nothing. Texts
// given are CP932; the words returned are UTF-8, as the dialog shows them.
#pragma once

#include "tracking/appswitch.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

// The tester's result line: the item chosen and the rule line that took the
// application, or that none did and why the nearest rules failed.
// appSwitchOn: the option that lets the bar switch at all.
std::string TesterResultText(const TAppSwitch& definitions, std::string_view program,
                             std::string_view title, bool appSwitchOn);

// An APP list line, "program/title", in its two parts.
struct TSeenApp {
    std::string_view Program;
    std::string_view Title;
};
TSeenApp SplitSeenApp(std::string_view line);

// The title of program's line in the history (letter case ignored), or none.
std::optional<std::string> SeenTitleOf(const std::vector<std::string>& history,
                                       std::string_view program);

// Where the application of a history line goes, as the list shows it
// beside the line: "→ 実装", "→ なし", "→ 無視リスト".
std::string SeenAppTarget(const TAppSwitch& definitions, std::string_view line);

// Why a line of the rule field can match no application; empty when it can
// (and for a blank line, which is no rule).
std::string RuleLineFault(std::string_view line);

} // namespace zanpel
