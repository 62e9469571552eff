#include "settings/ruletester.h"

#include "records/blanks.h"
#include "records/textcodec.h"
#include "records/textcompare.h"
#include "settings/workitemeditor.h"
#include "tracking/matchexplain.h"

#include <algorithm>

namespace zanpel {
namespace {

// How many of the rules passed over the result line names.
constexpr size_t ReasonsShown = 2;

// 「実装」, or the ignore list's caption.
std::string ItemName(const TAppSwitch& definitions, int item) {
    const std::string& name = definitions.Items(item).Name;
    return name.empty() ? Cp932ToUtf8(IgnoreListCaption()) : "「" + Cp932ToUtf8(name) + "」";
}

// 2行目「code/」: a rule by its line among the definition's rules and its text.
std::string RuleName(const TAppSwitch& definitions, int item, int rule) {
    const TAppDefs& defs = definitions.Items(item).Rules[static_cast<size_t>(rule)];
    return std::to_string(rule + 1) + "行目「" + Cp932ToUtf8(FormatRule(defs)) + "」";
}

// The order in which the rules passed over are worth telling: one that took
// the application in a definition whose switching is off, one whose program
// fit but not its title, one with nothing in it, one of another program.
int Nearness(const TRuleOutcome& outcome) {
    switch (outcome.Test) {
    case TRuleTest::Matches:
        return 0;
    case TRuleTest::OtherTitle:
        return 1;
    case TRuleTest::Empty:
        return 2;
    case TRuleTest::OtherProgram:
        break;
    }
    return 3;
}

std::string Reason(const TAppSwitch& definitions, const TRuleOutcome& outcome) {
    const std::string item = ItemName(definitions, outcome.Item);
    const std::string rule = RuleName(definitions, outcome.Item, outcome.Rule);
    switch (outcome.Test) {
    case TRuleTest::Matches:
        return item + "は自動切換えが無効（" + rule + "は一致）";
    case TRuleTest::OtherTitle:
        return item + rule + "はタイトルが不一致";
    case TRuleTest::Empty:
        return item + std::to_string(outcome.Rule + 1) + "行目は空の規則";
    case TRuleTest::OtherProgram:
        break;
    }
    return item + rule + "はプログラム名が違う";
}

std::string NothingMatched(const TAppSwitch& definitions, const TMatchExplanation& explained) {
    if (explained.Passed.empty())
        return "→ 該当なし（切換えの規則がありません）";
    std::vector<TRuleOutcome> nearest = explained.Passed;
    std::stable_sort(
        nearest.begin(), nearest.end(),
        [](const TRuleOutcome& a, const TRuleOutcome& b) { return Nearness(a) < Nearness(b); });
    std::string text = "→ 該当なし: ";
    const size_t shown = std::min(ReasonsShown, nearest.size());
    for (size_t k = 0; k < shown; ++k)
        text += (k > 0 ? "、" : "") + Reason(definitions, nearest[k]);
    if (nearest.size() > shown)
        text += "、ほか" + std::to_string(nearest.size() - shown) + "件";
    return text;
}

} // namespace

std::string TesterResultText(const TAppSwitch& definitions, std::string_view program,
                             std::string_view title, bool appSwitchOn) {
    if (program.empty())
        return "プログラム名を入れると、選ばれる作業項目をここに示します";
    const TMatchExplanation explained = ExplainMatch(definitions, program, title);
    std::string text;
    if (explained.Chosen >= 0) {
        text = "→ " + ItemName(definitions, explained.Chosen) + ": " +
               RuleName(definitions, explained.Chosen, explained.Rule) + "に一致";
        if (explained.StopAfterSwitch)
            text += "（切換え後は自動切換えを止める）";
    } else if (explained.Matched >= 0) {
        text = "→ 切換えなし: " + ItemName(definitions, explained.Matched) + "の" +
               RuleName(definitions, explained.Matched, explained.Rule) + "に一致";
    } else {
        text = NothingMatched(definitions, explained);
    }
    if (!appSwitchOn)
        text += "（全般でアプリによる自動切換を使わない設定です）";
    return text;
}

TSeenApp SplitSeenApp(std::string_view line) {
    const size_t slash = line.find('/');
    if (slash == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, slash), line.substr(slash + 1)};
}

std::optional<std::string> SeenTitleOf(const std::vector<std::string>& history,
                                       std::string_view program) {
    for (const std::string& line : history) {
        const TSeenApp seen = SplitSeenApp(line);
        if (SameTextIgnoreCase(seen.Program, program))
            return std::string(seen.Title);
    }
    return std::nullopt;
}

std::string SeenAppTarget(const TAppSwitch& definitions, std::string_view line) {
    const TSeenApp seen = SplitSeenApp(line);
    const TMatchExplanation explained = ExplainMatch(definitions, seen.Program, seen.Title);
    if (explained.Chosen >= 0)
        return "→ " + Cp932ToUtf8(definitions.Items(explained.Chosen).Name);
    return explained.Matched >= 0 ? "→ 無視リスト" : "→ なし";
}

std::string RuleLineFault(std::string_view line) {
    const std::string_view text = TrimBlanks(line);
    if (text.empty())
        return {};
    switch (RuleFaultOf(ParseRule(text))) {
    case TRuleFault::None:
        break;
    case TRuleFault::Empty:
        return "空の規則です（使われません）";
    case TRuleFault::UnclosedGroup:
        return "「(」に対する「)」がなく一致しません";
    case TRuleFault::EmptyClass:
        return "空の「[]」か行末の「[」で一致しません";
    case TRuleFault::TooDeep:
        return "括弧が深すぎて一致しません";
    }
    return {};
}

} // namespace zanpel
