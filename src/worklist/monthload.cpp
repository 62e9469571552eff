// The load of a month file into the records: each line read back as it was
// written, the lines that a save would change reported (the original is then
// kept), the rest lines joined to the computer-on records.
#include "records/atomicfile.h"
#include "records/brokencopy.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "worklist/monthfile.h"
#include "worklist/monthformat.h"

#include <algorithm>
#include <deque>
#include <optional>
#include <set>
#include <unordered_map>

namespace zanpel {
namespace {

// Lines named one by one in a load error; more are counted.
constexpr int MaxListedLines = 20;

} // namespace

// What a load knows besides the list: the records read so far by day and
// name, so that every line finds its record at once (a month of many records
// loads in linear time), and the rests already held by each computer-on record.
struct TMonthFile::LoadState {
    struct Key {
        DayNumber Day;
        std::string_view Name; // the record's own name, which loading never changes
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const {
            return std::hash<std::string_view>()(key.Name) ^ (static_cast<size_t>(key.Day) << 1);
        }
    };
    int CurrentYear = 0;
    std::unordered_map<Key, TWorkInfo*, KeyHash> Records;
    std::unordered_map<const TWorkInfo*, std::set<std::pair<Seconds, Seconds>>> Rests;
};

namespace {

// Whether a period comes back from its written form as it is: a period is
// written as two times of day, so one that passes midnight must end before
// it starts again (or be the whole day of "00:00:00,00:00:00").
bool ReadsBackAsStored(const TWorkData& period) {
    const Seconds length = period.EndSec - period.StartSec;
    return length < SecondsPerDay || (length == SecondsPerDay && period.StartSec == 0);
}

void AddProblem(std::string& problems, const std::string& problem) {
    problems += (problems.empty() ? "" : "、") + problem;
}

// A text item of a line: its bytes in the file, and the text read from them.
struct ReadText {
    std::string_view Raw;
    std::string_view Text;
};

// Whether a save writes the item back with exactly the bytes it was read
// from: a backslash before no known escape, a quote or a comma inside a
// quoted item, a carriage return all read as something that is written
// otherwise.
bool KeepsItsBytes(const ReadText& item) {
    return item.Raw.empty() || EscapeText(item.Text) == item.Raw;
}

// Names the texts of a line that a save would not write back as they are.
void CheckTexts(std::string& problems, std::initializer_list<ReadText> items) {
    for (const ReadText& item : items)
        if (!KeepsItsBytes(item))
            AddProblem(problems, "保存すると変わる文字があります: " + Cp932ToUtf8(item.Raw));
}

bool IsRestLine(const std::vector<std::string_view>& items) {
    return items.size() >= 2 && UnescapeText(items[1]) == RestName();
}

} // namespace

TWorkInfo* TMonthFile::LoadedRecord(LoadState& state, const TWorkInfo& key, bool& repeated) {
    repeated = false;
    // Rest time is kept in the day's computer-on record, as Find keeps it,
    // once that has its span (else a rest would become the span).
    if (key.Name == RestName())
        if (const auto login = state.Records.find({key.Date, LoginName});
            login != state.Records.end() && !login->second->Periods.empty())
            return login->second;
    // One look into the index: the record is made first, as a line mostly
    // starts a record of its own, and dropped when the line repeats one.
    auto work = std::make_unique<TWorkInfo>(key);
    work->Total = 0;
    const auto [place, added] =
        state.Records.try_emplace(LoadState::Key{work->Date, work->Name}, work.get());
    if (added)
        Works().push_back(std::move(work));
    // Rest lines of a day without its computer-on record gather in one record.
    repeated = !added && key.Name != RestName();
    return place->second;
}

// Whether a rest of a "休憩" line is one that the day's computer-on record
// holds already (a file saved with both); else it is noted as held now.
bool TMonthFile::IsKnownRest(LoadState& state, const TWorkInfo* login, const TWorkData& rest) {
    auto [known, fresh] = state.Rests.try_emplace(login);
    if (fresh)
        for (size_t k = 1; k < login->Periods.size(); ++k)
            known->second.emplace(login->Periods[k].StartSec, login->Periods[k].EndSec);
    return !known->second.emplace(rest.StartSec, rest.EndSec).second;
}

// Accepts: the items of one record line: date, name, memo, then one item per
// period, itself a comma list "start,end,category,memo". Answers why the line
// gave no record, lost an item, or holds a value that the reading corrected
// (which the next save would write corrected), or an empty text.
std::string TMonthFile::ParseRecordLine(const std::vector<std::string_view>& items,
                                        LoadState& state) {
    if (items.empty())
        return {};
    if (items.size() < 2 || items[1].empty())
        return "作業名がありません";
    TWorkInfo key;
    key.Date = ParseDate(items[0], state.CurrentYear);
    if (key.Date == 0)
        return "日付が読めません: " + Cp932ToUtf8(items[0]);
    std::string problems;
    if (IsCorrectedDate(items[0]))
        AddProblem(problems, "日付を " + FormatDate(key.Date) +
                                 " と読み替えました: " + Cp932ToUtf8(items[0]));
    key.Name = UnescapeText(items[1]);
    if (key.Name.empty())
        return "作業名がありません";
    if (items.size() > 2)
        key.Memo = UnescapeText(items[2]);
    CheckTexts(problems, {{items[1], key.Name}, {items.size() > 2 ? items[2] : "", key.Memo}});
    bool repeated = false;
    TWorkInfo* record = LoadedRecord(state, key, repeated);
    const bool login = IsLogin(record);
    const bool restLine = login && key.Name == RestName();
    // A second line of a day's item is joined to the first, whose memo stays,
    // and the save writes them as one line: the file is not read as it
    // stands, and is kept as a copy.
    if (repeated) {
        AddProblem(problems, FormatDate(key.Date) + " の「" + Cp932ToUtf8(key.Name) +
                                 "」の行が前にもあります。一つの行にまとめます");
    }
    std::vector<std::string_view> sub;
    std::deque<std::string> storage;
    for (size_t k = 3; k < items.size(); ++k) {
        SplitViews(items[k], sub, storage);
        if (sub.size() > 4)
            AddProblem(problems,
                       "期間の 5 つ目からの項目は保存されません: " + Cp932ToUtf8(items[k]));
        sub.resize(std::max<size_t>(sub.size(), 4));
        const std::optional<Seconds> start = ReadTime(sub[0]);
        const std::optional<Seconds> end = ReadTime(sub[1]);
        if (!start || !end) {
            AddProblem(problems, "期間として読めない項目があります: " + Cp932ToUtf8(items[k]));
            continue;
        }
        for (std::string_view time : {sub[0], sub[1]})
            if (IsCorrectedTime(time))
                AddProblem(problems, "時刻を " + FormatTime(ParseTime(time)) +
                                         " と読み替えました: " + Cp932ToUtf8(time));
        TWorkData period;
        period.StartSec = *start;
        period.EndSec = *end;
        // An end before the start lies on the next day. The program writes a
        // period from midnight to midnight (an item left running all day) as
        // "00:00:00,00:00:00"; only that text reads as a whole day. In the
        // computer-on record it may also be a moment at midnight, which
        // SettleLoginRecords decides once the whole month is read.
        if (period.EndSec < period.StartSec || (sub[0] == "00:00:00" && sub[1] == "00:00:00"))
            period.EndSec += SecondsPerDay;
        period.Category = UnescapeText(sub[2]);
        period.Memo = UnescapeText(sub[3]);
        CheckTexts(problems, {{sub[2], period.Category}, {sub[3], period.Memo}});
        if ((restLine && IsKnownRest(state, record, period)) || !IsPeriodWritten(period, login))
            continue;
        // The span of a repeated computer-on line widens the day's span; it
        // is no rest.
        if (repeated && login && !restLine && k == 3 && !record->Periods.empty()) {
            TWorkData& span = record->Periods.front();
            span.StartSec = std::min(span.StartSec, period.StartSec);
            span.EndSec = std::max(span.EndSec, period.EndSec);
            continue;
        }
        // Periods come back as they were written: the merge rule joins a
        // period with the one before only while the item runs. Applied here,
        // it would join what the program kept apart on purpose (the two sides
        // of a sleep, a new work started at once) and book the gap.
        const TWorkData& stored =
            record->Periods[static_cast<size_t>(AddPeriod(record, period, false))];
        if (!ReadsBackAsStored(stored))
            AddProblem(problems, "1 日を超える期間は保存できません: " +
                                     FormatTime(stored.StartSec) + "-" + FormatTime(stored.EndSec) +
                                     " (" + FormatDuration(stored.EndSec - stored.StartSec) + ")");
    }
    return problems;
}

// The computer-on records once the whole month is read. A span written
// "00:00:00,00:00:00" is a whole day when the machine was on through it: a
// period of that day shows so (the span holds every period of its day), and
// so does a next day whose span starts at midnight; otherwise it was a moment
// at midnight. The rest time counts overlapping rest periods once, which the
// sum kept while loading does not.
void TMonthFile::SettleLoginRecords() {
    std::vector<DayNumber> onThrough; // days with a period, or the next one on from midnight
    for (const auto& work : Works()) {
        const bool login = IsLogin(work.get());
        if (work->Periods.size() > (login ? 1u : 0u))
            onThrough.push_back(work->Date);
        if (login && !work->Periods.empty() && work->Periods.front().StartSec == 0)
            onThrough.push_back(work->Date - 1);
    }
    std::sort(onThrough.begin(), onThrough.end());
    for (const auto& work : Works()) {
        if (!IsLogin(work.get()) || work->Periods.empty())
            continue;
        TWorkData& span = work->Periods.front();
        if (span.StartSec == 0 && span.EndSec == SecondsPerDay &&
            !std::binary_search(onThrough.begin(), onThrough.end(), work->Date))
            span.EndSec = 0;
        CalcTotal(*work);
    }
}

// The text of the month file: a month left unsaved earlier is taken back as
// it was to be written; else the file as far as it could be read.
void TMonthFile::ReadMonthText(std::string& contents, std::string& cause) {
    if (std::optional<THeldMonths::Month> held = m_heldMonths.Take(m_monthFile)) {
        contents = std::move(held->Contents);
        m_brokenCopyPath = std::move(held->BrokenCopyPath);
        m_lastSaveFailed = true; // still to be written
        return;
    }
    if (!FileExists(m_monthFile))
        return;
    if (!ReadWholeFile(m_monthFile, contents, cause)) // keep only the whole lines that did arrive
        contents.resize(contents.rfind('\n') == std::string::npos ? 0 : contents.rfind('\n') + 1);
    // A byte-order mark (a file saved by a UTF-8 editor) carries nothing.
    if (contents.starts_with("\xEF\xBB\xBF"))
        contents.erase(0, 3);
}

bool TMonthFile::LoadMonth() {
    if (m_monthFile.empty() || CurrentDate() == 0)
        return true;
    Clear();
    m_brokenCopyPath.clear();
    m_lastSaveFailed = false;
    std::string contents;
    std::string readCause;
    ReadMonthText(contents, readCause);

    SetLoading(true);
    LoadState state;
    state.CurrentYear = CurrentYear(GetClock());
    const auto lines = static_cast<size_t>(std::count(contents.begin(), contents.end(), '\n'));
    state.Records.reserve(lines + 1);
    Works().reserve(lines + 1);
    LineReader reader(contents);
    std::string_view line;
    std::vector<std::string_view> items;
    std::deque<std::string> storage;
    // Lines that gave no record, lost an item or had a value corrected would
    // be written otherwise at the next save unless the original is kept: they
    // count as an error of the file.
    std::string problems;
    int problemsCount = 0;
    std::string cause;
    const auto parse = [&](int number) {
        try {
            const std::string problem = ParseRecordLine(items, state);
            if (!problem.empty() && ++problemsCount <= MaxListedLines)
                problems +=
                    (problems.empty() ? "" : "\r\n") + std::to_string(number) + " 行目: " + problem;
        } catch (const InvalidDate& e) {
            cause = std::to_string(number) + " 行目: " + e.what();
        }
    };
    // The "休憩" lines come last, whatever their place in the file: their
    // periods are rests of the day's computer-on record wherever that line is.
    std::vector<std::pair<int, std::string_view>> restLines;
    for (int number = 1; cause.empty() && reader.Next(line); ++number) {
        storage.clear();
        SplitViews(line, items, storage);
        if (!IsRestLine(items)) {
            parse(number);
            continue;
        }
        try {
            ParseDate(items[0], state.CurrentYear); // a date the calendar refuses stops here
            restLines.emplace_back(number, line);
        } catch (const InvalidDate& e) {
            cause = std::to_string(number) + " 行目: " + e.what();
        }
    }
    for (const auto& [number, restLine] : restLines) {
        storage.clear();
        SplitViews(restLine, items, storage);
        parse(number);
    }
    SetLoading(false);
    SettleLoginRecords();
    if (problemsCount > MaxListedLines)
        problems += "\r\nほか " + std::to_string(problemsCount - MaxListedLines) + " 行";
    for (const std::string* part : {&cause, &readCause})
        if (!part->empty())
            problems += (problems.empty() ? "" : "\r\n") + *part;
    if (problems.empty())
        return true;

    std::string message = std::string(ReadErrorText) + "\r\n" + m_monthFile + "\r\n" + problems;
    if (!NoSave) {
        m_brokenCopyPath = zanpel::BrokenCopyPath(m_monthFile, GetClock());
        // What is no file (a FIFO, a device, a folder) cannot be copied, and
        // no save goes over it while it is there: no copy is promised.
        if (!IsOtherThanRegularFile(m_monthFile))
            message += "\r\n" + KeptCopyNote(m_brokenCopyPath);
    }
    m_reporter.ReportError(message);
    return false;
}

} // namespace zanpel
