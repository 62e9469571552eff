#include "app/datafolder.h"

#include "records/atomicfile.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
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

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether file is, under any name, one of the own files in folder.
bool IsOneOfOwnFiles(const struct stat& file, const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(dir)) {
        struct stat st {};
        if (IsOwnFileName(entry->d_name) &&
            ::stat((folder + "/" + entry->d_name).c_str(), &st) == 0 && SameFile(st, file)) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace

bool IsOwnFileName(std::string_view name) {
    if (name == SettingsFileName || name == DefinitionFileName)
        return true;
    return name.size() == 10 && name.substr(6) == ".dat" &&
           std::all_of(name.begin(), name.begin() + 6,
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::string OwnFileRefusal(const std::string& path, const std::string& folder) {
    struct stat target {};
    struct stat home {};
    if (::stat(folder.c_str(), &home) != 0)
        return {};
    bool own = false;
    if (::stat(path.c_str(), &target) == 0) {
        own = IsOneOfOwnFiles(target, folder);
    } else {
        // A file still to be made: where the name leads, links followed.
        const std::string made = ResolveLinks(path).Path;
        const size_t slash = made.rfind('/');
        struct stat parent {};
        own = slash != std::string::npos &&
              ::stat(slash == 0 ? "/" : made.substr(0, slash).c_str(), &parent) == 0 &&
              SameFile(parent, home) && IsOwnFileName(std::string_view(made).substr(slash + 1));
    }
    return own ? path + ": zanpel のデータフォルダのファイル (月の記録、作業定義、設定) "
                        "には書込みません"
               : std::string();
}

std::string ProgramFolder() {
    char path[4096];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, static_cast<size_t>(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

std::string ResolveDataFolder(const DataFolderInputs& in,
                              const std::function<bool(const std::string&)>& isPortable) {
    if (!in.DataDirVariable.empty())
        return in.DataDirVariable;
    if (!in.ProgramFolder.empty() && isPortable(in.ProgramFolder))
        return in.ProgramFolder;
    if (!in.XdgDataHome.empty())
        return in.XdgDataHome + "/zanpel";
    return in.Home + "/.local/share/zanpel";
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
