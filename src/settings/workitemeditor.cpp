#include "settings/workitemeditor.h"

#include "records/blanks.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "records/textcompare.h"

#include <optional>

namespace zanpel {
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
        const std::string_view line = TrimBlanks(std::string_view(text).substr(start, end - start));
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
    if (m_selected >= 0)
        Fields = FieldsOf(m_selected);
}

TWorkItemFields TWorkItemEditor::FieldsOf(int index) const {
    TWorkItemFields fields;
    fields.Title = m_copy.GetField(index, 0);
    fields.Memo = m_copy.GetField(index, 1);
    fields.Categories = JoinLines(Split(m_copy.GetField(index, 2)));
    fields.Rules = JoinLines(Split(m_copy.GetField(index, 3)));
    fields.AutoSwitch = m_copy.SwitchEnabledOf(index);
    return fields;
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
    return LineOf(Fields);
}

std::string TWorkItemEditor::LineOf(const TWorkItemFields& fields) {
    // The line is written the way the definition file holds it, so that
    // categories and rules read back exactly as typed: a backslash in a
    // pattern, a category that begins like the rule marker, and no empty
    // category when the list is empty.
    TAppList item;
    item.Name = fields.Title;
    item.Memo = fields.Memo;
    item.Categories = Join(FieldLines(fields.Categories));
    item.SwitchEnabled = fields.AutoSwitch;
    for (const std::string& rule : FieldLines(fields.Rules))
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

std::string TWorkItemEditor::Refusal() const {
    TAppSwitch one;
    if (one.ParseLine(BuildLine()) != TAppSwitch::RefusedName)
        return {};
    return "「" + LoginName + "」はパソコン使用の記録の名前のため、作業項目にはできません。";
}

namespace {

// A definition as a line of the definition file reads it back.
std::optional<TAppList> ReadBack(const std::string& line) {
    TAppSwitch one;
    if (one.ParseLine(line) < 0)
        return std::nullopt;
    return one.Items(0);
}

} // namespace

bool TWorkItemEditor::IsEmpty(const TWorkItemFields& fields) {
    return FieldLines(fields.Title).empty() && FieldLines(fields.Memo).empty() &&
           FieldLines(fields.Categories).empty() && FieldLines(fields.Rules).empty();
}

TAppSwitch TWorkItemEditor::DefinitionsWith(const TWorkItemFields& fields) const {
    TAppSwitch edited = m_copy;
    if (!IsEmpty(fields))
        edited.ParseLine(LineOf(fields));
    return edited;
}

TWorkItemEditor::Pending TWorkItemEditor::PendingFields() const {
    if (IsEmpty(Fields))
        return Pending::None;
    const std::optional<TAppList> typed = ReadBack(BuildLine());
    if (!typed)
        return Pending::New;
    const int index = m_copy.IndexOf(typed->Name);
    if (index < 0)
        return Pending::New;
    // The same as the fields that selecting the definition shows: nothing new.
    return ReadBack(LineOf(FieldsOf(index))) == typed ? Pending::None : Pending::Changed;
}

void TWorkItemEditor::AddHistory(const std::string& line) {
    const std::string_view rule = TrimBlanks(line);
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
