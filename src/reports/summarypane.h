// Which pane of the summary window was shown last, the tables or the chart:
// one word in a small file of the program's state folder, never in the
// settings or the month files.
#pragma once

#include <string>

namespace zanpel {

class AtomicWriter;

enum class TSummaryPane { Tables, Chart };

// The file's name in the state folder.
inline constexpr const char* SummaryPaneFile = "summary-pane";

// The pane remembered in folder; the tables when the folder is empty or
// holds nothing that reads as a pane.
TSummaryPane ReadSummaryPane(const std::string& folder);

// Remembers pane in folder, made when missing. Answers the cause of a
// failure, empty on success; nothing is written without a folder.
std::string WriteSummaryPane(const std::string& folder, TSummaryPane pane, AtomicWriter& writer);

} // namespace zanpel
