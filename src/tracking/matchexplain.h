// Why the definitions send an application to the item they do, or to none:
// the rule that took it, and what every rule tried before said. The same
// per-rule test as the bar's matching (TestRule), walked the same way, so
// that the explanation always names the item TAppSwitch::Match chooses.
// Also: whether a rule can take any application at all.
#pragma once

#include "tracking/appswitch.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace zanpel {

// One rule passed over before the choice: which one, and why.
struct TRuleOutcome {
    int Item = -1;
    int Rule = -1;
    TRuleTest Test = TRuleTest::Empty;
    // The definition's switching is off: its rules are not tried by the bar,
    // Test tells what they would have said.
    bool SwitchOff = false;
    bool operator==(const TRuleOutcome&) const = default;
};

struct TMatchExplanation {
    // The definition whose rule took the application, and that rule; -1
    // when none did. It may be the ignore list (the definition without a
    // name), which takes an application away from every later rule.
    int Matched = -1;
    int Rule = -1;
    // The item the bar switches to: Matched, or -1 for none and for the
    // ignore list. Always what TAppSwitch::Match returns.
    int Chosen = -1;
    bool StopAfterSwitch = false;
    // In list order, the rules before the choice that did not take it,
    // those of definitions with switching off among them.
    std::vector<TRuleOutcome> Passed;
};

TMatchExplanation ExplainMatch(const TAppSwitch& definitions, std::string_view exeName,
                               std::string_view title);

// Why a rule can take no application at all; None when it can.
enum class TRuleFault : uint8_t {
    None,
    Empty,         // neither a program nor a title: the matching passes over it
    UnclosedGroup, // the title pattern has a "(" without ")"
    EmptyClass,    // the title pattern has "[]" or ends in "["
    TooDeep,       // the title pattern's groups are nested too deep
};
TRuleFault RuleFaultOf(const TAppDefs& rule);

} // namespace zanpel
