// The work item page of the settings dialog without a display: the copy of
// the definitions, the commands and the definition line it builds.
#include "records/names.h"
#include "settings/workitemeditor.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

class WorkItemPage : public ::testing::Test {
protected:
    WorkItemPage() {
        source.ParseLine(Sjis("@会議,定例の打合せ\\n\\s,\"議事録\",\"準備\",@AP1,\"outlook.exe/"
                              "\",\"excel.exe:!予定表.xls\","));
        source.ParseLine(Sjis("@設計,,"));
        source.ParseLine(Sjis("@休憩,,"));
    }
    std::vector<std::string> Lines(const TWorkItemEditor& editor) const {
        std::vector<std::string> out;
        for (const std::string& line : editor.Lines())
            out.push_back(Cp932ToUtf8(line));
        return out;
    }
    TAppSwitch source;
};

TEST_F(WorkItemPage, FieldsNotTakenIntoTheCopyAreNoticedButNotWhatSelectingShows) {
    TWorkItemEditor editor(source);
    using Pending = TWorkItemEditor::Pending;
    EXPECT_EQ(editor.PendingFields(), Pending::None);
    editor.Fields.Title = " \r\n";
    EXPECT_EQ(editor.PendingFields(), Pending::None); // only blanks
    for (int i = 0; i < source.Count(); ++i) {
        editor.Select(i);
        EXPECT_EQ(editor.PendingFields(), Pending::None) << i;
    }
    editor.Select(0);
    editor.Fields.Rules += "\r\nthunderbird/";
    EXPECT_EQ(editor.PendingFields(), Pending::Changed);
    editor.Fields.Rules += "\r\n\r\n "; // blank lines are no rules
    EXPECT_EQ(editor.PendingFields(), Pending::Changed);
    ASSERT_TRUE(editor.AddOrReplace());
    EXPECT_EQ(editor.PendingFields(), Pending::None);
    editor.ClearFields();
    editor.Fields.Title = Sjis("打合せ");
    EXPECT_EQ(editor.PendingFields(), Pending::New);
    editor.AddOrReplace();
    EXPECT_EQ(editor.PendingFields(), Pending::None);
    editor.ClearFields();
    editor.Fields.Rules = "xterm/"; // no name: the ignore list, which is not there yet
    EXPECT_EQ(editor.PendingFields(), Pending::New);
}

// The computer-on record's name is no work item's: its button would book
// time as that record's rest periods.
TEST_F(WorkItemPage, TheComputerOnRecordsNameIsRefusedAndSaysWhy) {
    TWorkItemEditor editor(source);
    editor.Fields.Title = LoginName;
    editor.Fields.Rules = "calc.exe/";
    EXPECT_EQ(editor.PendingFields(), TWorkItemEditor::Pending::New); // asked about, not dropped
    EXPECT_FALSE(editor.AddOrReplace());
    EXPECT_EQ(editor.Definitions().Count(), source.Count());
    EXPECT_EQ(editor.Refusal(),
              "「%LOGIN%」はパソコン使用の記録の名前のため、作業項目にはできません。");
    editor.Fields.Title = "%login%"; // another name: records' names differ in letter case
    EXPECT_EQ(editor.Refusal(), "");
    EXPECT_TRUE(editor.AddOrReplace());
    EXPECT_EQ(editor.Definitions().Count(), source.Count() + 1);
}

TEST_F(WorkItemPage, SelectingALineFillsTheFieldsFromItsDefinition) {
    TWorkItemEditor editor(source);
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "設計", "休憩"));
    EXPECT_EQ(editor.Selected(), -1);
    editor.Select(0);
    EXPECT_EQ(editor.Fields.Title, Sjis("会議"));
    EXPECT_EQ(editor.Fields.Memo, Sjis("定例の打合せ")); // without the blank and line break
    EXPECT_EQ(editor.Fields.Categories, Sjis("議事録\r\n準備"));
    EXPECT_EQ(editor.Fields.Rules, Sjis("outlook.exe/\r\nexcel.exe:!予定表.xls"));
    EXPECT_TRUE(editor.Fields.AutoSwitch);
    EXPECT_FALSE(editor.CanUp());
    EXPECT_TRUE(editor.CanDown());
    EXPECT_TRUE(editor.CanDelete());
    editor.Select(2);
    EXPECT_FALSE(editor.CanDelete()); // the rest item stays
    EXPECT_FALSE(editor.CanDown());
    EXPECT_TRUE(editor.CanUp());
}

TEST_F(WorkItemPage, UpDownAndDeleteChangeOnlyTheCopy) {
    TWorkItemEditor editor(source);
    editor.Select(0);
    editor.Down();
    EXPECT_THAT(Lines(editor), ElementsAre("設計", "会議", "休憩"));
    EXPECT_EQ(editor.Selected(), 1);
    editor.Up();
    editor.Up(); // already first
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "設計", "休憩"));
    EXPECT_EQ(editor.Selected(), 0);
    editor.Delete();
    EXPECT_THAT(Lines(editor), ElementsAre("設計", "休憩"));
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_EQ(source.Count(), 3); // the work list's definitions are untouched
}

TEST_F(WorkItemPage, CtrlKeysRunEnabledCommandsAndTheRestItemIsNeverDeleted) {
    TWorkItemEditor editor(source);
    EXPECT_FALSE(editor.CtrlKey(TWorkItemEditor::Key::Delete)); // no line: not consumed
    editor.Select(2);
    EXPECT_TRUE(editor.CtrlKey(TWorkItemEditor::Key::Delete)); // consumed, not run
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "設計", "休憩"));
    EXPECT_TRUE(editor.CtrlKey(TWorkItemEditor::Key::Up));
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "休憩", "設計"));
    EXPECT_TRUE(editor.CtrlKey(TWorkItemEditor::Key::Down));
    EXPECT_TRUE(editor.CtrlKey(TWorkItemEditor::Key::Down)); // already last
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "設計", "休憩"));
    editor.Select(1);
    EXPECT_TRUE(editor.CtrlKey(TWorkItemEditor::Key::Delete));
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "休憩"));
}

TEST_F(WorkItemPage, UpdateBuildsADefinitionLineThatReplacesOrAppends) {
    TWorkItemEditor editor(source);
    editor.Select(1);
    editor.Fields.Memo = Sjis("画面\r\n帳票");
    editor.Fields.Categories = Sjis("基本設計\r\n\r\n  詳細 設計 \r\n");
    editor.Fields.Rules = Sjis("Writer.exe//*.odt\r\n予定");
    editor.Fields.AutoSwitch = false;
    EXPECT_EQ(
        Cp932ToUtf8(editor.BuildLine()),
        "@設計,画面\\n帳票,\"基本設計\",\"詳細\\s設計\",@APX,\"writer.exe//*.odt\",\"予定\",");
    ASSERT_TRUE(editor.AddOrReplace());
    EXPECT_EQ(editor.Selected(), -1);
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "設計", "休憩")); // in place
    const TAppList& item = editor.Definitions().Items(1);
    EXPECT_EQ(item.Memo, Sjis("画面\r\n帳票"));
    EXPECT_EQ(item.Categories, Sjis("\"基本設計\",\"詳細 設計\","));
    ASSERT_EQ(item.Rules.size(), 2u);
    EXPECT_EQ(item.Rules[0].ExeName, "writer.exe");
    EXPECT_EQ(item.Rules[0].MatchKind, TMatchKind::mkWholeTitle);
    EXPECT_FALSE(item.SwitchEnabled);

    editor.Fields = {Sjis("レビュー"), "", "", "", true}; // a new name, no rules
    ASSERT_TRUE(editor.AddOrReplace());
    EXPECT_THAT(Lines(editor), ElementsAre("会議", "設計", "休憩", "レビュー"));
    EXPECT_EQ(editor.Definitions().Items(3).Categories, "");   // no empty category
    EXPECT_FALSE(editor.Definitions().Items(3).SwitchEnabled); // nothing to switch by
}

TEST_F(WorkItemPage, RulesAndCategoriesReadBackExactlyAsTyped) {
    TWorkItemEditor editor(source);
    editor.Fields = {Sjis("実装"), "", Sjis("@APIの調査\r\nC:\\work"), Sjis("code//\\d+\\.cpp"),
                     true};
    ASSERT_TRUE(editor.AddOrReplace());
    editor.Select(3);
    EXPECT_EQ(editor.Fields.Categories, Sjis("@APIの調査\r\nC:\\work"));
    EXPECT_EQ(editor.Fields.Rules, Sjis("code//\\d+\\.cpp"));
    EXPECT_TRUE(editor.Fields.AutoSwitch);
}

TEST_F(WorkItemPage, AnEmptyTitleMakesTheIgnoreListThatKeepsItsAppsFromSwitching) {
    TWorkItemEditor editor(source);
    editor.Fields = {"", "", "", "outlook.exe/", true};
    ASSERT_TRUE(editor.AddOrReplace());
    EXPECT_EQ(Cp932ToUtf8(editor.Lines().back()), "-【APP無視リスト】-");
    editor.Select(3);
    for (int i = 0; i < 3; ++i)
        editor.Up();
    TAppSwitch result;
    result.Assign(editor.Definitions());
    EXPECT_EQ(result.Match("outlook.exe", "Inbox"), -1); // the ignore list comes first
    result.Move(0, 3);
    EXPECT_EQ(result.Match("outlook.exe", "Inbox"), 0); // now 会議 switches
}

TEST_F(WorkItemPage, HistoryLinesJoinTheRulesOnceInAnyCaseAndEraseClearsTheFields) {
    TWorkItemEditor editor(source);
    editor.Select(0);
    editor.AddHistory(Sjis("code/main.cpp - 実装"));
    editor.AddHistory(Sjis("OUTLOOK.EXE/"));
    EXPECT_EQ(editor.Fields.Rules,
              Sjis("outlook.exe/\r\nexcel.exe:!予定表.xls\r\ncode/main.cpp - 実装"));
    editor.ClearFields();
    EXPECT_EQ(editor.Fields, (TWorkItemFields{"", "", "", "", true}));
    editor.AddHistory("code/");
    EXPECT_EQ(editor.Fields.Rules, "code/");
}

TEST_F(WorkItemPage, TheDefinitionsAsEditedHoldTheFieldsAsUpdateWouldTakeThem) {
    TWorkItemEditor editor(source);
    const auto names = [](const TAppSwitch& list) {
        std::vector<std::string> out;
        for (int i = 0; i < list.Count(); ++i)
            out.push_back(Cp932ToUtf8(list.Items(i).Name));
        return out;
    };
    EXPECT_EQ(editor.DefinitionsWith(editor.Fields).Items(0), source.Items(0)); // empty fields
    editor.Select(0);
    editor.Fields.Rules += "\r\nteams/";
    const TAppSwitch changed = editor.DefinitionsWith(editor.Fields);
    EXPECT_THAT(names(changed), ElementsAre("会議", "設計", "休憩")); // in place
    ASSERT_EQ(changed.Items(0).Rules.size(), 3u);
    EXPECT_EQ(changed.Items(0).Rules[2].ExeName, "teams");
    EXPECT_EQ(editor.Definitions().Items(0).Rules.size(), 2u); // the copy as it was
    editor.Fields.Title = Sjis("新規");
    EXPECT_THAT(names(editor.DefinitionsWith(editor.Fields)),
                ElementsAre("会議", "設計", "休憩", "新規"));
    editor.Fields.Title = LoginName; // refused: not taken
    EXPECT_THAT(names(editor.DefinitionsWith(editor.Fields)), ElementsAre("会議", "設計", "休憩"));
}

} // namespace
} // namespace zanpel::test
