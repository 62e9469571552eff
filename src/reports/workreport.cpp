#include "reports/workreport.h"

#include "records/atomicfile.h"
#include "records/csvfile.h"
#include "records/datalist.h"
#include "records/textcodec.h"
#include "records/textcompare.h"
#include "reports/categorylist.h"
#include "reports/reportdates.h"
#include "reports/reporttexts.h"
#include "reports/summaryrows.h"
#include "settings/initparam.h"

namespace zanpel {
namespace {

constexpr std::string_view CrLf = "\r\n";

struct ReportTexts {
    std::string DayOpen = Utf8ToCp932("【 ");
    std::string DayClose = Utf8ToCp932(" 】");
    std::string SameDay = Utf8ToCp932("  ・");
    std::string Subtotal = Utf8ToCp932("[小計]:");
    std::string Other = Utf8ToCp932("  その他");
    std::string CategoryOpen = Utf8ToCp932("【");
    std::string CategoryClose = Utf8ToCp932("】");
};

const ReportTexts& Texts() {
    static const ReportTexts texts;
    return texts;
}

std::string ReplaceLineBreaks(std::string_view text, std::string_view with) {
    std::string out;
    out.reserve(text.size());
    size_t from = 0;
    for (size_t at; (at = text.find(CrLf, from)) != std::string_view::npos; from = at + 2) {
        out.append(text.substr(from, at - from));
        out.append(with);
    }
    out.append(text.substr(from));
    return out;
}

// Blanks and control characters are single bytes below any CP932 trail byte,
// so cutting them off the end never splits a character.
void TrimEnd(std::string& text) {
    while (!text.empty() && (static_cast<unsigned char>(text.back()) <= 32 || text.back() == 127))
        text.pop_back();
}

int64_t Duration(const TWorkData& period) {
    return int64_t{period.EndSec} - period.StartSec;
}

bool InPeriod(const TWorkInfo& record, const TReportChoice& choice) {
    switch (choice.Period) {
    case rpDay:
        return record.Date == choice.Current;
    case rpWeek:
        return record.Date >= choice.Current - 7 && record.Date <= choice.Current;
    case rpRange:
        return record.Date >= choice.Begin && record.Date <= choice.End;
    default:
        return true;
    }
}

// The label is padded to 20 bytes, as printf's "%-20s" does, and never cut.
void AppendHeader(std::string& block, const std::string& dateColumn, const std::string& label,
                  int64_t seconds) {
    block += dateColumn;
    block += label;
    if (label.size() < 20)
        block.append(20 - label.size(), ' ');
    block += ' ';
    block += FormatTenths(HalfHourTenths(seconds));
    block += " H (";
    block += FormatDuration(seconds);
    block += ')';
}

// One line per category in the order of its first period, with the time of
// every period of that category; categories that differ only in letter case
// count as one, under the spelling met first. Then the time without category.
void AppendSubtotals(std::string& block, const TWorkInfo& record) {
    std::string lines;
    int64_t uncategorised = 0;
    std::vector<const std::string*> handled;
    for (size_t i = 0; i < record.Periods.size(); ++i) {
        const std::string& category = record.Periods[i].Category;
        if (category.empty()) {
            uncategorised += Duration(record.Periods[i]);
            continue;
        }
        bool seen = false;
        for (const std::string* done : handled)
            seen = seen || SameTextIgnoreCase(*done, category);
        if (seen)
            continue;
        handled.push_back(&category);
        int64_t sum = 0;
        for (size_t k = i; k < record.Periods.size(); ++k)
            if (SameTextIgnoreCase(record.Periods[k].Category, category))
                sum += Duration(record.Periods[k]);
        lines += Texts().Subtotal + FormatTime(static_cast<Seconds>(sum % SecondsPerDay)) + "  " +
                 UnescapeText(category) + std::string(CrLf);
    }
    if (lines.empty())
        return;
    block += CrLf;
    block += lines;
    block += Texts().Subtotal + FormatTime(static_cast<Seconds>(uncategorised % SecondsPerDay)) +
             Texts().Other;
}

void AppendPeriods(std::string& block, const TWorkInfo& record, bool withMemos) {
    static const std::string memoIndent(25, ' ');
    block += CrLf;
    block += std::string(25, '-');
    for (const TWorkData& period : record.Periods) {
        block += CrLf;
        block += FormatTime(period.StartSec) + "-" + FormatTime(period.EndSec) + " [" +
                 FormatHourMinute(Duration(period)) + "] ";
        block += period.Category.empty()
                     ? "(*" + record.Name + "*)"
                     : Texts().CategoryOpen + period.Category + Texts().CategoryClose;
        const std::string memo = TrimCategory(period.Memo);
        if (withMemos && !memo.empty()) {
            block += CrLf;
            block += memoIndent + ReplaceLineBreaks(memo, std::string(CrLf) + memoIndent);
        }
    }
}

std::string Block(const TWorkInfo& record, bool login, const std::string& dateColumn,
                  uint16_t flags) {
    const int64_t seconds = login ? WorkedSeconds(record) : record.Total;
    std::string block;
    AppendHeader(block, dateColumn, login ? WorkTimeLabel() : record.Name, seconds);
    const std::string memo = TrimCategory(record.Memo);
    if ((flags & ReportStandardMemo) && !memo.empty()) {
        block += CrLf;
        block += memo;
    }
    if (flags & ReportSubtotal)
        AppendSubtotals(block, record);
    if (flags & ReportCategoryList)
        AppendPeriods(block, record, (flags & ReportWorkMemo) != 0);
    std::string indented = ReplaceLineBreaks(block, "\r\n        ");
    TrimEnd(indented);
    indented += CrLf;
    indented += std::string(32, '=');
    return indented;
}

} // namespace

std::string BuildReport(TDataList& month, const TReportChoice& choice) {
    month.SortWorks((choice.Flags & ReportByDate) != 0);
    std::string report;
    DayNumber previous = 0;
    for (int i = 0; i < month.Count(); ++i) {
        const TWorkInfo& record = *month.WorkAt(i);
        if (!InPeriod(record, choice))
            continue;
        // A computer-on record without its span is not worth a block: it has
        // no time to show (and nothing to subtract its rests from).
        const bool login = month.IsLogin(&record);
        if (login ? record.Periods.empty() : record.Total == 0)
            continue;
        const std::string dateColumn =
            record.Date == previous
                ? Texts().SameDay
                : Texts().DayOpen + FormatMonthDay(record.Date) + Texts().DayClose;
        report += Block(record, login, dateColumn, choice.Flags);
        report += CrLf;
        previous = record.Date;
    }
    return report;
}

std::string WriteReportFile(const std::string& path, std::string_view text, AtomicWriter& writer) {
    static const std::string failed = "レポートを書込めません!\r\n";
    if (path.empty())
        return failed + "ファイル名がありません";
    std::string cause = writer.Replace(path, text);
    if (cause.empty())
        return {};
    // A failure to create the temporary file names that file; the user knows
    // the report's own name.
    const std::string temp = AtomicWriter::TemporaryPath(path);
    if (cause.compare(0, temp.size(), temp) == 0)
        cause.replace(0, temp.size(), path);
    return failed + cause;
}

} // namespace zanpel
