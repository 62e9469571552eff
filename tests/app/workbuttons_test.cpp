#include "app/workbuttons.h"
#include "support/pressedname.h"
#include "support/testsupport.h"
#include "tracking/appswitch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel {
namespace {

using ::testing::ElementsAre;

// Records the events of the bar as text, in the order they arrive.
class ButtonBar : public ::testing::Test {
protected:
    ButtonBar() : bar(definitions) {
        bar.OnClickButton = [this](int id, bool stat) { Log("click", id, stat); };
        bar.OnSelected = [this](int id, bool stat) { Log("selected", id, stat); };
        bar.OnButtonNotify = [this](int id) { Log("edit", id, true); };
        bar.SetAllowAllUp(true);
        bar.SetButtonAlign(TButtonAlign::baVertical);
        bar.SetBounds(160, 568);
    }
    void Log(const char* what, int id, bool stat) {
        events.push_back(std::string(what) + "(" + std::to_string(id) +
                         (stat ? ",true)" : ",false)"));
    }
    void Define(std::initializer_list<const char*> names) {
        for (const char* name : names)
            definitions.AddEntry({name, "", "", false, {}});
        bar.LoadButtons(definitions);
    }
    bool Down(int i) const { return bar.Buttons(i).Down; }

    TAppSwitch definitions;
    TWorkButtons bar;
    std::vector<std::string> events;
};

TEST_F(ButtonBar, PressingAnotherButtonClicksThenSelectsAndRaisesTheFirst) {
    Define({"a", "b", "c"});
    bar.ClickMainButton(0);
    bar.ClickMainButton(2);
    EXPECT_THAT(events, ElementsAre("click(0,true)", "selected(0,true)", "click(2,true)",
                                    "selected(2,true)"));
    EXPECT_FALSE(Down(0));
    EXPECT_TRUE(Down(2));
    EXPECT_EQ(bar.ItemIndex(), 2);
    EXPECT_EQ(bar.PreviousIndex(), 0);
    EXPECT_TRUE(bar.Buttons(2).Bold);
    EXPECT_TRUE(bar.Buttons(2).TimeBlack);
    EXPECT_FALSE(bar.Buttons(0).Bold);
    EXPECT_FALSE(bar.Buttons(0).TimeBlack);
}

TEST_F(ButtonBar, PressingThePressedButtonRaisesIt) {
    Define({"a", "b"});
    bar.ClickMainButton(1);
    events.clear();
    bar.ClickMainButton(1);
    EXPECT_THAT(events, ElementsAre("click(-1,false)", "selected(-1,false)"));
    EXPECT_FALSE(Down(1));
    EXPECT_EQ(bar.Current(), nullptr);
    // Without AllowAllUp the pressed button stays down and nothing happens.
    bar.SetAllowAllUp(false);
    bar.ClickMainButton(0);
    events.clear();
    bar.ClickMainButton(0);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(Down(0));
}

TEST_F(ButtonBar, SelectingByProgramFiresOnlyTheSelection) {
    EXPECT_TRUE(bar.ButtonCount() == 0);
    bar.SelectIndex(0); // no buttons: nothing
    Define({"a", "b"});
    bar.SelectIndex(1);
    bar.SelectIndex(1); // the current index: nothing
    bar.SelectByName("none");
    bar.SelectByName("a");
    bar.SelectIndex(7); // out of range: none selected
    EXPECT_THAT(events, ElementsAre("selected(1,true)", "selected(0,true)", "selected(-1,false)"));
    EXPECT_FALSE(Down(0));
    bar.ClickDetailButton(1);
    EXPECT_EQ(events.back(), "edit(1,true)");
}

TEST_F(ButtonBar, LoadButtonsKeepsTheRunningButtonByNameWithoutAnEvent) {
    Define({"a", "b", "c"});
    bar.ClickMainButton(2);
    events.clear();
    definitions.Move(2, 0);
    definitions.AddEntry({"", "", "", true, {}}); // the ignore list gets no button
    bar.LoadButtons(definitions);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(bar.ButtonCount(), 3);
    EXPECT_EQ(bar.ItemIndex(), 0);
    EXPECT_EQ(test::PressedName(bar), "c");
    EXPECT_TRUE(Down(0));
    definitions.DeleteByName("c");
    bar.LoadButtons(definitions);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(bar.Current(), nullptr);
    EXPECT_EQ(bar.ItemIndex(), -1);
}

TEST_F(ButtonBar, DeletingButtonsKeepsIndexesInStep) {
    Define({"a", "b", "c", "d"});
    bar.ClickMainButton(1);
    bar.ClickMainButton(3); // previous index 1
    events.clear();
    bar.DeleteButton(0);
    EXPECT_EQ(bar.ItemIndex(), 2);
    EXPECT_EQ(test::PressedName(bar), "d");
    EXPECT_EQ(bar.PreviousIndex(), 0);
    bar.DeleteButton(2); // the running one: the selection is cleared first
    EXPECT_THAT(events, ElementsAre("selected(-1,false)"));
    EXPECT_EQ(bar.ButtonCount(), 2);
    EXPECT_EQ(bar.IndexOfName("c"), 1);
    EXPECT_EQ(bar.IndexOfName(""), -1);
    EXPECT_EQ(bar.IndexOfName("C"), -1);
}

TEST_F(ButtonBar, TenButtonsShareAVerticalBarEvenly) {
    Define({"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
    const TMultiButton& first = bar.Buttons(0);
    EXPECT_EQ(first.CellRect, TRect::FromSize(1, 4, 158, 56));
    EXPECT_EQ(bar.Buttons(9).CellRect.Top, 4 + 9 * 56);
    // A 56-pixel cell: time row 20 (28 capped), toggle 36 high, time 19 high.
    EXPECT_EQ(first.MainRect, TRect::FromSize(2, 5, 156, 36));
    EXPECT_EQ(first.TimeRect, TRect::FromSize(2, 41, 129, 19));
    EXPECT_EQ(first.DetailRect, TRect::FromSize(131, 41, 28, 19));
    EXPECT_EQ(bar.ButtonAt(1, 4), &bar.Buttons(0));
    EXPECT_EQ(bar.ButtonAt(1, 60), &bar.Buttons(1));
    EXPECT_EQ(bar.ButtonAt(0, 4), nullptr);
    EXPECT_EQ(bar.ButtonAt(1, 3), nullptr);
}

TEST_F(ButtonBar, HorizontalCellsAndTheTimeRowOnTop) {
    Define({"a", "b", "c"});
    bar.SetButtonAlign(TButtonAlign::baHorizontal);
    bar.SetListAlign(TListAlign::laBottom);
    bar.SetBounds(602, 60);
    // 600 / 3 = 200 wide, no remainder; 58 high with a 20-pixel time row.
    const TMultiButton& b = bar.Buttons(1);
    EXPECT_EQ(b.CellRect, TRect::FromSize(201, 1, 200, 58));
    EXPECT_EQ(b.TimeRect, TRect::FromSize(202, 2, 171, 19));
    EXPECT_EQ(b.MainRect, TRect::FromSize(202, 22, 198, 38));
    EXPECT_EQ(bar.SetBounds(5, 9), (TPoint{15, 15}));
}

TEST_F(ButtonBar, ApplicationRulesSwitchOnceAndRecordTheTitle) {
    definitions.ParseLine("@a,,@AP1,\"edit.exe/\",");
    definitions.ParseLine("@b,,@AP1,\"once.exe:\",");
    bar.LoadButtons(definitions);
    definitions.ParseLine("@late,,@AP1,\"late.exe/\",");
    bar.SwitchByApplication("edit.exe", "x"); // switching is off
    EXPECT_TRUE(events.empty());
    bar.AppSwitchActive = true;
    bar.OnSelected = [this](int id, bool) {
        events.push_back(bar.AppSwitching ? "app" + std::to_string(id) : "?");
    };
    bar.SwitchByApplication("edit.exe", "x");
    bar.SwitchByApplication("edit.exe", "x"); // same program and title: nothing
    bar.SwitchByApplication("edit.exe", "y"); // new title on the selected item: recorded only
    EXPECT_THAT(events, ElementsAre("app0"));
    EXPECT_EQ(bar.LastWindowTitle, "y");
    bar.SwitchByApplication("late.exe", "z"); // no button yet: one is added
    EXPECT_EQ(bar.ButtonCount(), 3);
    EXPECT_EQ(bar.ItemIndex(), 2);
    bar.SwitchByApplication("once.exe", "z"); // ":" switches, then turns switching off
    EXPECT_EQ(bar.ItemIndex(), 1);
    EXPECT_FALSE(bar.AppSwitchActive);
    bar.ClearAppInfo();
    EXPECT_EQ(bar.LastExeName, "");
}

} // namespace
} // namespace zanpel
