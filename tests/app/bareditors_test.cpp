// The bar's editors on a fixed clock: what the settings dialog and the record
// editor get, and what the bar takes back (and in which order) on confirm.
#include "app/bareditors.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "records/names.h"
#include "settings/initparam.h"
#include "support/diskfullwriter.h"
#include "support/fakebar.h"
#include "support/pressedname.h"
#include "support/testsupport.h"
#include "worklist/datalist.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class Editors : public ::testing::Test {
protected:
    Editors()
        : list(clock, reporter), buttons(list.AppSwitch()),
          timing(list, buttons, settings, clock, bar),
          editors(list, buttons, timing, settings, clock, bar) {
        list.SetDataDir(dir.Path());
        list.SetNoCountSeconds(1);
        for (const char* name : {"会議", "設計", "休憩"})
            list.AppSwitch().AddEntry({Sjis(name), "", Sjis("議事録"), false, {}});
        list.ChangeDate(Today(clock));
        buttons.SetAllowAllUp(true);
        buttons.LoadButtons(list.AppSwitch());
        timing.Attach();
        editors.Attach();
        settings.AutoRestSwitch = true;
    }
    int Index(const char* name) const { return buttons.IndexOfName(Sjis(name)); }
    void Press(const char* name) { buttons.ClickMainButton(Index(name)); }
    void Run(int seconds) {
        for (int i = 0; i < seconds; ++i) {
            clock.Advance(1);
            if (bar.WorkTimer)
                timing.WorkTimerTimer();
        }
    }
    TWorkInfo* Rec(const char* name) { return list.Find(Today(clock), Sjis(name)); }
    std::vector<std::string> ButtonNames() const {
        std::vector<std::string> names;
        for (int i = 0; i < buttons.ButtonCount(); ++i)
            names.push_back(Cp932ToUtf8(buttons.Buttons(i).Name));
        return names;
    }

    TempDir dir;
    FixedClock clock{EncodeDate(2005, 3, 1), 9 * 3600};
    CollectingErrorReporter reporter;
    TInitParam settings;
    TDataList list;
    TWorkButtons buttons;
    FakeBar bar;
    TWorkTiming timing;
    TBarEditors editors;
};

using RecordEdit = Editors;

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

TEST_F(RecordEdit, OpensOnACopyOfTodaysRecordAndOnlyConfirmingTakesItBack) {
    buttons.ClickDetailButton(Index("設計")); // no time today: nothing to open
    Press("休憩");
    Run(60);
    buttons.ClickDetailButton(Index("休憩")); // the computer-on record has no editor
    EXPECT_TRUE(bar.EditRequests.empty());
    Press("設計");
    Run(600);
    Press("設計");
    list.SetCategories(Sjis("設計"), Sjis("基本設計"));
    const TWorkInfo before = *Rec("設計");
    buttons.ClickDetailButton(Index("設計")); // cancelled
    ASSERT_EQ(bar.EditRequests.size(), 1u);
    EXPECT_EQ(bar.EditRequests[0].Record, before);
    EXPECT_EQ(bar.EditRequests[0].Categories, Sjis("基本設計"));
    EXPECT_FALSE(bar.EditRequests[0].Running);
    EXPECT_EQ(*Rec("設計"), before);
    EXPECT_TRUE(bar.AutoHideTimer);

    bar.Edit = [&](const TRecordEditRequest& request) {
        TRecordEditResult result{request.Record, Sjis("基本設計,レビュー")};
        result.Record.Periods.clear();
        result.Record.Memo = Sjis("変更");
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("設計"));
    EXPECT_TRUE(Rec("設計")->Periods.empty());
    EXPECT_EQ(Rec("設計")->Total, 0);
    EXPECT_EQ(Rec("設計")->Memo, Sjis("変更"));
    EXPECT_EQ(list.GetCategories(Sjis("設計")), Sjis("基本設計,レビュー"));
    EXPECT_EQ(buttons.Buttons(Index("設計")).TimeText, "00:00:00");
    EXPECT_FALSE(buttons.Buttons(Index("設計")).DetailEnabled);
}

TEST_F(RecordEdit, TheRunningItemKeepsTheTimeItGainedWhileTheEditorWasOpen) {
    Press("設計");
    Run(600);
    bar.Edit = [&](const TRecordEditRequest& request) {
        EXPECT_TRUE(request.Running);
        Run(300); // ticks go on under the dialog
        TRecordEditResult result{request.Record, request.Categories};
        result.Record.Periods.back().Memo = Sjis("打合せ");
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("設計"));
    EXPECT_EQ(Rec("設計")->Total, 900);
    EXPECT_EQ(Rec("設計")->Periods.back().Memo, Sjis("打合せ"));
    EXPECT_EQ(buttons.Buttons(Index("設計")).TimeText, "00:15:00");
    Run(60);
    EXPECT_EQ(Rec("設計")->Total, 960);
}

TEST_F(RecordEdit, ARestPeriodThatStoppedTheItemMeanwhileLosesNoTime) {
    settings.RestTimes = "550:560"; // 9:10 to 9:20
    timing.LoadRestRanges();
    Press("設計");
    Run(300);
    bar.Edit = [&](const TRecordEditRequest& request) {
        Run(600); // 9:10 passes: the rest item takes over
        return std::optional(TRecordEditResult{request.Record, request.Categories});
    };
    buttons.ClickDetailButton(Index("設計"));
    EXPECT_EQ(PressedName(buttons), RestName());
    EXPECT_EQ(Rec("設計")->Periods.back().EndSec, 9 * 3600 + 600);
    EXPECT_EQ(Rec("設計")->Total, 600);
}

TEST_F(RecordEdit, DeletingTheRunningPeriodGoesOnFromNowWithoutClaimingTheGap) {
    Press("設計");
    Run(300);
    Press("設計"); // 9:00-9:05
    Run(300);
    Press("設計"); // runs again from 9:10
    Run(300);
    bar.Edit = [&](const TRecordEditRequest& request) {
        TRecordEditResult result{request.Record, request.Categories};
        result.Record.Periods.pop_back();
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("設計"));
    Run(60);
    const TWorkInfo* rec = Rec("設計");
    ASSERT_EQ(rec->Periods.size(), 2u);
    EXPECT_EQ(rec->Periods[0].EndSec, 9 * 3600 + 300); // not stretched to now
    EXPECT_EQ(rec->Periods[1].StartSec, 9 * 3600 + 900);
    EXPECT_EQ(rec->Total, 360);
}

TEST_F(RecordEdit, AnItemRestartedWhileTheEditorWasOpenKeepsItsNewPeriodAndNoTimeTwice) {
    Press("会議");
    Run(300); // 9:00-9:05
    Press("設計");
    Run(30);
    bar.Edit = [&](const TRecordEditRequest& request) {
        EXPECT_FALSE(request.Running);
        Press("会議"); // an application rule (or the end of a rest) starts it again
        Run(26);
        Press("設計");
        Run(4);
        TRecordEditResult result{request.Record, request.Categories};
        result.Record.Periods.front().Memo = Sjis("議題");
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("会議"));
    Run(60);
    const TWorkInfo* meeting = Rec("会議");
    ASSERT_EQ(meeting->Periods.size(), 2u);
    EXPECT_EQ(meeting->Periods[0].Memo, Sjis("議題"));
    EXPECT_EQ(meeting->Periods[0].EndSec, 9 * 3600 + 300);
    EXPECT_EQ(meeting->Periods[1].StartSec, 9 * 3600 + 330);
    EXPECT_EQ(meeting->Periods[1].EndSec, 9 * 3600 + 356);
    EXPECT_EQ(meeting->Total, 326);
    EXPECT_EQ(list.CurrentWork(), Rec("設計"));
}

TEST_F(RecordEdit, ASleepWhileTheEditorWasOpenStaysOutOfTheRecord) {
    Press("設計");
    Run(600);
    bar.Edit = [&](const TRecordEditRequest& request) {
        clock.Sleep(3600);
        timing.CheckSleep(); // the sleep timer under the dialog
        Run(60);
        TRecordEditResult result{request.Record, request.Categories};
        result.Record.Periods.back().Category = Sjis("議事録");
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("設計"));
    Run(60);
    const TWorkInfo* design = Rec("設計");
    ASSERT_EQ(design->Periods.size(), 2u);
    EXPECT_EQ(design->Periods[0].Category, Sjis("議事録"));
    EXPECT_EQ(design->Periods[0].EndSec, 9 * 3600 + 600);
    EXPECT_EQ(design->Periods[1].StartSec, 10 * 3600 + 600);
    EXPECT_EQ(design->Total, 600 + 120);
    EXPECT_EQ(list.FindLogin()->Total, 3600); // the sleep, once
}

TEST_F(RecordEdit, APeriodAddedInTheEditorTakesOnlyTimeNoWorkHeld) {
    Press("会議");
    Run(600); // 9:00-9:10
    Press("設計");
    Run(1200); // to 9:30
    Press("設計");
    bar.Edit = [&](const TRecordEditRequest& request) {
        TRecordEditResult result{request.Record, request.Categories};
        // 8:30 to 9:20: before the computer was on, and over 会議 and 設計.
        result.Record.Periods.insert(
            result.Record.Periods.begin(),
            TWorkData{Sjis("議事録"), {}, 8 * 3600 + 1800, 9 * 3600 + 1200});
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("設計"));
    const TWorkInfo* design = Rec("設計");
    ASSERT_EQ(design->Periods.size(), 2u);
    EXPECT_EQ(design->Periods[0].StartSec, 8 * 3600 + 1800);
    EXPECT_EQ(design->Periods[0].EndSec, 9 * 3600);
    EXPECT_EQ(design->Periods[1].StartSec, 9 * 3600 + 600);
    EXPECT_EQ(list.FindLogin()->Periods[0].StartSec, 8 * 3600 + 1800);
}

TEST_F(RecordEdit, APeriodOverAnotherItemsWorkIsRefusedWhenChosenNotCutAtConfirm) {
    Press("会議");
    Run(3600); // 9:00-10:00
    Press("設計");
    Run(1800); // runs from 10:00
    Press("会議");
    Run(60);
    Press("会議"); // 10:30-10:31
    std::vector<std::string> refusals;
    bar.Edit = [&](const TRecordEditRequest& request) {
        TTimeEditModel editor(request, clock);
        const auto add = [&](int begin, int end) {
            refusals.push_back(editor.CheckNewPeriod(begin, end));
            return editor.AddPeriod({begin, end, Sjis("議事録"), {}});
        };
        EXPECT_EQ(add(9 * 60 + 15, 9 * 60 + 45), -1); // within 会議's time
        EXPECT_GE(add(8 * 60, 9 * 60), 0);            // before anything ran
        return std::optional(editor.Result());
    };
    buttons.ClickDetailButton(Index("設計"));
    ASSERT_EQ(refusals.size(), 2u);
    EXPECT_THAT(refusals[0], HasSubstr("09:00:00-10:00:00 の「会議」"));
    // What the editor showed is what was saved.
    ASSERT_EQ(bar.EditRequests.size(), 1u);
    const TWorkInfo* design = Rec("設計");
    ASSERT_EQ(design->Periods.size(), 2u);
    EXPECT_EQ(design->Periods[0].StartSec, 8 * 3600);
    EXPECT_EQ(design->Periods[0].EndSec, 9 * 3600);
    EXPECT_EQ(design->Periods[1].StartSec, 10 * 3600);
}

TEST_F(RecordEdit, AnItemRunningUnderTheEditorKeepsTheTimeUpToNowFromANewPeriod) {
    Press("会議");
    Run(600); // 9:00-9:10
    Press("設計");
    Run(600); // runs from 9:10
    bar.Edit = [&](const TRecordEditRequest& request) {
        Run(600); // 設計 goes on to 9:30 under the dialog
        TTimeEditModel editor(request, clock);
        EXPECT_EQ(editor.AddPeriod({9 * 60 + 20, 9 * 60 + 25, {}, {}}), -1);
        return std::optional(editor.Result());
    };
    buttons.ClickDetailButton(Index("会議"));
    EXPECT_EQ(Rec("会議")->Total, 600);
}

// A dialog opened before a month end and confirmed after it: the bar has
// saved March and moved to April.
class MonthEndEdit : public Editors {
protected:
    MonthEndEdit() {
        clock.Set(EncodeDate(2005, 3, 31), 23 * 3600 + 58 * 60);
        list.ChangeDate(Today(clock));
        Press("設計");
        Run(60);
        bar.Edit = [this](const TRecordEditRequest& request) {
            Run(180); // midnight passes under the dialog
            if (WhileOpen)
                WhileOpen();
            TRecordEditResult result{request.Record, request.Categories};
            result.Record.Memo = Sjis("月末");
            result.Record.Periods.back().Category = Sjis("議事録");
            return std::optional(result);
        };
    }
    std::string March() const { return ReadFile(dir.File("200503.dat")); }
    const std::string edited = "2005/03/31," + Sjis("設計,月末,\"23:58:00,00:00:00,議事録,\"");
    std::function<void()> WhileOpen;
};

TEST_F(MonthEndEdit, GoesIntoTheMonthFileTheBarSaved) {
    buttons.ClickDetailButton(Index("設計"));
    EXPECT_TRUE(bar.Calls.empty());
    EXPECT_THAT(March(), HasSubstr(edited));
    EXPECT_EQ(list.Find(EncodeDate(2005, 4, 1), Sjis("設計"))->Memo, ""); // April's own record
}

TEST_F(MonthEndEdit, GoesIntoTheMonthTheBarKeepsUnsaved) {
    DiskFullWriter full;
    list.SetWriter(&full); // March cannot be written at midnight
    buttons.ClickDetailButton(Index("設計"));
    EXPECT_TRUE(bar.Calls.empty());
    full.Full = false;
    ASSERT_TRUE(list.SaveIfAllowed());
    EXPECT_THAT(March(), HasSubstr(edited));
}

TEST_F(MonthEndEdit, IsNotLostWithoutAWordWhenTheMonthCannotBeRead) {
    WhileOpen = [this] { WriteFile(dir.File("200503.dat"), "2005/03/99,x,,\r\n"); };
    buttons.ClickDetailButton(Index("設計"));
    ASSERT_EQ(bar.Calls.size(), 1u);
    EXPECT_THAT(bar.Calls[0],
                HasSubstr("error 「設計」の 2005/03/31 の記録に編集を反映できませんでした"));
    EXPECT_EQ(March(), "2005/03/99,x,,\r\n"); // not written over
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
