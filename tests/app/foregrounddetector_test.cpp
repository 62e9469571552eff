// The idle pass that follows the foreground application, with a source that
// the test sets and the APP list as a plain line list.
#include "app/foregrounddetector.h"
#include "app/workbuttons.h"
#include "records/names.h"
#include "support/fakeforegroundsource.h"
#include "support/pressedname.h"
#include "support/testsupport.h"
#include "tracking/appswitch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Detection : public ::testing::Test {
protected:
    Detection() : buttons(definitions) {
        buttons.OnSelected = [this](int id, bool) {
            events.push_back((buttons.AppSwitching ? "app " : "") + std::to_string(id));
        };
    }
    // Definition lines as the definition file holds them (UTF-8 here).
    void Define(std::initializer_list<const char*> definitionLines) {
        for (const char* line : definitionLines)
            ASSERT_GE(definitions.ParseLine(Sjis(line)), 0) << line;
        buttons.LoadButtons(definitions);
        buttons.AppSwitchActive = true;
    }
    TDetectResult See(const std::string& exe, const std::string& title) {
        source.ShowApp({exe, Sjis(title)});
        return DetectForeground(source, buttons, lines);
    }
    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        for (const std::string& line : lines.Lines)
            out.push_back(Cp932ToUtf8(line));
        return out;
    }
    std::string Pressed() const { return Cp932ToUtf8(PressedName(buttons)); }

    FakeForegroundSource source;
    TAppSwitch definitions;
    TWorkButtons buttons;
    TAppLineList lines;
    std::vector<std::string> events;
};

TEST_F(Detection, OneLinePerProgramFoundByItsWholeName) {
    See("code", "二");
    See("codex", "三");
    See("code", "一"); // its own line, not the one of a longer name
    EXPECT_THAT(Lines(), ElementsAre("code/一", "codex/三"));

    lines = {};
    See("a.exe", "一");
    See("a.exe2", "二");
    See("a.exe", ""); // a window without a title; the same program keeps its line
    EXPECT_THAT(Lines(), ElementsAre("a.exe/", "a.exe2/二"));
    EXPECT_EQ(lines.Current, 0);
    EXPECT_THAT(lines.Selected, ElementsAre(0));
}

TEST_F(Detection, TheLineIsTouchedOnlyWhenItsTextOrTheCurrentLineChanges) {
    EXPECT_TRUE(See("edit.exe", "x").LineChanged);
    const TDetectResult again = See("edit.exe", "x");
    EXPECT_FALSE(again.LineChanged);
    EXPECT_EQ(again.Line, 0);
    // A selection the user widened stays while the same line is current.
    See("view.exe", "y");
    lines.Selected = {0, 1};
    See("view.exe", "z");
    EXPECT_THAT(lines.Selected, ElementsAre(0, 1));
    See("edit.exe", "x");
    EXPECT_EQ(lines.Current, 0);
    EXPECT_THAT(lines.Selected, ElementsAre(0));
}

TEST_F(Detection, AWindowThatNamesNoProgramChangesNothing) {
    // A rule for any program and any title would match an empty name too.
    Define({"@会議,,@AP1,\"/\","});
    const TDetectResult result = See("", "自分のバー");
    EXPECT_EQ(result.Line, -1);
    EXPECT_THAT(lines.Lines, IsEmpty());
    EXPECT_THAT(events, IsEmpty());
}

TEST_F(Detection, SwitchesByTheRulesOfTheDefinitions) {
    Define({"@会議,,@AP1,\"outlook.exe/\",\"excel.exe:!予定表.xls\",",
            "@設計,,@AP1,\"notepad.exe//*.txt\",", "@休憩,,"});
    See("notepad.exe", "memo.txt");
    EXPECT_EQ(Pressed(), "設計");
    See("notepad.exe", "memo.doc"); // no rule: the running item stays
    See("outlook.exe", "受信トレイ");
    EXPECT_EQ(Pressed(), "会議");
    See("outlook.exe", "受信トレイ"); // the same pair again: nothing
    See("excel.exe", "予定表.xls");   // ":" switches once, then switching is off
    EXPECT_FALSE(buttons.AppSwitchActive);
    See("notepad.exe", "a.txt");
    EXPECT_EQ(Pressed(), "会議");
    EXPECT_THAT(events, ElementsAre("app 1", "app 0"));
    EXPECT_THAT(Lines(),
                ElementsAre("notepad.exe/a.txt", "outlook.exe/受信トレイ", "excel.exe/予定表.xls"));
}

TEST_F(Detection, TheRestItemBlocksSwitchesWhileTheListStillUpdates) {
    Define({"@設計,,@AP1,\"notepad.exe/\",", "@休憩,,"});
    buttons.SelectByName(RestName());
    events.clear();
    See("notepad.exe", "memo.txt");
    EXPECT_EQ(Pressed(), "休憩");
    EXPECT_THAT(events, IsEmpty());
    EXPECT_THAT(Lines(), ElementsAre("notepad.exe/memo.txt"));
    // After the rest the next pass switches.
    buttons.SelectIndex(-1);
    See("notepad.exe", "memo.txt");
    EXPECT_EQ(Pressed(), "設計");
}

} // namespace
} // namespace zanpel::test
