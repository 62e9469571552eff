#include "records/ownfiles.h"

#include "records/atomicfile.h"
#include "records/foldernames.h"

#include <algorithm>
#include <cctype>

namespace zanpel {
namespace {

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The settings, the definitions or a month file: what gets a kept copy.
bool IsRecordFileName(std::string_view name) {
    if (name == SettingsFileName || name == DefinitionFileName)
        return true;
    return name.size() == 10 && name.substr(6) == ".dat" && AllDigits(name.substr(0, 6));
}

bool IsKeptCopyName(std::string_view name) {
    const size_t mark = name.find(".broken-");
    return mark != std::string_view::npos && IsRecordFileName(name.substr(0, mark));
}

bool IsTemporaryName(std::string_view name) {
    constexpr size_t RandomLength = 6;
    const std::string_view mark = AtomicWriter::TemporaryMark;
    if (name.size() < mark.size() + RandomLength)
        return false;
    const std::string_view tail = name.substr(name.size() - mark.size() - RandomLength);
    return tail.substr(0, mark.size()) == mark &&
           std::all_of(tail.begin() + static_cast<std::ptrdiff_t>(mark.size()), tail.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Whether file is, under any name, one of the own files in folder.
bool IsOneOfOwnFiles(const FileIdentity& file, const std::string& folder) {
    std::vector<std::string> names;
    std::string error;
    if (!ListFolder(folder, names, error))
        return false;
    return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
        return IsOwnFileName(name) && IdentityOf(folder + "/" + name) == file;
    });
}

// Whether path, links followed, names one of the own files of the folder
// home (made or still to be made).
bool IsNamedAsOwnFile(const std::string& path, const FileIdentity& home) {
    const std::string made = ResolveLinks(path).Path;
    const size_t slash = made.rfind('/');
    return slash != std::string::npos &&
           IdentityOf(slash == 0 ? "/" : made.substr(0, slash)) == home &&
           IsOwnFileName(std::string_view(made).substr(slash + 1));
}

} // namespace

bool IsOwnFileName(std::string_view spelled) {
    const std::string name = ComparedFileName(spelled);
    return IsRecordFileName(name) || name == DataFolderLockName || IsKeptCopyName(name) ||
           IsTemporaryName(name);
}

std::string OwnFileRefusal(const std::string& path, const std::string& folder) {
    const std::optional<FileIdentity> home = IdentityOf(folder);
    if (!home)
        return {};
    // By the name a write would reach, and for a file that exists, by the
    // file under any of its names (another link, a short name).
    const std::optional<FileIdentity> target = IdentityOf(path);
    const bool own = IsNamedAsOwnFile(path, *home) || (target && IsOneOfOwnFiles(*target, folder));
    return own ? path + ": zanpel のデータフォルダのファイル (月の記録、作業定義、設定、"
                        "ロック、読めなかったファイルのコピー、一時ファイル) には書込みません"
               : std::string();
}

} // namespace zanpel
