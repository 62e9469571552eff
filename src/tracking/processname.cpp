#include "tracking/processname.h"

#include "tracking/foregroundsource.h"

#include <filesystem>
#include <fstream>

namespace zanpel {
namespace {

// The target of a symbolic link, or empty.
std::string ReadLink(const std::string& path) {
    std::error_code error;
    std::string target = std::filesystem::read_symlink(path, error).string();
    if (error)
        return {};
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
