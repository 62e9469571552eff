#include "settings/workitemeditor.h"

#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "records/textcompare.h"

namespace zanpel {
namespace {

std::string_view WithoutBlankEnds(std::string_view s) {
    const auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string IgnoreListCaption() {
    static const std::string caption = Utf8ToCp932("-【APP無視リスト】-");
    return caption;
}

std::vector<std::string> FieldLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line =
            WithoutBlankEnds(std::string_view(text).substr(start, end - start));
        if (!line.empty())
            lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r\n") + line;
    return text;
}

TWorkItemEditor::TWorkItemEditor(const TAppSwitch& definitions) {
    m_copy.Assign(definitions);
}

std::vector<std::string> TWorkItemEditor::Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < m_copy.Count(); ++i) {
        const std::string& name = m_copy.Items(i).Name;
        lines.push_back(name.empty() ? IgnoreListCaption() : name);
    }
    return lines;
}

void TWorkItemEditor::Select(int index) {
    m_selected = index >= 0 && index < m_copy.Count() ? index : -1;
    if (m_selected < 0)
        return;
    Fields.Title = m_copy.GetField(m_selected, 0);
    Fields.Memo = m_copy.GetField(m_selected, 1);
    Fields.Categories = JoinLines(Split(m_copy.GetField(m_selected, 2)));
    Fields.Rules = JoinLines(Split(m_copy.GetField(m_selected, 3)));
    Fields.AutoSwitch = m_copy.SwitchEnabledOf(m_selected);
}

bool TWorkItemEditor::CanDelete() const {
    return m_selected >= 0 && m_copy.Items(m_selected).Name != RestName();
}

void TWorkItemEditor::MoveSelected(int to) {
    m_copy.Move(m_selected, to);
    m_selected = to;
}

void TWorkItemEditor::Up() {
    if (CanUp())
        MoveSelected(m_selected - 1);
}

void TWorkItemEditor::Down() {
    if (CanDown())
        MoveSelected(m_selected + 1);
}

void TWorkItemEditor::Delete() {
    if (!CanDelete())
        return;
    m_copy.Delete(m_selected);
    m_selected = -1;
}

bool TWorkItemEditor::CtrlKey(Key key) {
    if (m_selected < 0)
        return false;
    switch (key) {
    case Key::Up:
        Up();
        break;
    case Key::Down:
        Down();
        break;
    case Key::Delete:
        Delete();
        break;
    }
    return true;
}

std::string TWorkItemEditor::BuildLine() const {
    // The line is written the way the definition file holds it, so that
    // categories and rules read back exactly as typed: a backslash in a
    // pattern, a category that begins like the rule marker, and no empty
    // category when the list is empty.
    TAppList item;
    item.Name = Fields.Title;
    item.Memo = Fields.Memo;
    item.Categories = Join(FieldLines(Fields.Categories));
    item.SwitchEnabled = Fields.AutoSwitch;
    for (const std::string& rule : FieldLines(Fields.Rules))
        item.Rules.push_back(ParseRule(rule));
    TAppSwitch line;
    line.AddEntry(item);
    return line.FormatLine(0);
}

bool TWorkItemEditor::AddOrReplace() {
    if (m_copy.ParseLine(BuildLine()) < 0)
        return false;
    m_selected = -1;
    return true;
}

void TWorkItemEditor::AddHistory(const std::string& line) {
    const std::string_view rule = WithoutBlankEnds(line);
    if (rule.empty())
        return;
    for (const std::string& have : FieldLines(Fields.Rules))
        if (SameTextIgnoreCase(have, rule))
            return;
    std::vector<std::string> lines = FieldLines(Fields.Rules);
    lines.emplace_back(rule);
    Fields.Rules = JoinLines(lines);
}

void TWorkItemEditor::ClearFields() {
    Fields.Title.clear();
    Fields.Memo.clear();
    Fields.Categories.clear();
    Fields.Rules.clear();
}

} // namespace zanpel
