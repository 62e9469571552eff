// The bar's history of its own switches: the last 200 in memory, each also
// appended to the switch log in the program's state folder (switchlogfile.h),
// which the bar reads back at its start. The file is the history's copy, not
// its keeper: a log that cannot be written leaves the bar and its list as
// they are, and the first problem is told once.
#pragma once

#include "app/switchentry.h"

#include <deque>
#include <functional>
#include <string>

namespace zanpel {

class TSwitchLog {
public:
    static constexpr size_t Capacity = 200;

    // folder: the state folder, made at the first write; empty: the history
    // stays in memory (no problem is told of that).
    explicit TSwitchLog(std::string folder);

    // The last entries of the files, before any added.
    void Load();
    // Keeps the entry (the oldest goes beyond Capacity) and appends its line.
    void Add(const TSwitchEntry& entry);

    // Oldest first.
    const std::deque<TSwitchEntry>& Entries() const { return m_entries; }
    // The log's file; empty when the history stays in memory.
    std::string FilePath() const;
    // Why the log could not be read or written (UTF-8): the first problem.
    const std::string& Problem() const { return m_problem; }

    // Called once, with the first problem.
    std::function<void(const std::string& problem)> OnProblem;
    // Called after every Add; droppedOldest: the oldest entry went.
    std::function<void(bool droppedOldest)> OnAdded;

private:
    void NoteProblem(const std::string& problem);

    std::string m_folder;
    std::deque<TSwitchEntry> m_entries;
    std::string m_problem;
};

} // namespace zanpel
