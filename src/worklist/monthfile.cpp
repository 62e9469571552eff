// The month file's line layout and its save: the records of the month as
// lines, the months held unsaved written first, the original of a file read
// with errors kept before it is replaced.
#include "worklist/monthfile.h"

#include "records/atomicfile.h"
#include "records/brokencopy.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "worklist/monthformat.h"

#include <cstdio>

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

TMonthFile::TMonthFile(const Clock& clock, ErrorReporter& reporter)
    : TRunningWork(clock), m_reporter(reporter) {}

void TMonthFile::SetDataDir(const std::string& folder) {
    m_dataDir = folder;
    if (!m_dataDir.empty() && m_dataDir.back() != '/')
        m_dataDir += '/';
}

std::string TMonthFile::MonthFileName(DayNumber day) {
    const CivilDate d = DecodeDate(day);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%4.4d%2.2d.dat", d.Year, d.Month);
    return buf;
}

void TMonthFile::SetWriter(AtomicWriter* writer) {
    m_writer = writer;
}

AtomicWriter& TMonthFile::Writer() const {
    static AtomicWriter standard;
    return m_writer ? *m_writer : standard;
}

bool TMonthFile::OpenMonthFile(const std::string& path) {
    m_monthFile = path;
    return LoadMonth();
}

void TMonthFile::HoldIfUnsaved() {
    // A list that never saves itself leaves that to its owner, who saved
    // explicitly and has asked the user before moving on.
    if (!m_lastSaveFailed || NoSave)
        return;
    m_heldMonths.Hold({m_monthFile, FormatMonth(), m_brokenCopyPath});
    m_brokenCopyPath.clear();
    m_lastSaveFailed = false;
}

std::vector<std::string> TMonthFile::UnsavedMonthFiles() const {
    std::vector<std::string> files = m_heldMonths.Paths();
    if (m_lastSaveFailed)
        files.push_back(m_monthFile);
    return files;
}

bool TMonthFile::SaveHeldMonths() {
    return m_heldMonths.SaveEach([this](THeldMonths::Month& month) {
        return KeepBrokenOriginal(month.Path, month.BrokenCopyPath) &&
               WriteMonthText(month.Path, month.Contents);
    });
}

std::string TMonthFile::FormatMonth() const {
    std::string out;
    out.reserve(Works().size() * 96);
    for (const auto& work : Works()) {
        if (IsRecordWritten(*work))
            AppendRecordLine(out, *work, IsLogin(work.get()));
    }
    return out;
}

bool TMonthFile::KeepBrokenOriginal(const std::string& file, std::string& copyPath) {
    if (copyPath.empty())
        return true;
    const std::string cause = KeepCopy(file, copyPath, Writer());
    if (!cause.empty()) {
        m_reporter.ReportError(std::string(WriteErrorText) + "\r\n" + cause);
        return false;
    }
    copyPath.clear();
    return true;
}

bool TMonthFile::WriteMonthText(const std::string& path, const std::string& text) {
    const std::string cause = Writer().Replace(path, text);
    if (!cause.empty())
        m_reporter.ReportError(std::string(WriteErrorText) + "\r\n" + cause);
    return cause.empty();
}

bool TMonthFile::SaveMonth() {
    if (m_monthFile.empty())
        return false;
    SortWorks(false);
    // What is saved is the state of this moment, not of the last tick (which
    // may lie long back when the program is ending or was held up).
    UpdateRunning();
    const bool others = SaveHeldMonths();
    m_lastSaveFailed = true;
    if (!KeepBrokenOriginal(m_monthFile, m_brokenCopyPath))
        return false;
    if (!WriteMonthText(m_monthFile, FormatMonth()))
        return false;
    m_lastSaveFailed = false;
    return others;
}

bool TMonthFile::SaveIfAllowed() {
    if (m_monthFile.empty() || CurrentDate() == 0 || NoSave)
        return false;
    return SaveMonth();
}

} // namespace zanpel
