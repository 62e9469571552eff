// The switch log's files in the program's state folder: "switches.log", and
// "switches.log.1", the file before it. A line goes to the end of the log;
// a log that would pass 1 MB with it is moved over the file before first.
#pragma once

#include "app/switchentry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

inline constexpr const char* SwitchLogFileName = "switches.log";
inline constexpr const char* PreviousSwitchLogFileName = "switches.log.1";
inline constexpr int64_t SwitchLogRotateBytes = 1024 * 1024;

// Appends line (without its end) to the log in folder, making the folder
// when it is missing. A line that a crash left without its end is ended
// first, so that it cannot take the new one with it. An empty text, or the
// cause of the failure.
std::string AppendSwitchLine(const std::string& folder, std::string_view line);

// The last count entries of the log in folder and of the file before it,
// oldest first; broken lines are skipped. A missing file is no error; error
// names a file that exists but could not be read.
std::vector<TSwitchEntry> ReadSwitchLog(const std::string& folder, size_t count,
                                        std::string& error);

} // namespace zanpel
