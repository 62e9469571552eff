// The record editor as state: a copy of one work record of today with its
// category list, the rows of its period list and the total, and the commands
// (the category and memo of selected periods, the deletion of one period,
// and a new period from a chosen range). Nothing reaches the work list until
// the caller takes the copy back. Texts are CP932 unless marked UTF-8.
#pragma once

#include "records/workinfo.h"

#include <functional>
#include <string>
#include <vector>

namespace zanpel {

class Clock;

struct TRecordEditRequest {
    TWorkInfo Record;           // a copy of the record
    std::string Categories;     // the item's category list (comma list)
    bool Running = false;       // the record's last period is the running one
    const Clock* Now = nullptr; // for new periods, which must lie in the past
    // The work of other items that day as the editor opens: a new period may
    // not take their time.
    std::vector<TOtherWork> OtherWork = {};
};

struct TRecordEditResult {
    TWorkInfo Record;
    std::string Categories;
};

// One row of the period list, as shown.
struct TEditorRow {
    std::string Start;    // "開始時間" hh:nn:ss
    std::string End;      // "終了時間" hh:nn:ss
    std::string Duration; // "時分" hh:nn
    std::string Category; // "作業内容", "(*name*)" without a category
    std::string Memo;     // "メモ"
};

// The memo dialog for selected periods, and its answer.
struct TPeriodMemoRequest {
    std::string Categories; // drop-down items (comma list)
    std::string Category;
    std::string Memo;
    std::string TimeText; // UTF-8, "hh:nn:ss-hh:nn:ss"
    bool MemoCheckVisible = false;
};
struct TPeriodMemoResult {
    std::string Category;
    std::string Memo;
    bool FirstOnly = false; // "メモ登録は最初のひとつだけ"
    std::string Categories; // the drop-down items after "登録(&U)"
};

// The work registration dialog, and what "登録(&U)" gives.
struct TNewPeriodRequest {
    std::string Categories;
    int NowMinute = 0; // where the range grid opens
    // An error text (UTF-8) for a range that cannot be added; empty if it can.
    std::function<std::string(int beginMinute, int endMinute)> Check;
};
struct TNewPeriod {
    int BeginMinute = -15; // the grid's range; below 0 when none was chosen
    int EndMinute = 0;
    std::string Category;
    std::string Memo;
};

class TTimeEditModel {
public:
    TTimeEditModel(const TRecordEditRequest& request, const Clock& clock);

    TWorkInfo EditRecord;
    std::string Categories;

    std::string Caption() const; // UTF-8 "【name】のメモ編集"
    // Rebuilds the rows and the total from the periods.
    void FillPeriods();
    const std::vector<TEditorRow>& Rows() const { return m_rows; }
    std::string TotalText() const; // hh:nn:ss
    // "変更(&E)" takes a selected row, never on the computer-on record.
    bool EditEnabled(bool rowSelected) const;

    // rows: the selected rows, in any order; none gives nothing to do.
    TPeriodMemoRequest MemoRequest(std::vector<int> rows) const;
    // Every selected period takes the category; the memo goes to the first
    // only, or to all without FirstOnly.
    void ApplyMemo(std::vector<int> rows, const TPeriodMemoResult& result);

    std::string DeleteQuestion(int row) const; // UTF-8, CR LF between lines
    void DeleteRow(int row);

    TNewPeriodRequest NewPeriodRequest() const;
    std::string CheckNewPeriod(int beginMinute, int endMinute) const;
    // Adds the period in order of start; -1 (and nothing changes) when
    // CheckNewPeriod refuses the range. A new category joins the list.
    int AddPeriod(const TNewPeriod& period);

    // The standard memo as the window closes: without blanks and control
    // characters at either end.
    void SetMemo(const std::string& text);
    TRecordEditResult Result() const { return {EditRecord, Categories}; }

private:
    Seconds NowOnRecordDay() const;

    const Clock& m_clock;
    bool m_running;
    std::vector<TOtherWork> m_otherWork;
    std::vector<TEditorRow> m_rows;
};

} // namespace zanpel
