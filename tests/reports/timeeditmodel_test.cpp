// The record editor without a display: rows and total, the memo of selected
// periods, deletion, and new periods from a chosen range.
#include "records/clock.h"
#include "reports/timeeditmodel.h"
#include "support/testsupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class RecordEditor : public ::testing::Test {
protected:
    TRecordEditRequest Request(bool running = false) const {
        TWorkInfo record{EncodeDate(2005, 3, 1), Sjis("設計"), Sjis("標準"), 0, {}};
        record.Periods = {{Sjis("基本設計"), Sjis("画面"), 9 * 3600, 10 * 3600},
                          {"", "", 10 * 3600 + 1800, 11 * 3600 + 45 * 60},
                          {Sjis("詳細設計"), Sjis("帳票"), 13 * 3600, 14 * 3600}};
        return {record, Sjis("\"基本設計\",\"詳細設計\","), running};
    }
    std::vector<std::string> Column(const TTimeEditModel& model,
                                    std::string TEditorRow::*column) const {
        std::vector<std::string> out;
        for (const TEditorRow& row : model.Rows())
            out.push_back(Cp932ToUtf8(row.*column));
        return out;
    }
    FixedClock clock{EncodeDate(2005, 3, 1), 16 * 3600};
};

TEST_F(RecordEditor, RowsShowThePeriodsAndTheTotalTheirSum) {
    TTimeEditModel model(Request(), clock);
    EXPECT_EQ(model.Caption(), "【設計】のメモ編集");
    EXPECT_THAT(Column(model, &TEditorRow::Start), ElementsAre("09:00:00", "10:30:00", "13:00:00"));
    EXPECT_THAT(Column(model, &TEditorRow::End), ElementsAre("10:00:00", "11:45:00", "14:00:00"));
    EXPECT_THAT(Column(model, &TEditorRow::Duration), ElementsAre("01:00", "01:15", "01:00"));
    EXPECT_THAT(Column(model, &TEditorRow::Category),
                ElementsAre("基本設計", "(*設計*)", "詳細設計"));
    EXPECT_EQ(model.TotalText(), "03:15:00");
    EXPECT_EQ(model.EditRecord.Total, 3 * 3600 + 15 * 60);
    EXPECT_TRUE(model.EditEnabled(true));
    EXPECT_FALSE(model.EditEnabled(false));
}

TEST_F(RecordEditor, ThreeSelectedPeriodsTakeTheCategoryAndOnlyTheFirstTheMemo) {
    TTimeEditModel model(Request(), clock);
    const TPeriodMemoRequest request = model.MemoRequest({2, 0, 1});
    EXPECT_EQ(request.Category, Sjis("基本設計")); // from the first selected row
    EXPECT_EQ(request.TimeText, "09:00:00-10:00:00");
    EXPECT_TRUE(request.MemoCheckVisible);
    model.ApplyMemo({2, 0, 1}, {Sjis(" レビュー "), Sjis("指摘対応\r\n"), true,
                                Sjis("基本設計,詳細設計,レビュー")});
    for (const TWorkData& p : model.EditRecord.Periods)
        EXPECT_EQ(p.Category, Sjis("レビュー"));
    EXPECT_EQ(model.EditRecord.Periods[0].Memo, Sjis("指摘対応"));
    EXPECT_EQ(model.EditRecord.Periods[1].Memo, "");
    EXPECT_EQ(model.EditRecord.Periods[2].Memo, Sjis("帳票"));
    EXPECT_THAT(Column(model, &TEditorRow::Category),
                ElementsAre("レビュー", "レビュー", "レビュー"));
    EXPECT_EQ(model.Categories, Sjis("基本設計,詳細設計,レビュー"));
    EXPECT_EQ(model.TotalText(), "03:15:00"); // times are not edited here

    model.ApplyMemo({1, 2}, {Sjis("実装"), Sjis("共通"), false, model.Categories});
    EXPECT_EQ(model.EditRecord.Periods[1].Memo, Sjis("共通"));
    EXPECT_EQ(model.EditRecord.Periods[2].Memo, Sjis("共通"));
    EXPECT_FALSE(model.MemoRequest({1}).MemoCheckVisible);
}

TEST_F(RecordEditor, DeletingAsksAboutOnePeriodAndTheLastLeavesNothing) {
    TTimeEditModel model(Request(), clock);
    EXPECT_EQ(model.DeleteQuestion(0),
              "基本設計 (09:00:00-10:00:00) を削除します\r\nよろしいですか？");
    EXPECT_EQ(model.DeleteQuestion(1), " (10:30:00-11:45:00) を削除します\r\nよろしいですか？");
    model.DeleteRow(0);
    EXPECT_THAT(Column(model, &TEditorRow::Start), ElementsAre("10:30:00", "13:00:00"));
    EXPECT_EQ(model.TotalText(), "02:15:00");
    model.DeleteRow(0);
    model.DeleteRow(0);
    model.DeleteRow(0); // none left: nothing happens
    EXPECT_TRUE(model.Rows().empty());
    EXPECT_EQ(model.TotalText(), "00:00:00");
}

TEST_F(RecordEditor, ANewPeriodGoesInStartOrderWithItsCategoryAddedOnce) {
    TTimeEditModel model(Request(), clock);
    EXPECT_EQ(model.NewPeriodRequest().NowMinute, 16 * 60);
    EXPECT_EQ(model.AddPeriod({12 * 60, 12 * 60 + 45, Sjis(" 打合せ "), Sjis("昼")}), 2);
    EXPECT_THAT(Column(model, &TEditorRow::Start),
                ElementsAre("09:00:00", "10:30:00", "12:00:00", "13:00:00"));
    EXPECT_EQ(model.EditRecord.Periods[2].Category, Sjis("打合せ"));
    EXPECT_EQ(model.TotalText(), "04:00:00");
    EXPECT_EQ(model.Categories, Sjis("基本設計,詳細設計,打合せ"));
    model.AddPeriod({8 * 60, 8 * 60 + 30, Sjis("基本設計"), ""}); // known: not added again
    model.AddPeriod({14 * 60, 14 * 60 + 15, Sjis("詳細設計"), ""});
    EXPECT_EQ(model.Categories, Sjis("基本設計,詳細設計,打合せ"));
    EXPECT_EQ(model.AddPeriod({15 * 60, 15 * 60 + 15, Sjis("打ち合せ"), ""}), 6);
    EXPECT_EQ(model.Categories, Sjis("基本設計,詳細設計,打合せ,打ち合せ"));
}

TEST_F(RecordEditor, ARangeThatOverlapsLiesAheadOrWasNotChosenIsRefused) {
    TTimeEditModel model(Request(), clock);
    EXPECT_EQ(model.CheckNewPeriod(-15, 0), "開始-終了の時間帯を選んでください。");
    EXPECT_EQ(model.CheckNewPeriod(15 * 60 + 45, 16 * 60 + 15),
              "まだ来ていない時間は登録できません。");
    EXPECT_EQ(model.CheckNewPeriod(9 * 60 + 45, 10 * 60 + 15),
              "09:00:00-10:00:00 の作業と重なるため登録できません。");
    EXPECT_EQ(model.CheckNewPeriod(10 * 60, 10 * 60 + 30), ""); // touching is fine
    EXPECT_EQ(model.AddPeriod({9 * 60 + 45, 10 * 60 + 15, "", ""}), -1);
    EXPECT_EQ(model.Rows().size(), 3u);
    // The running period reaches up to now, whatever end the copy holds.
    TTimeEditModel running(Request(true), clock);
    EXPECT_THAT(running.CheckNewPeriod(15 * 60, 15 * 60 + 30), HasSubstr("13:00:00-16:00:00"));
    // The editor stays open past midnight: the whole day is past now.
    clock.Set(EncodeDate(2005, 3, 2), 60);
    EXPECT_EQ(model.CheckNewPeriod(23 * 60, 24 * 60), "");
    // The day ends at 24:00, however long ago it was.
    EXPECT_EQ(model.CheckNewPeriod(23 * 60, 24 * 60 + 15), "開始-終了の時間帯を選んでください。");
}

TEST_F(RecordEditor, TheStandardMemoIsStoredWithoutBlankEnds) {
    TTimeEditModel model(Request(), clock);
    model.SetMemo(Sjis("  設計書の作成\r\n\t"));
    EXPECT_EQ(model.Result().Record.Memo, Sjis("設計書の作成"));
    EXPECT_EQ(model.Result().Categories, Sjis("\"基本設計\",\"詳細設計\","));
}

} // namespace
} // namespace zanpel::test
