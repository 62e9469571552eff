// The comma list (the one line syntax of every text format of the system) and
// the escaping of free text that keeps items free of separators. Text is CP932:
// a lead byte and the byte after it are always stepped over together.
#pragma once

#include "records/timevalues.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zanpel {

using StringList = std::vector<std::string>;

// Items of a comma list: split at commas and blanks, double quotes quote.
void Split(std::string_view line, StringList& items);
StringList Split(std::string_view line);
// The same items as views into line; an item that held doubled quotes is
// copied into storage (whose texts must outlive the views).
void SplitViews(std::string_view line, std::vector<std::string_view>& items,
                std::deque<std::string>& storage);
// The comma list of items, quoting those that hold blanks, quotes or commas.
std::string Join(const StringList& items);
// Appends one item as Join writes it (quoted only when it must be).
void AppendListItem(std::string& line, std::string_view item);
// Appends text in double quotes, each quote inside doubled, so that it reads
// back as the one item it was.
void AppendQuoted(std::string& out, std::string_view text);

std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view text);

// One value of JoinFields: escaped text, a decimal integer, or 0/1.
class Field {
public:
    Field(std::string_view text) : m_value(text) {}
    Field(const char* text) : m_value(std::string_view(text)) {}
    Field(const std::string& text) : m_value(std::string_view(text)) {}
    Field(int value) : m_value(static_cast<long long>(value)) {}
    Field(long long value) : m_value(value) {}
    Field(bool value) : m_value(value) {}
    void AppendTo(std::string& out) const;

private:
    std::variant<std::string_view, long long, bool> m_value;
};
std::string JoinFields(std::initializer_list<Field> values);

// Splits a buffer into lines at LF, dropping the CR of CR LF.
class LineReader {
public:
    explicit LineReader(std::string_view buffer) : m_rest(buffer) {}
    bool Next(std::string_view& line);

private:
    std::string_view m_rest;
};

// One line of a file split into its items, with typed accessors.
class TCSVFile {
public:
    void SetLine(std::string_view line) { Split(line, m_items); }
    std::string GetLine() const { return Join(m_items); }
    bool ReadLine(LineReader& reader);

    int Count() const { return static_cast<int>(m_items.size()); }
    void Clear() { m_items.clear(); }
    StringList& Items() { return m_items; }
    const StringList& Items() const { return m_items; }

    const std::string& GetRaw(int i) const;
    std::string GetText(int i) const;
    DayNumber GetDate(int i, int currentYear) const;
    Seconds GetTime(int i) const;
    int32_t GetInt(int i) const;
    int32_t GetIntAfterColon(int i) const;

    int Add(std::string item);
    int AddText(std::string_view text) { return Add(EscapeText(text)); }
    int AddDate(DayNumber day) { return Add(FormatDate(day)); }
    int AddTime(Seconds s) { return Add(FormatTime(s)); }

private:
    StringList m_items;
};

} // namespace zanpel
