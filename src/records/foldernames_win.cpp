// Folders on Windows: listed through the system's UTF-16 calls, which take
// any path the rest of the program opens (the C runtime's opendir takes
// MAX_PATH bytes of the code page, fewer than 90 Japanese characters in
// UTF-8); names compared as NTFS compares them.
#include "records/foldernames.h"
#include "records/widetext.h"

#include <windows.h>

#include <algorithm>

namespace zanpel {

bool ListFolder(const std::string& folder, std::vector<std::string>& names, std::string& error) {
    names.clear();
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileExW(WideText(folder + "\\*").c_str(), FindExInfoBasic,
                                           &entry, FindExSearchNameMatch, nullptr, 0);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        if (code == ERROR_FILE_NOT_FOUND) // a drive's root without files
            return true;
        error = folder + ": " + SystemErrorText(code);
        return false;
    }
    do {
        const std::wstring_view name = entry.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(Utf8Text(name));
    } while (::FindNextFileW(find, &entry));
    const DWORD code = ::GetLastError();
    ::FindClose(find);
    if (code != ERROR_NO_MORE_FILES) {
        error = folder + ": " + SystemErrorText(code);
        return false;
    }
    return true;
}

std::string ComparedFileName(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.remove_suffix(1);
    std::string compared(name);
    std::transform(compared.begin(), compared.end(), compared.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return compared;
}

} // namespace zanpel
