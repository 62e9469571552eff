// The text form of a definition: one comma list per line, "@name", the memo,
// the categories, then "@AP1" or "@APX" and one field per rule.
#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcompare.h"
#include "tracking/appswitch.h"

namespace zanpel {
namespace {

constexpr std::string_view RuleMarker = "@AP";
constexpr std::string_view SwitchOnMarker = "@AP1";
constexpr std::string_view SwitchOffMarker = "@APX";

// Offset of the first "/" or ":" outside double-byte characters, or npos.
size_t FindRuleSeparator(std::string_view text) {
    for (size_t i = 0; i < text.size(); i += Cp932CharLength(text, i))
        if (text[i] == '/' || text[i] == ':')
            return i;
    return std::string_view::npos;
}

// Appends text as a quoted comma-list item followed by a comma: "a","b", is
// the form in which categories and rules are held and written. Quotes inside
// are doubled so that the list always splits back into the same items.
void AppendQuotedField(std::string& out, std::string_view text) {
    AppendQuoted(out, text);
    out += ',';
}

} // namespace

TAppDefs ParseRule(std::string_view text) {
    TAppDefs rule;
    std::string_view title = text;
    const size_t separator = FindRuleSeparator(text);
    if (separator != std::string_view::npos) {
        rule.ExeName = LowerAsciiLetters(text.substr(0, separator));
        rule.StopAfterSwitch = text[separator] == ':';
        title = text.substr(separator + 1);
    }
    rule.MatchKind = TMatchKind::mkAnywhere;
    if (!title.empty() && (title[0] == '!' || title[0] == '/')) {
        rule.MatchKind = title[0] == '!' ? TMatchKind::mkExactTitle : TMatchKind::mkWholeTitle;
        title.remove_prefix(1);
    }
    rule.Pattern = std::string(title);
    return rule;
}

std::string FormatRule(const TAppDefs& rule) {
    // A title pattern alone is written bare only when reading it back cannot
    // take part of it for an executable name; "http://x" is written "/http://x".
    if (rule.MatchKind == TMatchKind::mkAnywhere && !rule.StopAfterSwitch && rule.ExeName.empty() &&
        FindRuleSeparator(rule.Pattern) == std::string_view::npos)
        return rule.Pattern;
    std::string text = rule.ExeName;
    text += rule.StopAfterSwitch ? ':' : '/';
    if (rule.MatchKind == TMatchKind::mkExactTitle)
        text += '!';
    else if (rule.MatchKind == TMatchKind::mkWholeTitle)
        text += '/';
    text += rule.Pattern;
    return text;
}

int TAppSwitch::ParseLine(std::string_view line) {
    if (line.empty() || line[0] != '@')
        return -1;
    const StringList fields = Split(line);
    if (fields.empty())
        return -1;
    TAppList item;
    item.Name = UnescapeText(std::string_view(fields[0]).substr(1));
    if (item.Name == LoginName)
        return RefusedName;
    if (fields.size() > 1)
        item.Memo = UnescapeText(fields[1]);
    size_t k = 2;
    for (; k < fields.size(); ++k) {
        // The marker is recognised as written, so that a category written
        // as "\@AP..." stays a category.
        if (fields[k].compare(0, RuleMarker.size(), RuleMarker) == 0) {
            item.SwitchEnabled = fields[k] == SwitchOnMarker;
            break;
        }
        AppendQuotedField(item.Categories, UnescapeText(fields[k]));
    }
    for (++k; k < fields.size(); ++k)
        item.Rules.push_back(ParseRule(UnescapeText(fields[k])));
    return AddEntry(item);
}

std::string TAppSwitch::RulesText(int index) const {
    std::string text;
    if (InRange(index))
        for (const TAppDefs& rule : Items(index).Rules)
            AppendQuotedField(text, FormatRule(rule));
    return text;
}

std::string TAppSwitch::FormatLine(int index) const {
    const TAppList& item = Items(index);
    // "@" and the name must open the line unquoted; the memo is quoted only if
    // it holds control characters.
    std::string line = "@";
    line += EscapeText(item.Name);
    line += ',';
    line += JoinFields({item.Memo});
    line += ',';
    // Categories and rules are escaped like every other field, so that a
    // backslash in a pattern (\d, \j) or a quote in a category reads back as
    // written; for ordinary texts the bytes are those of the plain form.
    for (const std::string& category : Split(item.Categories)) {
        std::string escaped = EscapeText(category);
        // A category that would read back as the rule marker gets an
        // escaped "@" (which reads back as "@").
        if (escaped.compare(0, RuleMarker.size(), RuleMarker) == 0)
            escaped.insert(0, 1, '\\');
        AppendQuotedField(line, escaped);
    }
    if (item.Rules.empty())
        return line;
    line += item.SwitchEnabled ? SwitchOnMarker : SwitchOffMarker;
    line += ',';
    for (const TAppDefs& rule : item.Rules)
        AppendQuotedField(line, EscapeText(FormatRule(rule)));
    return line;
}

} // namespace zanpel
