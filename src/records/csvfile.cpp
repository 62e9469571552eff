#include "records/csvfile.h"

namespace zanpel {
namespace {

bool IsBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b >= 1 && b <= 32;
}

bool IsLead(char c) {
    return IsLeadByte(static_cast<unsigned char>(c));
}

size_t CharLength(std::string_view s, size_t i) {
    return Cp932CharLength(s, i);
}

size_t SkipBlanks(std::string_view s, size_t i) {
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return i;
}

// A quoted item starting at the quote at i; returns the index after it. A
// missing closing quote makes the item run to the end of the line.
size_t ReadQuoted(std::string_view s, size_t i, std::string& item) {
    ++i;
    while (i < s.size()) {
        if (s[i] == '"') {
            if (i + 1 < s.size() && s[i + 1] == '"') {
                item += '"';
                i += 2;
                continue;
            }
            return i + 1;
        }
        const size_t n = CharLength(s, i);
        item.append(s.substr(i, n));
        i += n;
    }
    return i;
}

// As ReadQuoted, but as a view when the item holds no doubled quote.
size_t ReadQuotedView(std::string_view s, size_t i, std::string_view& item,
                      std::deque<std::string>& storage) {
    const size_t start = i + 1;
    for (size_t j = start; j < s.size();) {
        if (s[j] == '"') {
            if (j + 1 < s.size() && s[j + 1] == '"')
                break; // doubled quotes: the item needs a copy
            item = s.substr(start, j - start);
            return j + 1;
        }
        j += CharLength(s, j);
    }
    std::string& copy = storage.emplace_back();
    const size_t end = ReadQuoted(s, i, copy);
    item = copy;
    return end;
}

size_t ReadPlainView(std::string_view s, size_t i, std::string_view& item) {
    const size_t start = i;
    while (i < s.size() && !IsBlank(s[i]) && s[i] != ',')
        i += CharLength(s, i);
    item = s.substr(start, i - start);
    return i;
}

size_t ReadPlain(std::string_view s, size_t i, std::string& item) {
    const size_t start = i;
    while (i < s.size() && !IsBlank(s[i]) && s[i] != ',')
        i += CharLength(s, i);
    item.assign(s.substr(start, i - start));
    return i;
}

bool NeedsQuotes(std::string_view item) {
    for (char c : item)
        if (IsBlank(c) || c == '"' || c == ',')
            return true;
    return false;
}

} // namespace

void Split(std::string_view line, StringList& items) {
    items.clear();
    size_t i = SkipBlanks(line, 0);
    while (i < line.size()) {
        std::string& item = items.emplace_back();
        i = line[i] == '"' ? ReadQuoted(line, i, item) : ReadPlain(line, i, item);
        i = SkipBlanks(line, i);
        if (i < line.size() && line[i] == ',')
            i = SkipBlanks(line, i + 1);
    }
}

void SplitViews(std::string_view line, std::vector<std::string_view>& items,
                std::deque<std::string>& storage) {
    items.clear();
    size_t i = SkipBlanks(line, 0);
    while (i < line.size()) {
        std::string_view& item = items.emplace_back();
        i = line[i] == '"' ? ReadQuotedView(line, i, item, storage) : ReadPlainView(line, i, item);
        i = SkipBlanks(line, i);
        if (i < line.size() && line[i] == ',')
            i = SkipBlanks(line, i + 1);
    }
}

StringList Split(std::string_view line) {
    StringList items;
    Split(line, items);
    return items;
}

std::string Join(const StringList& items) {
    if (items.size() == 1 && items[0].empty())
        return "\"\"";
    std::string line;
    for (size_t k = 0; k < items.size(); ++k) {
        if (k > 0)
            line += ',';
        AppendListItem(line, items[k]);
    }
    return line;
}

void AppendListItem(std::string& line, std::string_view item) {
    if (NeedsQuotes(item))
        AppendQuoted(line, item);
    else
        line += item;
}

void AppendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Bytes that escaping leaves alone one by one.
static bool IsPlainByte(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b > 32 && b < 0x80 && c != '"' && c != ',' && c != '\\';
}

// One byte that is no part of a double-byte character, escaped. Every byte
// that is no separator (a zero byte too) is kept as it is.
static void AppendEscapedByte(std::string& out, char c) {
    switch (c) {
    case '\t':
        out += "\\t";
        break;
    case '\n':
        out += "\\n";
        break;
    case '\r':
        break;
    case ' ':
        out += "\\s";
        break;
    case '"':
        out += "\\q";
        break;
    case ',':
        out += "\\c";
        break;
    case '\\':
        out += "\\\\";
        break;
    default:
        out += c;
        break;
    }
}

std::string EscapeText(std::string_view text) {
    bool plain = true;
    for (char c : text)
        plain = plain && IsPlainByte(c);
    if (plain)
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    // Where in out a lead byte without its trail byte was written: it must
    // not pair with the byte written after it (the backslash of an escape, or
    // any other trail byte), else it is written as an escape of its own.
    size_t stray = std::string::npos;
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLength(text, i);
        if (n == 2)
            out.append(text.substr(i, 2));
        else
            AppendEscapedByte(out, text[i]);
        if (stray != std::string::npos && out.size() > stray + 1) {
            if (IsTrailByte(static_cast<unsigned char>(out[stray + 1])))
                out.insert(stray, 1, '\\');
            stray = std::string::npos;
        }
        if (n == 1 && IsLead(text[i]))
            stray = out.size() - 1;
        i += n;
    }
    return out;
}

std::string UnescapeText(std::string_view text) {
    if (text.find('\\') == std::string_view::npos)
        return std::string(text); // only escapes change anything
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const size_t n = CharLength(text, i);
        if (n == 2 || text[i] != '\\') {
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        if (++i == text.size())
            break;
        switch (text[i]) {
        case 'c':
            out += ',';
            break;
        case 'n':
            out += "\r\n";
            break;
        case 'q':
            out += '"';
            break;
        case 's':
            out += ' ';
            break;
        case 't':
            out += '\t';
            break;
        default:
            out += text[i];
            break;
        }
        ++i;
    }
    return out;
}

void Field::AppendTo(std::string& out) const {
    // Escaped text needs quotes only when it holds control characters, which
    // the comma list would otherwise take for separators.
    if (const auto* text = std::get_if<std::string_view>(&m_value))
        AppendListItem(out, EscapeText(*text));
    else if (const auto* number = std::get_if<long long>(&m_value))
        out += std::to_string(*number);
    else
        out += std::get<bool>(m_value) ? '1' : '0';
}

std::string JoinFields(std::initializer_list<Field> values) {
    std::string out;
    bool first = true;
    for (const Field& value : values) {
        if (!first)
            out += ',';
        first = false;
        value.AppendTo(out);
    }
    return out;
}

bool LineReader::Next(std::string_view& line) {
    if (m_rest.empty())
        return false;
    const size_t lf = m_rest.find('\n');
    const size_t end = lf == std::string_view::npos ? m_rest.size() : lf;
    line = m_rest.substr(0, end);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    m_rest.remove_prefix(lf == std::string_view::npos ? m_rest.size() : lf + 1);
    return true;
}

bool TCSVFile::ReadLine(LineReader& reader) {
    std::string_view line;
    if (!reader.Next(line))
        return false;
    SetLine(line);
    return true;
}

const std::string& TCSVFile::GetRaw(int i) const {
    static const std::string empty;
    return i >= 0 && i < Count() ? m_items[static_cast<size_t>(i)] : empty;
}

std::string TCSVFile::GetText(int i) const {
    return UnescapeText(GetRaw(i));
}

DayNumber TCSVFile::GetDate(int i, int currentYear) const {
    return ParseDate(GetRaw(i), currentYear);
}

Seconds TCSVFile::GetTime(int i) const {
    return ParseTime(GetRaw(i));
}

int32_t TCSVFile::GetInt(int i) const {
    return ParseInt(GetRaw(i));
}

int32_t TCSVFile::GetIntAfterColon(int i) const {
    const std::string& raw = GetRaw(i);
    const size_t colon = raw.find(':');
    return colon == std::string::npos ? 0 : ParseInt(std::string_view(raw).substr(colon + 1));
}

int TCSVFile::Add(std::string item) {
    m_items.push_back(std::move(item));
    return Count() - 1;
}

} // namespace zanpel
