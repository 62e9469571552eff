#include "tracking/processname.h"

#include "tracking/foregroundsource.h"

#include <unistd.h>

#include <fstream>

namespace zanpel {
namespace {

// The target of a symbolic link, or empty.
std::string ReadLink(const std::string& path) {
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n <= 0 || static_cast<size_t>(n) >= target.size())
        return {};
    target.resize(static_cast<size_t>(n));
    // A program file replaced while the process runs (an update) still names
    // the program.
    constexpr std::string_view deleted = " (deleted)";
    if (target.size() > deleted.size() && target.ends_with(deleted))
        target.resize(target.size() - deleted.size());
    return target;
}

// The first line of a small file, or empty.
std::string ReadFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

bool SameHost(std::string_view longer, std::string_view shorter) {
    return longer.size() > shorter.size() && longer.starts_with(shorter) &&
           longer[shorter.size()] == '.';
}

} // namespace

std::string ExeNameOfProcess(uint32_t pid, uint32_t ownPid, const std::string& procRoot) {
    if (pid == 0 || pid == ownPid)
        return {};
    const std::string folder = procRoot + "/" + std::to_string(pid);
    std::string path = ReadLink(folder + "/exe");
    if (path.empty())
        path = ReadFirstLine(folder + "/comm");
    return ExeNameOfPath(path);
}

bool SameMachine(std::string_view windowMachine, std::string_view hostName) {
    return windowMachine.empty() || windowMachine == hostName ||
           SameHost(windowMachine, hostName) || SameHost(hostName, windowMachine);
}

} // namespace zanpel
