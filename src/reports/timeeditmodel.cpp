#include "reports/timeeditmodel.h"

#include "records/blanks.h"
#include "records/clock.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "reports/categorylist.h"

#include <algorithm>
#include <cstdio>

namespace zanpel {
namespace {

// A duration as hours and minutes of a day ("時分").
std::string HoursMinutes(Seconds s) {
    char text[16];
    std::snprintf(text, sizeof text, "%2.2d:%2.2d", (s / 3600) % 24, (s / 60) % 60);
    return text;
}

std::string SpanText(const TWorkData& p) {
    return FormatTime(p.StartSec) + "-" + FormatTime(p.EndSec);
}

std::vector<int> SortedRows(std::vector<int> rows, size_t count) {
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    std::erase_if(rows, [count](int r) { return r < 0 || static_cast<size_t>(r) >= count; });
    return rows;
}

} // namespace

TTimeEditModel::TTimeEditModel(const TRecordEditRequest& request, const Clock& clock)
    : EditRecord(request.Record), Categories(request.Categories), m_clock(clock),
      m_running(request.Running), m_otherWork(request.OtherWork) {
    FillPeriods();
}

std::string TTimeEditModel::Caption() const {
    return "【" + Cp932ToUtf8(EditRecord.Name) + "】のメモ編集";
}

void TTimeEditModel::FillPeriods() {
    m_rows.clear();
    Seconds sum = 0;
    for (const TWorkData& p : EditRecord.Periods) {
        const std::string category =
            p.Category.empty() ? "(*" + EditRecord.Name + "*)" : p.Category;
        m_rows.push_back({FormatTime(p.StartSec), FormatTime(p.EndSec),
                          HoursMinutes(p.EndSec - p.StartSec), UnescapeText(category), p.Memo});
        sum += p.EndSec - p.StartSec;
    }
    EditRecord.Total = sum;
}

std::string TTimeEditModel::TotalText() const {
    return FormatTime(EditRecord.Total);
}

bool TTimeEditModel::EditEnabled(bool rowSelected) const {
    return rowSelected && EditRecord.Name != LoginName;
}

TPeriodMemoRequest TTimeEditModel::MemoRequest(std::vector<int> rows) const {
    rows = SortedRows(std::move(rows), EditRecord.Periods.size());
    if (rows.empty())
        return {};
    const TWorkData& first = EditRecord.Periods[static_cast<size_t>(rows.front())];
    return {Categories, first.Category, first.Memo, SpanText(first), rows.size() > 1};
}

void TTimeEditModel::ApplyMemo(std::vector<int> rows, const TPeriodMemoResult& result) {
    rows = SortedRows(std::move(rows), EditRecord.Periods.size());
    bool memo = true;
    for (const int row : rows) {
        TWorkData& p = EditRecord.Periods[static_cast<size_t>(row)];
        p.Category = TrimBlanks(result.Category);
        if (memo)
            p.Memo = TrimBlanks(result.Memo);
        memo = !result.FirstOnly;
    }
    if (!rows.empty())
        Categories = result.Categories;
    FillPeriods();
}

std::string TTimeEditModel::DeleteQuestion(int row) const {
    const TWorkData& p = EditRecord.Periods.at(static_cast<size_t>(row));
    return Cp932ToUtf8(p.Category) + " (" + SpanText(p) + ") を削除します\r\nよろしいですか？";
}

void TTimeEditModel::DeleteRow(int row) {
    if (row < 0 || static_cast<size_t>(row) >= EditRecord.Periods.size())
        return;
    DeletePeriod(EditRecord, row);
    FillPeriods();
}

Seconds TTimeEditModel::NowOnRecordDay() const {
    // The editor may stay open past midnight: the record's day is then all past.
    return (Today(m_clock) - EditRecord.Date) * SecondsPerDay + NowSeconds(m_clock);
}

TNewPeriodRequest TTimeEditModel::NewPeriodRequest() const {
    return {Categories, NowSeconds(m_clock) / 60,
            [this](int begin, int end) { return CheckNewPeriod(begin, end); }};
}

std::string TTimeEditModel::CheckNewPeriod(int beginMinute, int endMinute) const {
    if (beginMinute < 0 || endMinute <= beginMinute || endMinute > 1440) // within the day
        return "開始-終了の時間帯を選んでください。";
    const Seconds start = beginMinute * 60;
    const Seconds end = endMinute * 60;
    const Seconds now = NowOnRecordDay();
    if (end > now)
        return "まだ来ていない時間は登録できません。";
    for (size_t i = 0; i < EditRecord.Periods.size(); ++i) {
        const TWorkData& p = EditRecord.Periods[i];
        // The running period reaches up to now, whatever the copy says.
        const bool running = m_running && i + 1 == EditRecord.Periods.size();
        const Seconds pEnd = running ? std::max(p.EndSec, now) : p.EndSec;
        if (start < pEnd && p.StartSec < end)
            return FormatTime(p.StartSec) + "-" + FormatTime(pEnd) +
                   " の作業と重なるため登録できません。";
    }
    // Another item's time stays its own: the period would be cut at the
    // confirmation, and what the editor showed would not be what is saved.
    for (const TOtherWork& other : m_otherWork) {
        const Seconds otherEnd = other.Running ? std::max(other.EndSec, now) : other.EndSec;
        if (start < otherEnd && other.StartSec < end)
            return FormatTime(other.StartSec) + "-" + FormatTime(otherEnd) + " の「" +
                   Cp932ToUtf8(other.Name) + "」の作業と重なるため登録できません。";
    }
    return {};
}

int TTimeEditModel::AddPeriod(const TNewPeriod& period) {
    if (!CheckNewPeriod(period.BeginMinute, period.EndMinute).empty())
        return -1;
    const TWorkData added{std::string(TrimBlanks(period.Category)),
                          std::string(TrimBlanks(period.Memo)), period.BeginMinute * 60,
                          period.EndMinute * 60};
    auto& periods = EditRecord.Periods;
    const auto at = std::find_if(periods.begin(), periods.end(),
                                 [&](const TWorkData& p) { return p.StartSec > added.StartSec; });
    const int index = static_cast<int>(at - periods.begin());
    periods.insert(at, added);
    StringList items = Split(Categories);
    if (AddCategory(items, added.Category))
        Categories = Join(items);
    FillPeriods();
    return index;
}

void TTimeEditModel::SetMemo(const std::string& text) {
    EditRecord.Memo = TrimBlanks(text);
}

} // namespace zanpel
