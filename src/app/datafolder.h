// Where the settings, definition and month files live.
#pragma once

#include "records/ownfiles.h" // the names of the files in the folder

#include <functional>
#include <string>

namespace zanpel {

struct DataFolderInputs {
    std::string DataDirVariable; // $ZANPEL_DATA_DIR
    std::string ProgramFolder;   // folder of the program file
    std::string XdgDataHome;     // $XDG_DATA_HOME
    std::string Home;            // $HOME
};

// $ZANPEL_DATA_DIR when set; else the program's folder when it is a portable
// installation (writable and holding zanpel.ini or zanpel.wk2); else
// $XDG_DATA_HOME/zanpel, by default ~/.local/share/zanpel.
std::string ResolveDataFolder(const DataFolderInputs& in,
                              const std::function<bool(const std::string&)>& isPortable);

// The folder of what the program keeps for itself beside the data (the
// switch log, the windows' last views): $XDG_STATE_HOME/zanpel when that is
// an absolute path, else ~/.local/state/zanpel; empty without either.
std::string ResolveStateFolder(const std::string& xdgStateHome, const std::string& home);
// The same for this process, from its environment.
std::string StateFolderOfProgram();

// The folder of this process's program file (/proc/self/exe).
std::string ProgramFolder();
// The folder for this process, from its environment and /proc/self/exe.
std::string DataFolderOfProgram();
// True when folder is writable and holds the settings or definition file.
bool IsPortableFolder(const std::string& folder);
// Creates folder and its parents; false with the cause in error on failure.
bool MakeFolders(const std::string& folder, std::string& error);

} // namespace zanpel
