// The work definitions: one per work item, in the order of the buttons, each
// with its standard memo, category list and application rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

class AtomicWriter;

// How a rule's pattern is compared with a window title. A rule's text marks
// the first two by "!" and "/" before the pattern.
enum class TMatchKind : uint8_t {
    mkExactTitle = 0, // "!": the title is the pattern, letter for letter
    mkWholeTitle = 1, // "/": the pattern matches the whole title
    mkAnywhere = 2,   // the pattern is found anywhere in the title
};

// One application rule of a work definition (despite its name, a single
// rule): which application and window title switch to the item.
struct TAppDefs {
    std::string ExeName; // lower case; empty means any application
    TMatchKind MatchKind = TMatchKind::mkExactTitle;
    bool StopAfterSwitch = false;
    std::string Pattern; // empty or "*" means any title
    bool operator==(const TAppDefs&) const = default;
};

// One work definition (despite its name, a single one; TAppSwitch holds the
// list): an item's name, its standard memo, categories and rules.
struct TAppList {
    std::string Name;
    std::string Memo;
    std::string Categories; // comma list
    bool SwitchEnabled = false;
    std::vector<TAppDefs> Rules;
    bool operator==(const TAppList&) const = default;
};

// One rule from its text ("excel.exe:!Book1") and back.
TAppDefs ParseRule(std::string_view text);
std::string FormatRule(const TAppDefs& rule);

// What one rule makes of an application (appmatch.cpp): the test of the
// bar's matching, which the rule tester's explanations use as well.
enum class TRuleTest : uint8_t {
    Matches,
    Empty,        // neither a program nor a title: the rule is passed over
    OtherProgram, // the rule names another program
    OtherTitle,   // the program fits, the title does not
};
TRuleTest TestRule(const TAppDefs& rule, std::string_view exeName, std::string_view title);

// The work definitions in the order of the buttons, as the definition file
// holds them, with the rules that switch items by application.
class TAppSwitch {
public:
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }

    // Replaces the definition of the same name in place, or appends.
    int AddEntry(const TAppList& item);
    void Assign(const TAppSwitch& other);

    // Index must be within range (see Count).
    const TAppList& Items(int index) const { return m_items[static_cast<size_t>(index)]; }
    TAppList& Items(int index) { return m_items[static_cast<size_t>(index)]; }
    bool SwitchEnabledOf(int index) const;

    int IndexOf(const std::string& name) const;
    void Delete(int index);
    void DeleteByName(const std::string& name) { Delete(IndexOf(name)); }
    void Move(int from, int to);
    std::string MemoOf(const std::string& name) const;

    std::string GetField(int index, int which) const;
    void SetField(int index, int which, const std::string& text);

    // --- text form (appswitchtext.cpp)
    // Parses one definition line and adds it; -1 when it is no definition
    // line, RefusedName when it names the computer-on record (whose name no
    // work item may take: its periods would count as that record's rests).
    static constexpr int RefusedName = -2;
    int ParseLine(std::string_view line);
    // The rules of a definition as a comma list (GetField 3).
    std::string RulesText(int index) const;
    // The line SaveToFile writes for a definition (without line end).
    std::string FormatLine(int index) const;

    // --- the definition file (appswitchfile.cpp)
    // A missing file changes nothing. Otherwise the definitions are replaced
    // by the file's and the rest item is added when missing. False with the
    // cause in error when the file exists but cannot be read (the definitions
    // stay as they were), or holds lines that a save would write otherwise
    // or drop (the definitions read are kept).
    bool LoadFromFile(const std::string& path, std::string& error);
    // Replaces the file atomically through writer; false with the cause in
    // error.
    bool SaveToFile(const std::string& path, AtomicWriter& writer, std::string& error) const;

    // --- matching (appmatch.cpp)
    // Index of the definition whose rule matches the application first, or
    // -1. A match also sets the two fields below: the rule's stop mark and
    // its index among the definition's rules.
    int Match(std::string_view exeName, std::string_view title);

    bool LastStopAfterSwitch = false;
    int LastMatchedRule = -1;

private:
    bool InRange(int index) const { return index >= 0 && index < Count(); }
    // A definition line as read: its number, the definition it gave (or
    // RefusedName).
    struct ReadLine {
        int Number;
        int Index;
        std::string_view Text;
    };
    std::string ChangedLines(const std::vector<ReadLine>& read) const;
    std::vector<TAppList> m_items;
};

} // namespace zanpel
