#include "app/switchlogline.h"

#include "records/textcodec.h"

#include <array>
#include <charconv>
#include <vector>

namespace zanpel {
namespace {

constexpr char Hex[] = "0123456789ABCDEF";

const std::array<std::pair<TSwitchCause, std::string_view>, 5> CauseNames = {{
    {TSwitchCause::Rule, "rule"},
    {TSwitchCause::RestStart, "rest"},
    {TSwitchCause::RestEnd, "rest-end"},
    {TSwitchCause::Resume, "resume"},
    {TSwitchCause::HandOver, "handover"},
}};

bool IsControl(unsigned char b) {
    return b < 0x20 || b == 0x7F;
}

void AppendByteEscape(std::string& out, unsigned char b) {
    out += "\\x";
    out += Hex[b >> 4];
    out += Hex[b & 0x0F];
}

// An ASCII byte of the field's text, escaped where it would break the line.
void AppendAscii(std::string& out, unsigned char b) {
    switch (b) {
    case '\\':
        out += "\\\\";
        return;
    case '\t':
        out += "\\t";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\r':
        out += "\\r";
        return;
    default:
        if (IsControl(b))
            AppendByteEscape(out, b);
        else
            out += static_cast<char>(b);
    }
}

// UTF-8 that a terminal or a list shows as it is: no replacement character
// (a byte the conversion did not know) and no C1 control character.
bool IsShowable(std::string_view utf8) {
    for (size_t i = 0; i + 1 < utf8.size(); ++i) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const auto next = static_cast<unsigned char>(utf8[i + 1]);
        if (b == 0xC2 && next < 0xA0)
            return false;
        if (b == 0xEF && utf8.substr(i, 3) == "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

// The UTF-8 of cp932 when it converts there and back unchanged; else none.
std::optional<std::string> FaithfulUtf8(std::string_view cp932) {
    std::string utf8 = Cp932ToUtf8(cp932);
    if (!IsShowable(utf8) || Utf8ToCp932(utf8) != cp932)
        return std::nullopt;
    return utf8;
}

// Length of the well-formed UTF-8 character at i, or 0.
size_t Utf8CharLength(std::string_view s, size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80)
        return 1;
    size_t n = 0;
    uint32_t code = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        code = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        code = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        code = b & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (c & 0x3F);
    }
    const bool overlong = (n == 3 && code < 0x800) || (n == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return overlong || surrogate || code > 0x10FFFF ? 0 : n;
}

// A run of the field without escapes, into CP932; false when it is no
// well-formed UTF-8 or holds a control character.
bool AppendLiteral(std::string& out, std::string_view run) {
    for (size_t i = 0; i < run.size();) {
        const size_t n = Utf8CharLength(run, i);
        if (n == 0 || (n == 1 && IsControl(static_cast<unsigned char>(run[i]))))
            return false;
        i += n;
    }
    out += Utf8ToCp932(run);
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The escape at field[i] (a backslash) into out; the length it took, or 0.
size_t AppendEscape(std::string& out, std::string_view field, size_t i) {
    if (i + 1 >= field.size())
        return 0;
    switch (field[i + 1]) {
    case '\\':
        out += '\\';
        return 2;
    case 't':
        out += '\t';
        return 2;
    case 'n':
        out += '\n';
        return 2;
    case 'r':
        out += '\r';
        return 2;
    case 'x': {
        if (i + 3 >= field.size())
            return 0;
        const int high = HexValue(field[i + 2]);
        const int low = HexValue(field[i + 3]);
        if (high < 0 || low < 0)
            return 0;
        out += static_cast<char>(high * 16 + low);
        return 4;
    }
    default:
        return 0;
    }
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    for (size_t tab = line.find('\t'); tab != std::string_view::npos;
         tab = line.find('\t', start)) {
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::optional<TSwitchCause> CauseOfName(std::string_view name) {
    for (const auto& [cause, text] : CauseNames)
        if (text == name)
            return cause;
    return std::nullopt;
}

std::string_view NameOfCause(TSwitchCause cause) {
    for (const auto& [known, text] : CauseNames)
        if (known == cause)
            return text;
    return CauseNames[0].second;
}

// The rule field: empty for none, else its number from 1.
std::optional<int> ParseRuleNumber(std::string_view text) {
    if (text.empty())
        return -1;
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < 1 || text[0] == '0')
        return std::nullopt;
    return number - 1;
}

} // namespace

std::string EscapeLogText(std::string_view cp932) {
    std::string out;
    // Mostly the whole text converts faithfully: then only its ASCII needs
    // escapes (UTF-8 repeats no ASCII byte inside a character).
    if (const std::optional<std::string> utf8 = FaithfulUtf8(cp932)) {
        for (const char c : *utf8) {
            if (static_cast<unsigned char>(c) < 0x80)
                AppendAscii(out, static_cast<unsigned char>(c));
            else
                out += c;
        }
        return out;
    }
    for (size_t i = 0; i < cp932.size();) {
        const std::string_view unit = cp932.substr(i, Cp932CharLength(cp932, i));
        i += unit.size();
        if (unit.size() == 1 && static_cast<unsigned char>(unit[0]) < 0x80) {
            AppendAscii(out, static_cast<unsigned char>(unit[0]));
        } else if (const std::optional<std::string> utf8 = FaithfulUtf8(unit)) {
            out += *utf8;
        } else {
            for (const char b : unit)
                AppendByteEscape(out, static_cast<unsigned char>(b));
        }
    }
    return out;
}

std::optional<std::string> UnescapeLogText(std::string_view field) {
    std::string out;
    size_t runStart = 0;
    for (size_t i = field.find('\\'); i != std::string_view::npos; i = field.find('\\', runStart)) {
        if (!AppendLiteral(out, field.substr(runStart, i - runStart)))
            return std::nullopt;
        const size_t taken = AppendEscape(out, field, i);
        if (taken == 0)
            return std::nullopt;
        runStart = i + taken;
    }
    if (!AppendLiteral(out, field.substr(runStart)))
        return std::nullopt;
    return out;
}

std::string FormatSwitchLine(const TSwitchEntry& entry) {
    std::string line = SwitchTimeText(entry);
    line += '\t';
    line += NameOfCause(entry.Cause);
    line += '\t';
    line += EscapeLogText(entry.Item);
    line += '\t';
    if (entry.Rule >= 0)
        line += std::to_string(entry.Rule + 1);
    for (const std::string* text : {&entry.Detail, &entry.Program, &entry.Title}) {
        line += '\t';
        line += EscapeLogText(*text);
    }
    return line;
}

std::optional<TSwitchEntry> ParseSwitchLine(std::string_view line) {
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != 7)
        return std::nullopt;
    const std::optional<TDateTime> time = ParseDateTime(fields[0]);
    const std::optional<TSwitchCause> cause = CauseOfName(fields[1]);
    const std::optional<int> rule = ParseRuleNumber(fields[3]);
    if (!time || !cause || !rule)
        return std::nullopt;
    TSwitchEntry entry;
    entry.Day = WholeDays(*time);
    entry.Second = SecondsOfDay(*time);
    entry.Cause = *cause;
    entry.Rule = *rule;
    const std::pair<size_t, std::string*> texts[] = {
        {2, &entry.Item}, {4, &entry.Detail}, {5, &entry.Program}, {6, &entry.Title}};
    for (const auto& [index, text] : texts) {
        std::optional<std::string> value = UnescapeLogText(fields[index]);
        if (!value)
            return std::nullopt;
        *text = std::move(*value);
    }
    return entry;
}

} // namespace zanpel
