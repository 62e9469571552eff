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

// gsettings' answer for key of org.gnome.shell; empty when there is no
// gsettings or no GNOME schema to ask.
std::string ShellSetting(const std::string& key) {
    const std::string command = "gsettings get org.gnome.shell " + key + " 2>/dev/null";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {};
    std::string answer;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        answer.append(buffer, n);
    return ::pclose(pipe) == 0 ? answer : std::string();
}

// Whether a list as gsettings prints it ("['a@b.org', 'zanpel@example.org']")
// names our extension.
bool Listed(std::string_view list) {
    const std::string quoted = std::string("'") + GnomeExtensionUuid + "'";
    return list.find(quoted) != std::string_view::npos;
}

} // namespace

GnomeExtensionPaths ResolveGnomeExtensionPaths(const std::string& xdgDataHome,
                                               const std::string& home,
                                               const std::string& xdgDataDirs) {
    GnomeExtensionPaths paths;
    if (Absolute(xdgDataHome))
        paths.User = ExtensionFolder(xdgDataHome);
    else if (Absolute(home))
        paths.User = ExtensionFolder(home + "/.local/share");
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
    if (!paths.User.empty() && FileExists(paths.User + "/metadata.json"))
        return paths.User;
    for (const std::string& folder : paths.System)
        if (FileExists(folder + "/metadata.json"))
            return folder;
    return {};
}

std::string InstallGnomeExtension(const GnomeExtensionPaths& paths) {
    if (paths.User.empty())
        return "HOME (または XDG_DATA_HOME) が / から始まるフォルダを指していないため、"
               "拡張機能を入れる場所が分かりません";
    std::string error;
    if (!MakeFolders(paths.User, error))
        return error;
    // metadata.json last: a folder without it is no extension to the shell.
    for (auto file = GnomeExtensionFiles().rbegin(); file != GnomeExtensionFiles().rend(); ++file)
        if (std::string failed =
                AtomicWriter().Replace(paths.User + "/" + std::string(file->Name), file->Text);
            !failed.empty())
            return failed;
    return {};
}

TGnomeExtensionState GnomeExtensionState() {
    const std::string enabled = ShellSetting("enabled-extensions");
    if (enabled.empty())
        return TGnomeExtensionState::Unknown;
    if (!Listed(enabled) || Listed(ShellSetting("disabled-extensions")))
        return TGnomeExtensionState::NotEnabled;
    if (ShellSetting("disable-user-extensions").starts_with("true"))
        return TGnomeExtensionState::AllExtensionsOff;
    return TGnomeExtensionState::Enabled;
}

} // namespace zanpel
