// The month record file of the work list: its line layout, loading, saving and
// the change of day that moves the list from one file to the next.
#include "records/atomicfile.h"
#include "records/brokencopy.h"
#include "records/csvfile.h"
#include "records/datalist.h"
#include "records/monthformat.h"
#include "records/names.h"

#include <cstdio>
#include <deque>

namespace zanpel {
namespace {

// Appends an escaped text as a comma-list item, escaping it straight into out.
void AppendEscapedItem(std::string& out, std::string_view text) {
    const std::string escaped = EscapeText(text);
    AppendListItem(out, escaped);
}

// A period item: its own comma list inside explicit double quotes. Quotes
// inside are doubled, which ordinary records never have, so the bytes are
// those of the plain form for every real record.
void AppendPeriodItem(std::string& line, const TWorkData& period) {
    const size_t start = line.size();
    line += ",\"";
    line += FormatTime(period.StartSec);
    line += ',';
    line += FormatTime(period.EndSec);
    line += ',';
    AppendEscapedItem(line, period.Category);
    line += ',';
    AppendEscapedItem(line, period.Memo);
    // Items that needed quotes (texts with control characters) put quotes
    // inside the item; those are doubled so that the item splits back.
    if (line.find('"', start + 2) != std::string::npos) {
        std::string inner = line.substr(start + 2);
        line.resize(start + 2);
        for (char c : inner) {
            if (c == '"')
                line += '"';
            line += c;
        }
    }
    line += '"';
}

void AppendRecordLine(std::string& out, const TWorkInfo& record, bool login) {
    out += FormatDate(record.Date);
    out += ',';
    AppendEscapedItem(out, record.Name);
    out += ',';
    AppendEscapedItem(out, record.Memo);
    for (const TWorkData& period : record.Periods)
        if (IsPeriodWritten(period, login))
            AppendPeriodItem(out, period);
    out += "\r\n";
}

} // namespace

bool IsPeriodWritten(const TWorkData& period, bool login) {
    return login || int64_t{period.StartSec} + 1 < period.EndSec;
}

bool IsRecordWritten(const TWorkInfo& record) {
    return record.Total != 0 || record.Name == LoginName;
}

std::string TDataList::MonthFileName(DayNumber day) {
    const CivilDate d = DecodeDate(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%4.4d%2.2d.dat", d.Year, d.Month);
    return buf;
}

void TDataList::SetWriter(AtomicWriter* writer) { m_writer = writer; }

AtomicWriter& TDataList::Writer() const {
    static AtomicWriter standard;
    return m_writer ? *m_writer : standard;
}

void TDataList::ChangeDate(DayNumber day) {
    if (day == m_currentDate)
        return;
    StopWork();
    SaveIfAllowed();
    const bool sameMonth = IsSameMonth(day);
    m_currentDate = day;
    m_onTimeStart = Now();
    if (!sameMonth)
        OpenMonthFile(m_dataDir + MonthFileName(day));
    UpdateLoginRecord();
}

bool TDataList::OpenMonthFile(const std::string& path) {
    m_monthFile = path;
    return LoadMonth();
}

void TDataList::ParseRecordLine(const std::vector<std::string_view>& items, int currentYear) {
    if (items.size() < 2)
        return;
    TWorkInfo key;
    key.Date = ParseDate(items[0], currentYear);
    key.Name = UnescapeText(items[1]);
    if (items.size() > 2)
        key.Memo = UnescapeText(items[2]);
    TWorkInfo* record = AddWork(key);
    if (record == nullptr)
        return;
    const bool login = IsLogin(record);
    std::vector<std::string_view> sub;
    std::deque<std::string> storage;
    for (size_t k = 3; k < items.size(); ++k) {
        SplitViews(items[k], sub, storage);
        sub.resize(std::max<size_t>(sub.size(), 4));
        TWorkData period;
        period.StartSec = ParseTime(sub[0]);
        period.EndSec = ParseTime(sub[1]);
        // An end before the start lies on the next day. So does an end equal
        // to the start outside the computer-on record: periods of a second or
        // less are never written, so this is a whole day (from midnight to
        // midnight), which would otherwise read back as nothing.
        if (period.EndSec < period.StartSec || (!login && period.EndSec == period.StartSec))
            period.EndSec += SecondsPerDay;
        period.Category = UnescapeText(sub[2]);
        period.Memo = UnescapeText(sub[3]);
        if (IsPeriodWritten(period, login))
            AddPeriod(record, period);
    }
}

bool TDataList::LoadMonth() {
    if (m_monthFile.empty() || m_currentDate == 0)
        return true;
    Clear();
    m_brokenCopyPath.clear();
    if (!FileExists(m_monthFile))
        return true;

    std::string contents;
    std::string cause;
    const bool readAll = ReadWholeFile(m_monthFile, contents, cause);
    if (!readAll) // keep only the whole lines that did arrive
        contents.resize(contents.rfind('\n') == std::string::npos ? 0 : contents.rfind('\n') + 1);

    m_loading = true;
    const int year = CurrentYear(m_clock);
    LineReader reader(contents);
    std::string_view line;
    std::vector<std::string_view> items;
    std::deque<std::string> storage;
    for (int number = 1; reader.Next(line); ++number) {
        storage.clear();
        SplitViews(line, items, storage);
        try {
            ParseRecordLine(items, year);
        } catch (const InvalidDate& e) {
            cause = std::to_string(number) + " 行目: " + e.what();
            break;
        }
    }
    m_loading = false;
    if (cause.empty())
        return true;

    std::string message = std::string(ReadErrorText) + "\r\n" + m_monthFile + "\r\n" + cause;
    if (!NoSave) {
        m_brokenCopyPath = zanpel::BrokenCopyPath(m_monthFile, m_clock);
        message += "\r\n" + KeptCopyNote(m_brokenCopyPath);
    }
    m_reporter.ReportError(message);
    return false;
}

std::string TDataList::FormatMonth() const {
    std::string out;
    out.reserve(m_works.size() * 96);
    for (const auto& work : m_works) {
        if (IsRecordWritten(*work))
            AppendRecordLine(out, *work, IsLogin(work.get()));
    }
    return out;
}

bool TDataList::KeepBrokenOriginal() {
    if (m_brokenCopyPath.empty())
        return true;
    const std::string cause = KeepCopy(m_monthFile, m_brokenCopyPath, Writer());
    if (!cause.empty()) {
        m_reporter.ReportError(std::string(WriteErrorText) + "\r\n" + cause);
        return false;
    }
    m_brokenCopyPath.clear();
    return true;
}

bool TDataList::SaveMonth() {
    if (m_monthFile.empty())
        return false;
    SortWorks(false);
    UpdateLoginRecord();
    if (!KeepBrokenOriginal())
        return false;
    const std::string cause = Writer().Replace(m_monthFile, FormatMonth());
    if (cause.empty())
        return true;
    m_reporter.ReportError(std::string(WriteErrorText) + "\r\n" + cause);
    return false;
}

bool TDataList::SaveIfAllowed() {
    if (m_monthFile.empty() || m_currentDate == 0 || NoSave)
        return false;
    return SaveMonth();
}

} // namespace zanpel
