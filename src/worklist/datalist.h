// The work list: every work record of one calendar month, the running record,
// the timing rules (merge of short gaps, drop of too-short periods, the daily
// computer-on record) and the month file it is read from and saved to.
//
// It is built in layers, each a class of its own file: the storage of the
// records (TWorkRecords), the running state (TRunningWork), the month file
// (TMonthFile); the list itself adds the change of day and month, the months
// it holds unsaved as others see them, and the definition file.
#pragma once

#include "worklist/monthfile.h"

#include <string>

namespace zanpel {

class TDataList : public TMonthFile {
public:
    TDataList(const Clock& clock, ErrorReporter& reporter);
    ~TDataList();
    TDataList(const TDataList&) = delete;
    TDataList& operator=(const TDataList&) = delete;

    // --- change of day and month
    // Moves the list to day: the running item stops and the list is saved;
    // a new month is read from its file, and the month left, when its save
    // failed, is held to be saved later.
    void ChangeDate(DayNumber day);
    // A month left behind unsaved, as this list holds it:
    // whether day's month is one; into shows it (without the duty to save
    // it); and its records replaced by those of from, which shows it.
    bool HoldsUnsavedMonth(DayNumber day) const;
    bool CopyUnsavedMonthInto(DayNumber day, TDataList& into) const;
    bool ReplaceUnsavedMonth(const TDataList& from);

    // --- editing
    // The records and the day of other, with their totals counted anew.
    void Assign(const TDataList& other);
    // Every item of the current day without a definition gets an empty one.
    void RegisterWorkNames();
    std::string GetCategories(const std::string& name) const;
    void SetCategories(const std::string& name, const std::string& text);
    void DeleteDefinition(const std::string& name) { AppSwitch().DeleteByName(name); }

    // --- the definition file (definitions.cpp): read at start, before the
    // first month; written at the end, before the month is saved. A file that
    // could not be read is kept as a copy before it is saved over.
    bool LoadDefinitions(const std::string& path);
    bool SaveDefinitions();

private:
    std::string m_definitionFile;
    std::string m_brokenDefinitionCopy;
};

} // namespace zanpel
