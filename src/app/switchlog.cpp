#include "app/switchlog.h"

#include "app/switchlogfile.h"
#include "app/switchlogline.h"

namespace zanpel {

TSwitchLog::TSwitchLog(std::string folder) : m_folder(std::move(folder)) {}

std::string TSwitchLog::FilePath() const {
    return m_folder.empty() ? std::string() : m_folder + "/" + SwitchLogFileName;
}

void TSwitchLog::Load() {
    if (m_folder.empty())
        return;
    std::string error;
    const std::vector<TSwitchEntry> read = ReadSwitchLog(m_folder, Capacity, error);
    m_entries.assign(read.begin(), read.end());
    if (!error.empty())
        NoteProblem("切換え履歴を読込めません: " + error);
}

void TSwitchLog::Add(const TSwitchEntry& entry) {
    m_entries.push_back(entry);
    const bool dropped = m_entries.size() > Capacity;
    if (dropped)
        m_entries.pop_front();
    // Without a folder the history stays in memory, as the owner asked.
    const std::string error =
        m_folder.empty() ? std::string() : AppendSwitchLine(m_folder, FormatSwitchLine(entry));
    if (!error.empty())
        NoteProblem("切換え履歴を書込めません: " + error);
    if (OnAdded)
        OnAdded(dropped);
}

void TSwitchLog::NoteProblem(const std::string& problem) {
    if (!m_problem.empty())
        return;
    m_problem = problem;
    if (OnProblem)
        OnProblem(problem);
}

} // namespace zanpel
