// The bar's settings dialog on a fixed clock: what it gets, and what the bar
// takes back (and in which order) on confirm.
#include "editorsfixture.h"
#include "records/names.h"
#include "support/pressedname.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;

TEST_F(Editors, TheSetupDialogGetsTheOptionsAndCancellingChangesNothing) {
    Press("設計");
    settings.RestTimes = "720:780";
    buttons.AppSwitchActive = true;
    editors.SetupActionExecute({Sjis("code/main.cpp")});
    ASSERT_TRUE(bar.SetupInput);
    EXPECT_EQ(bar.SetupInput->Definitions, &list.AppSwitch());
    EXPECT_TRUE(bar.SetupInput->Options.AppSwitch);
    EXPECT_EQ(bar.SetupInput->Options.RestTimes, "720:780");
    EXPECT_THAT(bar.SetupInput->History, ElementsAre(Sjis("code/main.cpp")));
    EXPECT_FALSE(bar.SetupInput->IsAutostartOn); // no hooks: no check box
    EXPECT_TRUE(bar.AutoHideTimer);
    EXPECT_TRUE(bar.Calls.empty());
    EXPECT_THAT(ButtonNames(), ElementsAre("会議", "設計", "休憩"));
    EXPECT_EQ(list.AppSwitch().Count(), 3);
}

TEST_F(Editors, ConfirmingTakesEverythingBackAndRebuildsTheBarKeepingTheRunningItem) {
    Press("会議");
    Run(120);
    Press("設計"); // runs on, with time today
    Run(60);
    timing.PopupMenu1Popup(&buttons.Buttons(0));
    bar.Setup = [&](const TSetupInput& input) {
        TSetupResult result{*input.Definitions, input.Options, std::nullopt};
        result.Definitions.Delete(0);  // 会議, which has time today
        result.Definitions.Move(0, 1); // 休憩 before 設計
        result.Definitions.AddEntry({Sjis("レビュー"), "", "", false, {}});
        result.Options.RestTimes = "600:615,720:780";
        result.Options.MergeLimit = 30;
        result.Options.AutoHide = false;
        result.Options.AppSwitch = true;
        return result;
    };
    int selections = 0;
    buttons.OnSelected = [&](int, bool) { ++selections; };
    editors.SetupActionExecute({});
    // 会議 comes back bare at the end, after the copy replaced the definitions.
    EXPECT_THAT(ButtonNames(), ElementsAre("休憩", "設計", "レビュー", "会議"));
    EXPECT_EQ(list.AppSwitch().Items(3).Categories, "");
    EXPECT_EQ(PressedName(buttons), Sjis("設計"));
    EXPECT_EQ(selections, 0); // the running item went on without a new start
    EXPECT_EQ(list.CurrentWork(), Rec("設計"));
    EXPECT_EQ(buttons.Buttons(3).TimeText, "00:02:00"); // refreshed after the rebuild
    EXPECT_THAT(bar.Calls, ElementsAre("autohide off", "appswitch on"));
    EXPECT_EQ(list.MergeSeconds(), 30);
    EXPECT_THAT(timing.RestRanges(), ElementsAre(TRestRange{600, 615}, TRestRange{720, 780}));
    EXPECT_EQ(timing.MenuTarget(), nullptr);
    EXPECT_TRUE(bar.AutoHideTimer);
}

TEST_F(Editors, StartAtLogInIsOfferedWithItsHooksAndSetOnlyWhenChanged) {
    bool on = false;
    std::vector<bool> set;
    std::string failure;
    editors.IsAutostartOn = [&] { return on; };
    editors.SetAutostart = [&](bool value) {
        set.push_back(value);
        return failure;
    };
    bar.Setup = [&](const TSetupInput& input) {
        EXPECT_TRUE(input.IsAutostartOn && input.SetAutostart);
        return TSetupResult{*input.Definitions, input.Options, !input.IsAutostartOn()};
    };
    editors.SetupActionExecute({});
    EXPECT_THAT(set, ElementsAre(true));
    on = true;
    failure = "could not write the desktop file";
    editors.SetupActionExecute({});
    EXPECT_THAT(set, ElementsAre(true, false));
    EXPECT_THAT(bar.Calls, testing::Contains("error could not write the desktop file"));
    bar.Setup = [&](const TSetupInput& input) {
        return TSetupResult{*input.Definitions, input.Options, input.IsAutostartOn()};
    };
    editors.SetupActionExecute({});
    EXPECT_EQ(set.size(), 2u); // unchanged: not set again
}

// A data folder without a definition file: no "休憩" until a rest period
// makes its button.
class RestWithoutDefinition : public Editors {
protected:
    RestWithoutDefinition() {
        list.AppSwitch().DeleteByName(RestName());
        buttons.LoadButtons(list.AppSwitch());
        settings.RestTimes = "550:560"; // 9:10 to 9:20
        timing.LoadRestRanges();
    }
    std::optional<TSetupResult> Confirm(const TSetupInput& input) {
        return TSetupResult{*input.Definitions, input.Options, std::nullopt};
    }
};

TEST_F(RestWithoutDefinition, SettingsConfirmedDuringTheRestKeepItRunningAndSwitchingBack) {
    Press("設計");
    Run(700); // 9:11:40, resting
    ASSERT_EQ(PressedName(buttons), RestName());
    bar.Setup = [&](const TSetupInput& input) { return Confirm(input); };
    editors.SetupActionExecute({});
    EXPECT_EQ(PressedName(buttons), RestName());
    EXPECT_EQ(list.CurrentWork(), list.FindLogin());
    Run(600); // past 9:20
    EXPECT_EQ(PressedName(buttons), Sjis("設計"));
    EXPECT_EQ(list.FindLogin()->Total, 600);
    EXPECT_GE(list.AppSwitch().IndexOf(RestName()), 0);
}

TEST_F(RestWithoutDefinition, ADialogOpenedBeforeTheRestBeganKeepsWhatRunsOnConfirm) {
    Press("設計");
    Run(500);
    bar.Setup = [&](const TSetupInput& input) {
        const TAppSwitch copy = *input.Definitions; // the dialog's copy, without "休憩"
        Run(200);                                   // the rest begins under the dialog
        EXPECT_EQ(PressedName(buttons), RestName());
        return std::optional(TSetupResult{copy, input.Options, std::nullopt});
    };
    editors.SetupActionExecute({});
    EXPECT_EQ(PressedName(buttons), RestName());
    Run(600);
    EXPECT_EQ(PressedName(buttons), Sjis("設計"));
    EXPECT_EQ(list.FindLogin()->Total, 600);
}

TEST_F(RestWithoutDefinition, RestSwitchingOnMakesTheRestItemAtOnce) {
    settings.AutoRestSwitch = false;
    bar.Setup = [&](const TSetupInput& input) {
        TSetupResult result{*input.Definitions, input.Options, std::nullopt};
        result.Options.AutoRestSwitch = true;
        return std::optional(result);
    };
    editors.SetupActionExecute({});
    EXPECT_THAT(ButtonNames(), ElementsAre("会議", "設計", "休憩"));
}

} // namespace
} // namespace zanpel::test
