// The data folder on Windows: %APPDATA%\zanpel, or the program's own folder
// when it is a portable installation; the program's state in
// %LOCALAPPDATA%\zanpel.
#include "app/datafolder.h"
#include "records/atomicfile.h"
#include "records/widetext.h"

#include <windows.h>

#include <cstdlib>

namespace zanpel {
namespace {

std::string Variable(const wchar_t* name) {
    const wchar_t* value = ::_wgetenv(name);
    return value != nullptr ? Utf8Text(value) : "";
}

// The folder of path, without its last separator.
std::string FolderPart(const std::string& path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

} // namespace

std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size())
            return FolderPart(Utf8Text(std::wstring_view(path.data(), n)));
        path.resize(path.size() * 2);
    }
}

// Windows' access checks ignore the folder's permissions (its access control
// lists decide), so the folder is writable when a file can be made in it.
bool IsPortableFolder(const std::string& folder) {
    if (!FileExists(folder + "/" + SettingsFileName) &&
        !FileExists(folder + "/" + DefinitionFileName))
        return false;
    const std::wstring probe = WideText(folder + "/zanpel-write-test.tmp");
    const HANDLE file =
        ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                      FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

std::string DataFolderOfProgram() {
    const std::string variable = Variable(L"ZANPEL_DATA_DIR");
    if (!variable.empty())
        return variable;
    const std::string program = ProgramFolder();
    if (!program.empty() && IsPortableFolder(program))
        return program;
    return Variable(L"APPDATA") + "\\zanpel";
}

std::string StateFolderOfProgram() {
    const std::string local = Variable(L"LOCALAPPDATA");
    return local.empty() ? std::string() : local + "\\zanpel";
}

bool MakeFolders(const std::string& folder, std::string& error) {
    for (size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/' && folder[pos] != '\\')
            continue;
        const std::string part = folder.substr(0, pos);
        if (part.back() == ':' || ::CreateDirectoryW(WideText(part).c_str(), nullptr))
            continue;
        const DWORD code = ::GetLastError();
        if (code != ERROR_ALREADY_EXISTS) {
            error = part + ": " + SystemErrorText(code);
            return false;
        }
    }
    return true;
}

} // namespace zanpel
