#include "app/gnomeextension.h"

#include "app/datafolder.h"
#include "records/atomicfile.h"
#include "tracking/reportedforeground.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace zanpel {
namespace {

std::string ExtensionFolder(const std::string& dataFolder) {
    return dataFolder + "/gnome-shell/extensions/" + GnomeExtensionUuid;
}

bool Absolute(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

} // namespace

GnomeExtensionPaths ResolveGnomeExtensionPaths(const std::string& xdgDataHome,
                                               const std::string& home,
                                               const std::string& xdgDataDirs) {
    GnomeExtensionPaths paths;
    paths.User = ExtensionFolder(Absolute(xdgDataHome) ? xdgDataHome : home + "/.local/share");
    std::istringstream dirs(xdgDataDirs.empty() ? "/usr/local/share:/usr/share" : xdgDataDirs);
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (Absolute(dir))
            paths.System.push_back(ExtensionFolder(dir));
    return paths;
}

GnomeExtensionPaths GnomeExtensionPathsOfProcess() {
    const auto value = [](const char* name) {
        const char* text = std::getenv(name);
        return std::string(text ? text : "");
    };
    return ResolveGnomeExtensionPaths(value("XDG_DATA_HOME"), value("HOME"),
                                      value("XDG_DATA_DIRS"));
}

std::string InstalledGnomeExtension(const GnomeExtensionPaths& paths) {
    if (FileExists(paths.User + "/metadata.json"))
        return paths.User;
    for (const std::string& folder : paths.System)
        if (FileExists(folder + "/metadata.json"))
            return folder;
    return {};
}

std::string InstallGnomeExtension(const GnomeExtensionPaths& paths) {
    std::string error;
    if (!MakeFolders(paths.User, error))
        return error;
    // metadata.json last: a folder without it is no extension to the shell.
    for (auto file = GnomeExtensionFiles().rbegin(); file != GnomeExtensionFiles().rend(); ++file)
        if (std::string failed = AtomicWriter().Replace(paths.User + "/" + std::string(file->Name),
                                                        file->Text);
            !failed.empty())
            return failed;
    return {};
}

std::string GnomeEnabledExtensions() {
    FILE* pipe = ::popen("gsettings get org.gnome.shell enabled-extensions 2>/dev/null", "r");
    if (pipe == nullptr)
        return {};
    std::string answer;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        answer.append(buffer, n);
    return ::pclose(pipe) == 0 ? answer : std::string();
}

bool GnomeExtensionListed(std::string_view enabledExtensions) {
    const std::string quoted = std::string("'") + GnomeExtensionUuid + "'";
    return enabledExtensions.find(quoted) != std::string_view::npos;
}

} // namespace zanpel
