// The page "作業項目" of the settings dialog as state: the dialog's own copy
// of the work definitions, the line selected in its list, the four input
// fields, and the commands (up, down, delete, "← 更新(&A)", the history
// choice, "消去(&E)"). Texts are CP932; the multi-line fields hold their
// lines separated by CR LF.
#pragma once

#include "tracking/appswitch.h"

#include <string>
#include <vector>

namespace zanpel {

// How the list shows the definition with an empty name, the ignore list.
std::string IgnoreListCaption(); // "-【APP無視リスト】-" (CP932)

struct TWorkItemFields {
    std::string Title;       // WorkTitle
    std::string Memo;        // 標準メモ
    std::string Categories;  // 分類リスト, one per line
    std::string Rules;       // アプリ切換えリスト, one per line
    bool AutoSwitch = false; // 自動切換えを有効化
    bool operator==(const TWorkItemFields&) const = default;
};

class TWorkItemEditor {
public:
    explicit TWorkItemEditor(const TAppSwitch& definitions);

    const TAppSwitch& Definitions() const { return m_copy; }
    // The list's lines: one per definition, in order.
    std::vector<std::string> Lines() const;
    int Selected() const { return m_selected; }

    TWorkItemFields Fields;

    // Selects a line (-1: none); a line fills the fields from its definition.
    void Select(int index);
    bool CanUp() const { return m_selected > 0; }
    bool CanDown() const { return m_selected >= 0 && m_selected < m_copy.Count() - 1; }
    // The rest item can never be deleted.
    bool CanDelete() const;
    void Up();
    void Down();
    // Without asking; no line is selected afterwards.
    void Delete();

    // Ctrl+Up, Ctrl+Down, Ctrl+Delete with a line selected: the command runs
    // when it is enabled, and the key is consumed (true).
    enum class Key { Up, Down, Delete };
    bool CtrlKey(Key key);

    // "← 更新(&A)": the fields as a definition line, parsed into the copy
    // (replacing the definition of the same name in place, else appended).
    // No line is selected afterwards. False when the line is refused.
    bool AddOrReplace();
    // Why "← 更新(&A)" refuses the fields (UTF-8): the computer-on record's
    // name is no work item's. Empty when it takes them.
    std::string Refusal() const;
    std::string BuildLine() const;

    // What the fields hold that "← 更新(&A)" has not taken into the copy: a
    // definition of a new name, changes to the one of the same name, or
    // nothing (also when the fields are empty). Compared as the definition
    // file would hold them, so that blanks and line ends do not count. A
    // name that is refused counts as new, so that it is asked about and the
    // refusal shown rather than dropped without a word.
    enum class Pending { None, New, Changed };
    Pending PendingFields() const;

    // The definitions as "← 更新(&A)" would leave them with these fields:
    // the copy, with the fields' definition put in (unless they are empty
    // or refused). What the rule tester matches against before a save.
    TAppSwitch DefinitionsWith(const TWorkItemFields& fields) const;

    // A line of the APP list history joins the rules unless they hold it
    // already (letter case ignored).
    void AddHistory(const std::string& line);
    // "消去(&E)": the four text fields; the check box stays.
    void ClearFields();

private:
    void MoveSelected(int to);
    // The fields that selecting definition index shows.
    TWorkItemFields FieldsOf(int index) const;
    static std::string LineOf(const TWorkItemFields& fields);
    static bool IsEmpty(const TWorkItemFields& fields);

    TAppSwitch m_copy;
    int m_selected = -1;
};

// The lines of a multi-line field (CR LF, LF or CR), each without blanks
// and control characters at its ends; empty lines are left out.
std::vector<std::string> FieldLines(const std::string& text);
// Lines joined by CR LF, as a multi-line field holds them.
std::string JoinLines(const std::vector<std::string>& lines);

} // namespace zanpel
