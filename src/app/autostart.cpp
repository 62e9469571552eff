#include "app/autostart.h"

#include "app/datafolder.h"
#include "app/version.h"
#include "records/atomicfile.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace zanpel {
namespace {

bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; });
}

// A value of the desktop entry's string type: the backslash is its escape.
std::string StringValue(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

} // namespace

std::string AutostartPaths::EntryPath() const {
    return Folder + "/" + DesktopId + ".desktop";
}

AutostartPaths ResolveAutostartPaths(const std::string& xdgConfigHome, const std::string& home,
                                     const std::string& programFolder) {
    // A relative XDG_CONFIG_HOME is to be ignored, as the base directory rules say.
    const std::string config =
        !xdgConfigHome.empty() && xdgConfigHome[0] == '/' ? xdgConfigHome : home + "/.config";
    return {config + "/autostart", programFolder + "/zanpel"};
}

AutostartPaths AutostartPathsOfProgram() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return ResolveAutostartPaths(config ? config : "", home ? home : "", ProgramFolder());
}

std::string ExecArgument(const std::string& path) {
    // Field codes start with %; a literal one is doubled, quoted or not.
    std::string argument;
    bool reserved = false;
    for (char c : path) {
        if (c == '%') {
            argument += "%%";
            continue;
        }
        if (std::strchr(" \t\"'\\><~|&;$*?#()`", c) != nullptr)
            reserved = true;
        if (std::strchr("\"`$\\", c) != nullptr)
            argument += '\\';
        argument += c;
    }
    // The escapes inside quotes are themselves escaped as a string value.
    return reserved ? StringValue("\"" + argument + "\"") : argument;
}

std::string AutostartEntry(const AutostartPaths& paths) {
    std::ostringstream entry;
    entry << "[Desktop Entry]\n"
          << "Type=Application\n"
          << "Name=Zanpel\n"
          << "Comment=Time each work item from a bar at the edge of the screen\n"
          << "Comment[ja]=画面の端のバーで作業項目ごとの時間を記録します\n"
          << "Icon=" << DesktopId << "\n"
          << "Exec=" << ExecArgument(paths.Program)
          << "\n"
          // Skipped at log-in once the program is gone.
          << "TryExec=" << StringValue(paths.Program) << "\n"
          << "Terminal=false\n"
          << "X-GNOME-Autostart-enabled=true\n";
    return entry.str();
}

bool IsAutostartOn(const AutostartPaths& paths) {
    std::string text;
    std::string error;
    if (!ReadWholeFile(paths.EntryPath(), text, error))
        return false;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false")
            return false;
    }
    return true;
}

std::string SetAutostart(bool on, const AutostartPaths& paths) {
    const std::string entry = paths.EntryPath();
    if (!on) {
        if (::unlink(entry.c_str()) != 0 && errno != ENOENT)
            return entry + ": " + std::strerror(errno);
        return {};
    }
    // A line break in the path would end the key and start another.
    if (paths.Program.empty() || paths.Program[0] != '/' || HasControlCharacter(paths.Program))
        return "起動するプログラムのパスが使えません: " + paths.Program;
    std::string error;
    if (!MakeFolders(paths.Folder, error))
        return error;
    return AtomicWriter().Replace(entry, AutostartEntry(paths));
}

} // namespace zanpel
