// The bar's record editor on a fixed clock: what it gets, and what the bar
// takes back on confirm, also when time went on, a rest or a sleep came, or
// the month ended while it was open.
#include "editorsfixture.h"
#include "records/names.h"
#include "support/diskfullwriter.h"
#include "support/pressedname.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::HasSubstr;

using RecordEdit = Editors;

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

TEST_F(RecordEdit, ADeletedRunningPeriodGoesOnAfterTheTimeBookedBeforeTheClockWasSetBack) {
    Press("会議");
    Run(300); // 9:00-9:05
    Press("設計");
    Run(60);
    clock.Set(Today(clock), 9 * 3600 + 120); // back to 9:02
    timing.WorkTimerTimer();
    bar.Edit = [&](const TRecordEditRequest& request) {
        TRecordEditResult result{request.Record, request.Categories};
        result.Record.Periods.pop_back();
        return std::optional(result);
    };
    buttons.ClickDetailButton(Index("設計"));
    Run(300); // 9:07
    const TWorkInfo* rec = Rec("設計");
    ASSERT_EQ(rec->Periods.size(), 2u);
    EXPECT_EQ(rec->Periods[0].StartSec, 9 * 3600 + 300);
    EXPECT_EQ(rec->Periods[1].StartSec, 9 * 3600 + 360); // not in 9:02-9:06 again
    EXPECT_EQ(rec->Periods[1].EndSec, 9 * 3600 + 420);
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

} // namespace
} // namespace zanpel::test
