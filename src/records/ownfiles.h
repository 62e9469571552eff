// The files the program keeps in its data folder, and the refusal of output
// (a report) that would go over one of them.
#pragma once

#include <string>
#include <string_view>

namespace zanpel {

// Names of the settings file, the definition file and the lock that the
// running bar holds, in the data folder.
inline constexpr const char* SettingsFileName = "zanpel.ini";
inline constexpr const char* DefinitionFileName = "zanpel.wk2";
inline constexpr const char* DataFolderLockName = "zanpel.lock";

// Whether name is that of a file the program keeps in its data folder: the
// settings, the definitions, a month file "YYYYMM.dat", the lock, the copy
// kept of a settings, definition or month file that could not be read
// ("<name>.broken-..."), and a temporary file of a replacement
// ("<name>.tmp-" and six letters or digits).
bool IsOwnFileName(std::string_view name);

// Why output must not go to path: it is one of folder's own files, by
// whatever name or link, or would be made as one. Empty if it may.
std::string OwnFileRefusal(const std::string& path, const std::string& folder);

} // namespace zanpel
