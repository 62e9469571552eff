#include "settings/initfile.h"

#include "records/atomicfile.h"
#include "records/textcompare.h"
#include "records/timevalues.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace zanpel {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLineOfKey(std::string_view line, std::string_view key) {
    const size_t equals = line.find('=');
    return equals != std::string_view::npos && SameTextIgnoreCase(line.substr(0, equals), key);
}

} // namespace

std::optional<int32_t> ToDecimalInt(std::string_view text) {
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), IsDigit))
        return std::nullopt;
    // ParseInt saturates instead of overflowing, so a number past the 32-bit
    // range has to be told apart by its digits.
    const size_t first = digits.find_first_not_of('0');
    const std::string_view significant =
        first == std::string_view::npos ? std::string_view() : digits.substr(first);
    constexpr std::string_view Largest = "2147483647";
    if (significant.size() > Largest.size() ||
        (significant.size() == Largest.size() && significant > Largest)) {
        if (negative && significant == "2147483648")
            return std::numeric_limits<int32_t>::min();
        return std::nullopt;
    }
    return ParseInt(text);
}

bool TInitFile::Load(std::string& error) {
    m_lines.clear();
    m_writtenKeys.clear();
    m_modified = false;
    if (m_fileName.empty() || !FileExists(m_fileName))
        return true;
    std::string contents;
    if (!ReadWholeFile(m_fileName, contents, error))
        return false;
    SetText(contents);
    return true;
}

void TInitFile::SetText(std::string_view text) {
    m_lines.clear();
    m_writtenKeys.clear();
    m_modified = false;
    while (!text.empty()) {
        const size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            m_lines.emplace_back(text);
            break;
        }
        m_lines.emplace_back(text.substr(0, end));
        const size_t next = text.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        text.remove_prefix(next);
    }
}

std::string TInitFile::Text() const {
    size_t size = 0;
    for (const std::string& line : m_lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const std::string& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string TInitFile::Save(AtomicWriter& writer) {
    if (m_fileName.empty() || !m_modified)
        return {};
    std::string cause = writer.Replace(m_fileName, Text());
    if (cause.empty())
        m_modified = false;
    return cause;
}

int TInitFile::IndexOfKey(std::string_view key) const {
    const auto found = std::find_if(m_lines.begin(), m_lines.end(), [key](const std::string& line) {
        return IsLineOfKey(line, key);
    });
    return found == m_lines.end() ? -1 : static_cast<int>(found - m_lines.begin());
}

std::optional<std::string_view> TInitFile::Value(std::string_view key) const {
    const int index = IndexOfKey(key);
    if (index < 0)
        return std::nullopt;
    const std::string& line = m_lines[static_cast<size_t>(index)];
    return std::string_view(line).substr(line.find('=') + 1);
}

int32_t TInitFile::ReadInt(std::string_view key, int32_t def) const {
    const auto value = Value(key);
    if (!value)
        return def;
    return ToDecimalInt(*value).value_or(def);
}

bool TInitFile::ReadBool(std::string_view key, bool def) const {
    const auto value = Value(key);
    return value ? *value == "1" : def;
}

std::string TInitFile::ReadText(std::string_view key, std::string_view def) const {
    return std::string(Value(key).value_or(def));
}

void TInitFile::WriteInt(std::string_view key, int32_t value) {
    WriteText(key, std::to_string(value));
}

void TInitFile::WriteBool(std::string_view key, bool value) {
    WriteText(key, value ? "1" : "0");
}

void TInitFile::WriteText(std::string_view key, std::string_view value) {
    m_modified = true;
    value = value.substr(0, value.find_first_of("\r\n"));
    if (value.empty()) {
        std::erase_if(m_lines, [key](const std::string& line) { return IsLineOfKey(line, key); });
        return;
    }
    const int index = IndexOfKey(key);
    if (std::none_of(m_writtenKeys.begin(), m_writtenKeys.end(),
                     [key](const std::string& k) { return SameTextIgnoreCase(k, key); }))
        m_writtenKeys.emplace_back(key);
    std::string line;
    line.reserve(key.size() + 1 + value.size());
    line.append(key).append("=").append(value);
    if (index < 0)
        m_lines.push_back(std::move(line));
    else
        m_lines[static_cast<size_t>(index)] = std::move(line);
}

void TInitFile::Sort() {
    // Until now a written line is the first line of its key.
    std::vector<std::pair<std::string_view, std::string>> written;
    for (const std::string& key : m_writtenKeys) {
        const int index = IndexOfKey(key);
        if (index >= 0)
            written.emplace_back(key, m_lines[static_cast<size_t>(index)]);
    }
    std::sort(m_lines.begin(), m_lines.end(), [](const std::string& a, const std::string& b) {
        const int order = CompareTextIgnoreCase(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    // Sorting by the whole line may put a duplicate of the key first, which
    // the next read would take. The lines of a key are adjacent (they share
    // the beginning "KEY="), so moving the written line to the front of them
    // keeps the file in order.
    for (const auto& [key, line] : written) {
        const auto first = m_lines.begin() + IndexOfKey(key);
        const auto at = std::find(first, m_lines.end(), line);
        std::rotate(first, at, at + 1);
    }
    m_modified = true;
}

} // namespace zanpel
