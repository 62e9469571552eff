// The month file behind the work list: where it lies, its load into the
// records and its save from them, the copy kept of an original that could not
// be read whole, and the months held unsaved, which a load takes back and
// every save tries to write.
#pragma once

#include "records/errorreporter.h"
#include "worklist/heldmonths.h"
#include "worklist/runningwork.h"

#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

class AtomicWriter;

class TMonthFile : public TRunningWork {
public:
    TMonthFile(const Clock& clock, ErrorReporter& reporter);

    bool NoSave = false;
    const std::string& MonthFile() const { return m_monthFile; }
    const std::string& DataDir() const { return m_dataDir; }
    void SetDataDir(const std::string& folder);      // adds the trailing separator
    static std::string MonthFileName(DayNumber day); // "%4.4d%2.2d.dat"
    // The writer of the month files, the kept copies and the definition file
    // (tests inject failing writes); none: the standard one.
    void SetWriter(AtomicWriter* writer);

    // --- load (monthload.cpp)
    bool LoadMonth();
    // Where the last load that stopped at an error, or skipped lines that held
    // data, keeps the original file before the next save replaces it; empty
    // when the load was clean.
    const std::string& BrokenCopyPath() const { return m_brokenCopyPath; }

    // --- save
    bool SaveMonth();
    bool SaveIfAllowed();
    // True while records are known to be unsaved: the last save of the month
    // failed, or a month left behind at a change of month could not be
    // written yet (it is written at every save until that succeeds).
    bool HasUnsavedRecords() const { return m_lastSaveFailed || !m_heldMonths.Empty(); }
    std::vector<std::string> UnsavedMonthFiles() const;

protected:
    bool OpenMonthFile(const std::string& path);
    std::string FormatMonth() const;
    AtomicWriter& Writer() const;
    ErrorReporter& Reporter() const { return m_reporter; }
    THeldMonths& HeldMonths() { return m_heldMonths; }
    const THeldMonths& HeldMonths() const { return m_heldMonths; }
    // At a change of month: the records of a month whose last save failed
    // are held, to be written at the next saves, instead of going with it.
    void HoldIfUnsaved();
    // The records shown are no longer owed to the file: a copy of a month
    // that another list holds unsaved and saves.
    void DropSaveDuty() { m_lastSaveFailed = false; }

private:
    struct LoadState; // what a load knows besides the list (monthload.cpp)
    std::string ParseRecordLine(const std::vector<std::string_view>& items, LoadState& state);
    // repeated: the record was there already, from an earlier line.
    TWorkInfo* LoadedRecord(LoadState& state, const TWorkInfo& key, bool& repeated);
    static bool IsKnownRest(LoadState& state, const TWorkInfo* login, const TWorkData& rest);
    void ReadMonthText(std::string& contents, std::string& cause);
    void SettleLoginRecords();
    bool SaveHeldMonths();
    bool WriteMonthText(const std::string& path, const std::string& text);
    bool KeepBrokenOriginal(const std::string& file, std::string& copyPath);

    ErrorReporter& m_reporter;
    AtomicWriter* m_writer = nullptr;
    std::string m_monthFile;
    std::string m_dataDir;
    std::string m_brokenCopyPath;
    bool m_lastSaveFailed = false;
    THeldMonths m_heldMonths;
};

} // namespace zanpel
