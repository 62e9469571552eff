// Which work item the foreground application belongs to. Runs on every idle
// pass of the bar, so it works on the stored rules and allocates nothing. The
// rule's executable name is held lowered; the one asked about is compared
// lowered the same way.
#include "records/patternmatch.h"
#include "records/textcompare.h"
#include "tracking/appswitch.h"

namespace zanpel {
namespace {

bool RuleMatches(const TAppDefs& rule, std::string_view exe, std::string_view title) {
    if (!rule.ExeName.empty() && !EqualsLowered(rule.ExeName, exe))
        return false;
    if (rule.Pattern.empty() || rule.Pattern == "*")
        return true;
    switch (rule.MatchKind) {
    case TMatchKind::mkExactTitle:
        return title == rule.Pattern;
    case TMatchKind::mkWholeTitle:
        return PatternWhole(title, rule.Pattern);
    case TMatchKind::mkAnywhere:
        break;
    }
    return PatternAnywhere(title, rule.Pattern);
}

} // namespace

int TAppSwitch::Match(std::string_view exeName, std::string_view title) {
    for (int i = 0; i < Count(); ++i) {
        const TAppList& item = Items(i);
        if (!item.SwitchEnabled)
            continue;
        for (size_t r = 0; r < item.Rules.size(); ++r) {
            const TAppDefs& rule = item.Rules[r];
            if (rule.ExeName.empty() && rule.Pattern.empty())
                continue;
            if (!RuleMatches(rule, exeName, title))
                continue;
            if (item.Name.empty())
                return -1;
            LastStopAfterSwitch = rule.StopAfterSwitch;
            LastMatchedRule = static_cast<int>(r);
            return i;
        }
    }
    return -1;
}

} // namespace zanpel
