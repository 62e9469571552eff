// The data folder on Linux: the XDG folders, the program file from /proc.
#include "app/datafolder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zanpel {
namespace {

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool Exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

std::string ProgramFolder() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

bool IsPortableFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK) == 0 &&
           (Exists(folder + "/" + SettingsFileName) || Exists(folder + "/" + DefinitionFileName));
}

std::string DataFolderOfProgram() {
    DataFolderInputs in;
    in.DataDirVariable = Variable("ZANPEL_DATA_DIR");
    in.ProgramFolder = ProgramFolder();
    in.XdgDataHome = Variable("XDG_DATA_HOME");
    in.Home = Variable("HOME");
    return ResolveDataFolder(in, IsPortableFolder);
}

std::string StateFolderOfProgram() {
    return ResolveStateFolder(Variable("XDG_STATE_HOME"), Variable("HOME"));
}

bool MakeFolders(const std::string& folder, std::string& error) {
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/')
            continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
    }
    return true;
}

} // namespace zanpel
