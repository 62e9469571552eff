// Files on Windows: the temporary file is written in binary mode, flushed
// to the disk, and moved over the old one by the system in one step
// (MoveFileExW replaces; rename does not). Windows has no modes, owners or
// links of the kind the POSIX version keeps; a read-only file is refused
// as a file the user may not write.
#include "records/atomicfile.h"
#include "records/widetext.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <random>

namespace zanpel {
namespace {

std::string Cause(const std::string& path, const std::string& why) {
    return path + ": " + why;
}

std::string ErrnoCause(const std::string& path, int error) {
    return Cause(path, std::strerror(error));
}

std::string SystemCause(const std::string& path, DWORD error) {
    return Cause(path, SystemErrorText(error));
}

std::string NotRegularToRead(const std::string& path) {
    return path + ": 通常のファイルではないため読込みません";
}

// Another program (a virus scanner, an editor, a backup) may hold the
// file for a moment: the move is tried again for about a second.
bool MayPassSoon(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_LOCK_VIOLATION;
}

DWORD MoveOver(const std::wstring& from, const std::wstring& to) {
    constexpr int Attempts = 20;
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        error = ::GetLastError();
        if (!MayPassSoon(error))
            break;
        ::Sleep(50);
    }
    return error;
}

// Six characters that make a temporary name nobody could have guessed.
std::string RandomSuffix() {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 6; ++i)
        suffix += letters[random() % (sizeof letters - 1)];
    return suffix;
}

// A new file beside target that did not exist before, open for writing in
// binary mode; its path in temp.
int CreateTemporary(const std::string& target, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + std::string(AtomicWriter::TemporaryMark) + RandomSuffix();
        const int fd = ::_wopen(WideText(temp).c_str(),
                                _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                                _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// The open file at path for the access, shared with everyone, folders
// included; INVALID_HANDLE_VALUE with the error in GetLastError.
HANDLE OpenExisting(const std::string& path, DWORD access) {
    return ::CreateFileW(WideText(path).c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

DWORD AttributesOf(const std::string& path) {
    return ::GetFileAttributesW(WideText(path).c_str());
}

} // namespace

LinkTarget ResolveLinks(const std::string& path) {
    // The full path, with the separators the rest of the program splits at.
    const std::wstring wide = WideText(path);
    std::wstring full(MAX_PATH, L'\0');
    DWORD n =
        ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n);
        n = ::GetFullPathNameW(wide.c_str(), n, full.data(), nullptr);
    }
    LinkTarget result;
    result.Path = n == 0 ? path : Utf8Text(std::wstring_view(full.data(), n));
    std::replace(result.Path.begin(), result.Path.end(), '\\', '/');
    return result;
}

ssize_t AtomicWriter::WriteSome(int fd, const char* data, size_t size) {
    return ::_write(fd, data, static_cast<unsigned>(std::min<size_t>(size, INT_MAX)));
}

std::string AtomicWriter::Replace(const std::string& path, std::string_view data,
                                  std::optional<mode_t>) {
    const DWORD attributes = AttributesOf(path);
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return ErrnoCause(path, EISDIR);
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return SystemCause(path, ERROR_ACCESS_DENIED);

    std::string temp;
    const int fd = CreateTemporary(path, temp);
    if (fd < 0)
        return ErrnoCause(path, errno);
    std::string error;
    if (const int written = WriteAll(fd, data); written != 0)
        error = ErrnoCause(path, written);
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    if (error.empty() && !::FlushFileBuffers(handle))
        error = SystemCause(path, ::GetLastError());
    if (::_close(fd) != 0 && error.empty())
        error = ErrnoCause(path, errno);
    if (error.empty()) {
        if (const DWORD moved = MoveOver(WideText(temp), WideText(path)); moved != ERROR_SUCCESS)
            error = SystemCause(path, moved);
    }
    if (!error.empty())
        ::_wunlink(WideText(temp).c_str());
    return error;
}

std::string AtomicWriter::WriteOutput(const std::string& path, std::string_view data) {
    // A device or a pipe by its name (NUL, CON, \\.\pipe\...) is written as
    // it is; a file on a disk, or a new one, is replaced.
    const HANDLE handle = OpenExisting(path, GENERIC_WRITE);
    if (handle == INVALID_HANDLE_VALUE)
        return Replace(path, data);
    const DWORD type = ::GetFileType(handle);
    ::CloseHandle(handle);
    if (type == FILE_TYPE_DISK)
        return Replace(path, data);
    return WriteInPlace(path, data, false);
}

std::string AtomicWriter::WriteInPlace(const std::string& path, std::string_view data, bool) {
    const int fd = ::_wopen(WideText(path).c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0)
        return ErrnoCause(path, errno);
    int error = WriteAll(fd, data);
    if (::_close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? std::string() : ErrnoCause(path, error);
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error,
                   FileIdentity* identity) {
    contents.clear();
    const HANDLE file = OpenExisting(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE) {
        error = SystemCause(path, ::GetLastError());
        return false;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool regular = ::GetFileType(file) == FILE_TYPE_DISK &&
                         ::GetFileInformationByHandle(file, &info) &&
                         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (!regular) {
        error = NotRegularToRead(path);
        ::CloseHandle(file);
        return false;
    }
    if (identity != nullptr)
        *identity = {info.dwVolumeSerialNumber,
                     (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    char buffer[32768];
    for (;;) {
        DWORD n = 0;
        if (!::ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            error = SystemCause(path, ::GetLastError());
            ::CloseHandle(file);
            return false;
        }
        if (n == 0)
            break;
        contents.append(buffer, n);
    }
    ::CloseHandle(file);
    return true;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    const HANDLE file = OpenExisting(path, 0);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info);
    ::CloseHandle(file);
    if (!known)
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber,
                        (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
}

bool FileExists(const std::string& path) {
    return AttributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsOtherThanRegularFile(const std::string& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0;
}

} // namespace zanpel
