#include "records/atomicfile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <vector>

namespace zanpel {
namespace {

constexpr long ProcFsMagic = 0x9fa0;
constexpr int MaxLinks = 40;

std::string Cause(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
}

std::string NotRegular(const std::string& path) {
    return path + ": 通常のファイルではないため書込みません";
}

std::string NotRegularToRead(const std::string& path) {
    return path + ": 通常のファイルではないため読込みません";
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here does not undo the save.
void SyncFolder(const std::string& path) {
    const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A sticky folder that every user may write (/tmp): what another user left
// there is not to be trusted.
bool IsSharedFolder(const struct stat& folder) {
    return (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
}

// As the kernel's fs.protected_symlinks and fs.protected_fifos, whatever
// they are set to: in a shared folder, only what the user or the folder's
// owner made there is followed or opened.
bool MayUse(const std::string& folder, uid_t owner) {
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !IsSharedFolder(st))
        return true;
    return owner == ::geteuid() || owner == st.st_uid;
}

bool IsOnProcFs(const std::string& folder) {
    struct statfs fs {};
    return ::statfs(folder.c_str(), &fs) == 0 && fs.f_type == ProcFsMagic;
}

// The names of path, in order ("a/../b" gives "a", "..", "b").
std::vector<std::string> Components(std::string_view path) {
    std::vector<std::string> names;
    for (size_t start = 0; start <= path.size();) {
        const size_t slash = std::min(path.find('/', start), path.size());
        if (slash > start)
            names.emplace_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return names;
}

std::string CurrentFolder() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) != nullptr ? buffer : ".";
}

// What the replaced file must keep of the old one.
struct Inherited {
    mode_t Mode;
    bool HasOwner = false;
    uid_t Owner = 0;
    gid_t Group = 0;
};

// Gives the temporary file the mode and owner it must have; a new file
// without a given mode already has the umask's.
int Apply(int fd, const Inherited& inherited, bool modeGiven) {
    if (inherited.HasOwner && (inherited.Owner != ::geteuid() || inherited.Group != ::getegid())) {
        // Only root may give a file away; a group the user belongs to works too.
        if (::fchown(fd, inherited.Owner, inherited.Group) != 0 &&
            ::fchown(fd, static_cast<uid_t>(-1), inherited.Group) != 0) {
            // The file stays the user's own: better than no save at all.
        }
    }
    if ((inherited.HasOwner || modeGiven) && ::fchmod(fd, inherited.Mode) != 0)
        return errno;
    return 0;
}

// Six characters that make a temporary name nobody could have guessed.
std::string RandomSuffix() {
    static constexpr char letters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char bytes[6] = {};
    if (::getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        static unsigned counter = 0;
        const auto seed = static_cast<unsigned>(::getpid()) * 2654435761u + ++counter;
        for (size_t i = 0; i < sizeof bytes; ++i)
            bytes[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string suffix;
    for (unsigned char b : bytes)
        suffix += letters[b % (sizeof letters - 1)];
    return suffix;
}

// A new file beside target that did not exist before (never one that
// someone placed there, nor through a link); its path in temp.
int CreateTemporary(const std::string& target, mode_t mode, std::string& temp) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + std::string(AtomicWriter::TemporaryMark) + RandomSuffix();
        const int fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// 0 when the user may open the existing file for writing, as ">" would
// (root may, unless the file system is read-only or the file immutable).
int WritableError(const std::string& target) {
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

// The standard output or error when st is the file it writes to, else -1.
int StandardStreamOf(const struct stat& st) {
    for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && stream.st_dev == st.st_dev && stream.st_ino == st.st_ino)
            return fd;
    }
    return -1;
}

} // namespace

LinkTarget ResolveLinks(const std::string& path) {
    LinkTarget result;
    std::vector<std::string> pending = Components(path);
    std::string current = !path.empty() && path[0] == '/' ? "" : CurrentFolder();
    int links = 0;
    while (!pending.empty()) {
        const std::string name = std::move(pending.front());
        pending.erase(pending.begin());
        if (name == ".")
            continue;
        if (name == "..") {
            current = FolderOf(current.empty() ? "/" : current);
            if (current == "/")
                current.clear();
            continue;
        }
        const std::string next = current + "/" + name;
        struct stat st {};
        if (::lstat(next.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            current = next;
            continue;
        }
        const std::string folder = current.empty() ? "/" : current;
        if (IsOnProcFs(folder)) {
            result.Path = path;
            result.ThroughProc = true;
            return result;
        }
        if (!MayUse(folder, st.st_uid)) {
            result.Error = EACCES;
            return result;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(next.c_str(), target.data(), target.size());
        if (++links > MaxLinks || n <= 0 || static_cast<size_t>(n) >= target.size()) {
            result.Error = n <= 0 ? errno : ELOOP;
            return result;
        }
        target.resize(static_cast<size_t>(n));
        std::vector<std::string> names = Components(target);
        pending.insert(pending.begin(), names.begin(), names.end());
        if (target[0] == '/')
            current.clear();
    }
    result.Path = current.empty() ? "/" : current;
    return result;
}

ssize_t AtomicWriter::WriteSome(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}

std::string AtomicWriter::Replace(const std::string& path, std::string_view data,
                                  std::optional<mode_t> newFileMode) {
    const LinkTarget resolved = ResolveLinks(path);
    if (resolved.Error != 0)
        return Cause(path, resolved.Error);
    if (resolved.ThroughProc)
        return NotRegular(path);
    const std::string& target = resolved.Path;
    struct stat st {};
    const bool exists = ::stat(target.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return Cause(path, EISDIR);
    if (exists && !S_ISREG(st.st_mode))
        return NotRegular(path);
    if (const int error = exists ? WritableError(target) : 0; error != 0)
        return Cause(path, error);
    const Inherited inherited =
        exists ? Inherited{static_cast<mode_t>(st.st_mode & 07777), true, st.st_uid, st.st_gid}
               : Inherited{newFileMode.value_or(0)};

    // Private until it has its final mode; a new file without a given mode
    // takes the umask's at once.
    const bool modeGiven = newFileMode.has_value();
    std::string temp;
    const int fd = CreateTemporary(target, exists || modeGiven ? 0600 : 0666, temp);
    if (fd < 0)
        return Cause(path, errno);
    int error = Apply(fd, inherited, modeGiven);
    if (error == 0)
        error = WriteAll(fd, data);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Cause(path, error);
    }
    SyncFolder(target);
    return {};
}

std::string AtomicWriter::WriteOutput(const std::string& path, std::string_view data) {
    const LinkTarget resolved = ResolveLinks(path);
    if (resolved.Error != 0)
        return Cause(path, resolved.Error);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return Replace(path, data);
    // The standard output named by its path is written as the standard
    // output, where it stands (a pipe, a terminal, a file opened for adding).
    if (const int stream = StandardStreamOf(st); stream >= 0) {
        const int error = WriteAll(stream, data);
        return error == 0 ? std::string() : Cause(path, error);
    }
    if (S_ISREG(st.st_mode) && !resolved.ThroughProc)
        return Replace(path, data);
    if (S_ISDIR(st.st_mode))
        return Cause(path, EISDIR);
    if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode) && !S_ISFIFO(st.st_mode))
        return NotRegular(path);
    if (!resolved.ThroughProc && !MayUse(FolderOf(resolved.Path), st.st_uid))
        return Cause(path, EACCES);
    return WriteInPlace(path, data, S_ISREG(st.st_mode));
}

std::string AtomicWriter::WriteInPlace(const std::string& path, std::string_view data,
                                       bool regular) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC | (regular ? O_TRUNC : 0));
    if (fd < 0)
        return Cause(path, errno);
    int error = WriteAll(fd, data);
    if (::close(fd) != 0 && error == 0)
        error = errno;
    return error == 0 ? std::string() : Cause(path, error);
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error,
                   FileIdentity* identity) {
    contents.clear();
    // Without blocking: a FIFO would wait for a writer, and a device would
    // never end; neither is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = Cause(path, errno);
        return false;
    }
    struct stat st {};
    const bool known = ::fstat(fd, &st) == 0;
    if (!known || !S_ISREG(st.st_mode)) {
        error = known ? NotRegularToRead(path) : Cause(path, errno);
        ::close(fd);
        return false;
    }
    if (identity != nullptr)
        *identity = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    if (st.st_size > 0)
        contents.reserve(static_cast<size_t>(st.st_size));
    char buffer[32768];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            contents.append(buffer, static_cast<size_t>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            error = Cause(path, errno);
            ::close(fd);
            return false;
        }
    }
    ::close(fd);
    return true;
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

bool IsOtherThanRegularFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

} // namespace zanpel
