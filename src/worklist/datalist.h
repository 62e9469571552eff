// The work list: every work record of one calendar month, the running record,
// the timing rules (merge of short gaps, drop of too-short periods, the daily
// computer-on record) and the month file it is read from and saved to.
#pragma once

#include "records/clock.h"
#include "records/errorreporter.h"
#include "records/workinfo.h"
#include "tracking/appswitch.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

class AtomicWriter;
class TEventLog;

class TDataList {
public:
    TDataList(const Clock& clock, ErrorReporter& reporter);
    ~TDataList();
    TDataList(const TDataList&) = delete;
    TDataList& operator=(const TDataList&) = delete;

    // --- settings and identity
    void Clear();
    int MergeSeconds() const { return m_mergeSeconds; }
    void SetMergeSeconds(int n);
    int NoCountSeconds() const { return m_noCountSeconds; }
    void SetNoCountSeconds(int n);
    bool ContinueCategory = false;
    bool NoSave = false;
    // The command-line tool reads and writes months without being "the running
    // program": it never creates or extends a computer-on record.
    bool KeepsLoginRecord = true;

    DayNumber CurrentDate() const { return m_currentDate; }
    Seconds OnTimeStart() const { return m_onTimeStart; }
    const std::string& MonthFile() const { return m_monthFile; }
    const std::string& DataDir() const { return m_dataDir; }
    void SetDataDir(const std::string& folder); // adds the trailing separator
    TWorkInfo* CurrentWork() const { return m_currentWork; }
    bool Loading() const { return m_loading; }
    TAppSwitch& AppSwitch() { return m_appSwitch; }
    const TAppSwitch& AppSwitch() const { return m_appSwitch; }
    const Clock& GetClock() const { return m_clock; }

    bool IsLogin(const TWorkInfo* record) const;
    bool IsLoginAt(int index) const;
    TWorkInfo* FindLogin();
    bool IsSameMonth(DayNumber day) const;
    bool IsCurrentMonth() const;

    // --- records
    int Count() const { return static_cast<int>(m_works.size()); }
    TWorkInfo* WorkAt(int index) const;
    TWorkInfo* Find(DayNumber day, const std::string& name) const;
    TWorkInfo GetWorkCopy(DayNumber day, const std::string& name) const;
    TWorkInfo GetWorkAt(int index) const;
    TWorkInfo* AddWork(const TWorkInfo& record);
    void SortWorks(bool ascending);

    // --- timing
    // mayMerge false: a new period even right after the item's last one.
    TWorkInfo* StartWork(DayNumber day, const std::string& name, bool mayMerge = true);
    Seconds UpdateRunning();
    Seconds StopWork();
    int AddPeriod(TWorkInfo* record, const TWorkData& period, bool mayMerge = true);
    void UpdateLoginRecord();
    Seconds CalcTotal(TWorkInfo& record) const;

    // --- editing
    void ResetTimes(TWorkInfo* record);
    bool DeleteWork(DayNumber day, const std::string& name);
    void Assign(const TDataList& other);
    void RegisterWorkNames();

    // --- definitions
    std::string GetCategories(const std::string& name) const;
    void SetCategories(const std::string& name, const std::string& text);
    void DeleteDefinition(const std::string& name) { m_appSwitch.DeleteByName(name); }

    // --- sleep of the machine (sleeprecords.cpp)
    // Ends the running period, and the current day's computer-on span, at the
    // moment the machine went to sleep; nothing runs afterwards.
    void CloseForSleep(TDateTime asleep);
    // Adds the part of from..to (seconds of the current day) that no rest
    // period covers yet as rest periods of the day's computer-on record.
    void AddRestPeriod(Seconds from, Seconds to);
    // Adds the parts of from..to that no rest period of login covers yet as
    // rest periods, in start order; answers how many were added.
    int AddUncoveredRest(TWorkInfo& login, Seconds from, Seconds to);

    // Widens the computer-on records of this month with the per-day first and
    // last times of the system log (loginsync.cpp).
    void SyncLoginTimes(const TEventLog& log);

    // --- files (monthfile.cpp)
    void ChangeDate(DayNumber day);
    bool OpenMonthFile(const std::string& path);
    bool LoadMonth();
    bool SaveMonth();
    bool SaveIfAllowed();
    static std::string MonthFileName(DayNumber day); // "%4.4d%2.2d.dat"
    // Where the last load that stopped at an error, or skipped lines that held
    // data, keeps the original file before the next save replaces it; empty
    // when the load was clean.
    const std::string& BrokenCopyPath() const { return m_brokenCopyPath; }
    // True while records are known to be unsaved: the last save of the month
    // failed, or a month left behind at a change of month could not be
    // written yet (it is written at every save until that succeeds).
    bool HasUnsavedRecords() const { return m_lastSaveFailed || !m_unsavedMonths.empty(); }
    std::vector<std::string> UnsavedMonthFiles() const;
    // A month left behind unsaved, as this list holds it (heldmonths.cpp):
    // whether day's month is one; into shows it (without the duty to save
    // it); and its records replaced by those of from, which shows it.
    bool HoldsUnsavedMonth(DayNumber day) const;
    bool CopyUnsavedMonthInto(DayNumber day, TDataList& into) const;
    bool ReplaceUnsavedMonth(const TDataList& from);
    // The writer of the month files, the kept copies and the definition file
    // (tests inject failing writes); none: the standard one.
    void SetWriter(AtomicWriter* writer);

    // --- the definition file (definitions.cpp): read at start, before the
    // first month; written at the end, before the month is saved. A file that
    // could not be read is kept as a copy before it is saved over.
    bool LoadDefinitions(const std::string& path);
    bool SaveDefinitions();

private:
    // A month whose save failed when the list moved on to another month: the
    // text that was to be written, kept until a save of it succeeds.
    struct UnsavedMonth {
        std::string Path;
        std::string Contents;
        std::string BrokenCopyPath;
    };

    Seconds Now() const { return NowSeconds(m_clock); }
    void UpdateTotal(TWorkInfo& record, Seconds added) const;
    // Whether a period of another record of record's day lies between the
    // end of record's last period and now.
    bool OtherTimeSinceLast(const TWorkInfo& record, Seconds now) const;
    // The computer-on span of day reaches at least to end.
    void ExtendSpanTo(DayNumber day, Seconds end);
    DayNumber TodayNumber() const { return Today(m_clock); }
    struct LoadState; // what a load knows besides the list (monthfile.cpp)
    std::string ParseRecordLine(const std::vector<std::string_view>& items, LoadState& state);
    TWorkInfo* LoadedRecord(LoadState& state, const TWorkInfo& key);
    static bool IsKnownRest(LoadState& state, const TWorkInfo* login, const TWorkData& rest);
    void ReadMonthText(std::string& contents, std::string& cause);
    void SettleLoginRecords();
    void KeepUnsavedMonth();
    bool SaveUnsavedMonths();
    bool WriteMonthText(const std::string& path, const std::string& text);
    std::string FormatMonth() const;
    bool KeepBrokenOriginal(const std::string& file, std::string& copyPath);
    AtomicWriter& Writer() const;

    const Clock& m_clock;
    ErrorReporter& m_reporter;
    AtomicWriter* m_writer;
    std::vector<std::unique_ptr<TWorkInfo>> m_works;
    TWorkInfo* m_currentWork = nullptr;
    DayNumber m_currentDate = 0;
    Seconds m_onTimeStart = 0;
    int m_mergeSeconds = 1;
    int m_noCountSeconds = 1;
    bool m_loading = false;
    std::string m_monthFile;
    std::string m_dataDir;
    std::string m_brokenCopyPath;
    std::vector<UnsavedMonth> m_unsavedMonths;
    bool m_lastSaveFailed = false;
    std::string m_definitionFile;
    std::string m_brokenDefinitionCopy;
    TAppSwitch m_appSwitch;
};

} // namespace zanpel
