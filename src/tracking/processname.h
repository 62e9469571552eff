// Naming the program behind a process id, the way the foreground source
// reports it, from the /proc file system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zanpel {

// The exe name (ExeNameOfPath) of process pid: the program file that
// <procRoot>/<pid>/exe links to, or the process's command name when the link
// cannot be read (another user's process). Empty for pid 0, for ownPid (the
// program's own windows are never reported), and when neither can be read.
std::string ExeNameOfProcess(uint32_t pid, uint32_t ownPid, const std::string& procRoot = "/proc");

// Whether a window's machine name (WM_CLIENT_MACHINE) names this machine, so
// that the process id the window gives means a process here. An empty name
// tells nothing and is taken as this machine; "host" and "host.example.org"
// are the same machine.
bool SameMachine(std::string_view windowMachine, std::string_view hostName);

} // namespace zanpel
