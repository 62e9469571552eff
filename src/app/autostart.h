// Starting the bar with the desktop session: the user's XDG autostart entry.
// The entry is the whole state; the settings file keeps nothing about it.
#pragma once

#include <string>

namespace zanpel {

struct AutostartPaths {
    std::string Folder;  // the autostart folder, $XDG_CONFIG_HOME/autostart
    std::string Program; // the bar that the entry starts, an absolute path

    std::string EntryPath() const;
};

// $XDG_CONFIG_HOME/autostart (when that is an absolute path, else
// home/.config/autostart) and the zanpel in programFolder.
AutostartPaths ResolveAutostartPaths(const std::string& xdgConfigHome, const std::string& home,
                                     const std::string& programFolder);
// The paths for this process: from its environment, and the zanpel beside
// the running program file (the installed one when this one is installed).
AutostartPaths AutostartPathsOfProgram();

// True when the entry exists and is not switched off inside (Hidden=true, or
// the desktop's own X-GNOME-Autostart-enabled=false).
bool IsAutostartOn(const AutostartPaths& paths);
// Writes (replacing whatever is there) or removes the entry, making the
// folder when needed; the cause of a failure, empty on success.
std::string SetAutostart(bool on, const AutostartPaths& paths);

// The text of the entry (UTF-8, LF line ends).
std::string AutostartEntry(const AutostartPaths& paths);
// path as one argument of an Exec key, quoted and escaped where it has to be.
std::string ExecArgument(const std::string& path);

} // namespace zanpel
