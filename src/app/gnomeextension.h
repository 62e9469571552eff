// Our GNOME Shell extension as zanpelctl installs it for a bar built from
// source: the files this build ships, where GNOME looks for extensions, and
// whether the shell's settings enable it. The Debian package installs the
// same files under /usr/share/gnome-shell/extensions itself.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zanpel {

struct TExtensionFile {
    std::string_view Name; // metadata.json, extension.js
    std::string_view Text;
};

// The extension's files, taken into the build from data/gnome-shell/.
const std::vector<TExtensionFile>& GnomeExtensionFiles();

struct GnomeExtensionPaths {
    std::string User;                // <data home>/gnome-shell/extensions/<uuid>; empty: unknown
    std::vector<std::string> System; // the same under each of the data folders
};

// From XDG_DATA_HOME (when absolute, else home/.local/share; no user's
// folder when home is not absolute either: the shell would not look where a
// relative path leads from here) and the colon-separated XDG_DATA_DIRS (when
// empty: /usr/local/share and /usr/share).
GnomeExtensionPaths ResolveGnomeExtensionPaths(const std::string& xdgDataHome,
                                               const std::string& home,
                                               const std::string& xdgDataDirs);
GnomeExtensionPaths GnomeExtensionPathsOfProcess();

// The folder the shell takes the extension from (the user's wins), or empty
// when it is installed nowhere.
std::string InstalledGnomeExtension(const GnomeExtensionPaths& paths);

// Writes the files into the user's folder, each replaced atomically; the
// cause of a failure, empty on success.
std::string InstallGnomeExtension(const GnomeExtensionPaths& paths);

// Whether GNOME Shell's settings enable our extension, read as the shell
// reads them: the enabled list names it, the disabled list (which wins) does
// not, and user extensions are not all switched off (disable-user-extensions,
// the main switch of GNOME's Extensions app). Unknown when there is no
// gsettings or no GNOME schema to ask.
enum class TGnomeExtensionState { Unknown, Enabled, NotEnabled, AllExtensionsOff };
TGnomeExtensionState GnomeExtensionState();

} // namespace zanpel
