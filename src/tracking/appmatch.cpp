// Which work item the foreground application belongs to. Runs on every idle
// pass of the bar, so it works on the stored rules and allocates nothing. The
// rule's executable name is held lowered; the one asked about is compared
// lowered the same way.
#include "records/patternmatch.h"
#include "records/textcompare.h"
#include "tracking/appswitch.h"

namespace zanpel {
namespace {

bool TitleMatches(const TAppDefs& rule, std::string_view title) {
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

TRuleTest TestRule(const TAppDefs& rule, std::string_view exeName, std::string_view title) {
    if (rule.ExeName.empty() && rule.Pattern.empty())
        return TRuleTest::Empty;
    if (!rule.ExeName.empty() && !EqualsLowered(rule.ExeName, exeName))
        return TRuleTest::OtherProgram;
    return TitleMatches(rule, title) ? TRuleTest::Matches : TRuleTest::OtherTitle;
}

int TAppSwitch::Match(std::string_view exeName, std::string_view title) {
    for (int i = 0; i < Count(); ++i) {
        const TAppList& item = Items(i);
        if (!item.SwitchEnabled)
            continue;
        for (size_t r = 0; r < item.Rules.size(); ++r) {
            const TAppDefs& rule = item.Rules[r];
            if (TestRule(rule, exeName, title) != TRuleTest::Matches)
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
