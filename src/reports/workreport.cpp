#include "reports/workreport.h"

#include "records/blanks.h"
#include "records/csvfile.h"
#include "records/textcodec.h"
#include "records/textcompare.h"
#include "reports/outputfile.h"
#include "reports/reportdates.h"
#include "reports/reporttexts.h"
#include "reports/summaryrows.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

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

// Writes one block straight into the report. Every line break inside the
// block is followed by the block's indent of 8 blanks, those in texts too;
// the block ends without trailing blanks, then comes the closing rule.
class BlockWriter {
public:
    explicit BlockWriter(std::string& out) : m_out(out), m_start(out.size()) {}

    void Line() { m_out += "\r\n        "; }
    void Add(std::string_view text) { m_out += text; }
    // Text whose own line breaks take the block's indent and extra blanks more.
    void Text(std::string_view text, size_t extra = 0) {
        size_t from = 0;
        for (size_t at; (at = text.find(CrLf, from)) != std::string_view::npos; from = at + 2) {
            m_out.append(text.substr(from, at - from));
            Line();
            m_out.append(extra, ' ');
        }
        m_out.append(text.substr(from));
    }
    // hh:nn:ss (or hh:nn) of the time of day, written in place: the report
    // has three of them for every period of the month.
    void Clock(int64_t seconds, bool withSeconds = true) {
        const int64_t t = (seconds % SecondsPerDay + SecondsPerDay) % SecondsPerDay;
        const int h = static_cast<int>(t / 3600);
        const int m = static_cast<int>(t / 60 % 60);
        const int sec = static_cast<int>(t % 60);
        const char text[8] = {Digit(h / 10),   Digit(h % 10),  ':',
                              Digit(m / 10),   Digit(m % 10),  ':',
                              Digit(sec / 10), Digit(sec % 10)};
        m_out.append(text, withSeconds ? sizeof text : 5);
    }
    void Close() {
        while (m_out.size() > m_start && IsBlankOrControl(m_out.back()))
            m_out.pop_back();
        m_out += CrLf;
        m_out.append(32, '=');
    }

private:
    static char Digit(int d) { return static_cast<char>('0' + d); }

    std::string& m_out;
    size_t m_start;
};

// The label is padded to 20 bytes, as printf's "%-20s" does, and never cut.
void WriteHeader(BlockWriter& block, const std::string& dateColumn, const std::string& label,
                 int64_t seconds) {
    block.Add(dateColumn);
    block.Text(label);
    if (label.size() < 20)
        block.Add(std::string_view("                    ", 20 - label.size()));
    block.Add(" ");
    block.Add(FormatTenths(HalfHourTenths(seconds)));
    block.Add(" H (");
    block.Add(FormatDuration(seconds));
    block.Add(")");
}

bool SameCategory(const std::string& a, const std::string& b) {
    return a == b || (a.size() == b.size() && SameTextIgnoreCase(a, b));
}

// One line per category in the order of its first period, with the time of
// every period of that category; categories that differ only in letter case
// count as one, under the spelling met first. Then the time without category.
void WriteSubtotals(BlockWriter& block, const TWorkInfo& record) {
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
            seen = seen || SameCategory(*done, category);
        if (seen)
            continue;
        if (handled.empty())
            block.Line();
        handled.push_back(&category);
        int64_t sum = 0;
        for (size_t k = i; k < record.Periods.size(); ++k)
            if (SameCategory(record.Periods[k].Category, category))
                sum += Duration(record.Periods[k]);
        block.Add(Texts().Subtotal);
        block.Clock(sum);
        block.Add("  ");
        block.Text(UnescapeText(category));
        block.Line();
    }
    if (handled.empty())
        return;
    block.Add(Texts().Subtotal);
    block.Clock(uncategorised);
    block.Add(Texts().Other);
}

void WritePeriods(BlockWriter& block, const TWorkInfo& record, bool withMemos) {
    block.Line();
    block.Add("-------------------------");
    for (const TWorkData& period : record.Periods) {
        block.Line();
        block.Clock(period.StartSec);
        block.Add("-");
        block.Clock(period.EndSec);
        block.Add(" [");
        block.Clock(Duration(period), false);
        block.Add("] ");
        if (period.Category.empty()) {
            block.Add("(*");
            block.Text(record.Name);
            block.Add("*)");
        } else {
            block.Add(Texts().CategoryOpen);
            block.Text(period.Category);
            block.Add(Texts().CategoryClose);
        }
        const std::string_view memo = TrimBlanks(period.Memo);
        if (withMemos && !memo.empty()) {
            block.Line();
            block.Add("                         "); // 25 blanks
            block.Text(memo, 25);
        }
    }
}

void WriteBlock(std::string& out, const TWorkInfo& record, bool login,
                const std::string& dateColumn, uint16_t flags) {
    BlockWriter block(out);
    WriteHeader(block, dateColumn, login ? WorkTimeLabel() : record.Name,
                login ? WorkedSeconds(record) : record.Total);
    const std::string_view memo = TrimBlanks(record.Memo);
    if ((flags & ReportStandardMemo) && !memo.empty()) {
        block.Line();
        block.Text(memo);
    }
    if (flags & ReportSubtotal)
        WriteSubtotals(block, record);
    if (flags & ReportCategoryList)
        WritePeriods(block, record, (flags & ReportWorkMemo) != 0);
    block.Close();
}

// Enough room for most reports, so that the text is not copied as it grows.
size_t EstimatedSize(const TDataList& month, uint16_t flags) {
    size_t periods = 0;
    for (int i = 0; i < month.Count(); ++i)
        periods += month.WorkAt(i)->Periods.size();
    const size_t perPeriod = (flags & ReportCategoryList) ? 64 : 0;
    return static_cast<size_t>(month.Count()) * 96 + periods * perPeriod;
}

} // namespace

std::string ReportChoiceProblem(const TReportChoice& choice) {
    if (choice.Period == rpRange && choice.Begin > choice.End)
        return "期間の「から」の日が「まで」の日より後です。期間を選び直してください。";
    return {};
}

std::string BuildReport(TDataList& month, const TReportChoice& choice) {
    month.SortWorks((choice.Flags & ReportByDate) != 0);
    std::string report;
    report.reserve(EstimatedSize(month, choice.Flags));
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
        WriteBlock(report, record, login, dateColumn, choice.Flags);
        report += CrLf;
        previous = record.Date;
    }
    return report;
}

std::string WriteReportFile(const std::string& path, std::string_view text,
                            const std::string& dataDir, AtomicWriter& writer) {
    return WriteOutputFile(path, text, dataDir, writer, "レポートを書込めません!\r\n");
}

} // namespace zanpel
