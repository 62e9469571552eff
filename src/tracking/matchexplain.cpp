#include "tracking/matchexplain.h"

#include "records/patternhint.h"

namespace zanpel {

TMatchExplanation ExplainMatch(const TAppSwitch& definitions, std::string_view exeName,
                               std::string_view title) {
    TMatchExplanation explained;
    for (int i = 0; i < definitions.Count(); ++i) {
        const TAppList& item = definitions.Items(i);
        for (size_t r = 0; r < item.Rules.size(); ++r) {
            const TAppDefs& rule = item.Rules[r];
            const TRuleTest test = TestRule(rule, exeName, title);
            const int index = static_cast<int>(r);
            if (test != TRuleTest::Matches || !item.SwitchEnabled) {
                explained.Passed.push_back({i, index, test, !item.SwitchEnabled});
                continue;
            }
            explained.Matched = i;
            explained.Rule = index;
            explained.Chosen = item.Name.empty() ? -1 : i;
            explained.StopAfterSwitch = rule.StopAfterSwitch;
            return explained;
        }
    }
    return explained;
}

TRuleFault RuleFaultOf(const TAppDefs& rule) {
    if (rule.ExeName.empty() && rule.Pattern.empty())
        return TRuleFault::Empty;
    // An exact title is compared as it stands, and "*" takes every title.
    if (rule.MatchKind == TMatchKind::mkExactTitle || rule.Pattern == "*")
        return TRuleFault::None;
    switch (PatternFaultOf(rule.Pattern)) {
    case TPatternFault::None:
        break;
    case TPatternFault::UnclosedGroup:
        return TRuleFault::UnclosedGroup;
    case TPatternFault::EmptyClass:
        return TRuleFault::EmptyClass;
    case TPatternFault::TooDeep:
        return TRuleFault::TooDeep;
    }
    return TRuleFault::None;
}

} // namespace zanpel
