#include "records/foldernames.h"

#include <dirent.h>

#include <cerrno>
#include <cstring>

namespace zanpel {

bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::string& error) {
    names.clear();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        error = folder + ": " + std::strerror(errno);
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..")
            names.emplace_back(name);
    }
    ::closedir(dir);
    return true;
}

std::string ComparedFileName(std::string_view name) {
    return std::string(name);
}

} // namespace zanpel
