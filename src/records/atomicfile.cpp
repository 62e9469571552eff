#include "records/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace zanpel {
namespace {

std::string Cause(const std::string& path, int error) {
    return path + ": " + std::strerror(error);
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

// What the replaced file must keep of the old one.
struct Inherited {
    mode_t Mode;
    bool HasOwner = false;
    uid_t Owner = 0;
    gid_t Group = 0;
};

Inherited InheritedFrom(const std::string& target, std::optional<mode_t> newFileMode) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return {static_cast<mode_t>(st.st_mode & 07777), true, st.st_uid, st.st_gid};
    return {newFileMode.value_or(0), false};
}

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

} // namespace

std::string ResolveLinks(const std::string& path) {
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string target(4096, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) >= target.size())
            return current;
        target.resize(static_cast<size_t>(n));
        current = target[0] == '/' ? target : FolderOf(current) + "/" + target;
    }
    return current;
}

ssize_t AtomicWriter::WriteSome(int fd, const char* data, size_t size) {
    return ::write(fd, data, size);
}

std::string AtomicWriter::Replace(const std::string& path, std::string_view data,
                                  std::optional<mode_t> newFileMode) {
    const std::string target = ResolveLinks(path);
    const Inherited inherited = InheritedFrom(target, newFileMode);
    const std::string temp = TemporaryPath(target);
    // Private until it has its final mode; a new file without a given mode
    // takes the umask's at once.
    const bool modeGiven = newFileMode.has_value();
    const mode_t createMode = inherited.HasOwner || modeGiven ? 0600 : 0666;
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, createMode);
    if (fd < 0)
        return Cause(temp, errno);

    int error = Apply(fd, inherited, modeGiven);
    size_t done = 0;
    while (done < data.size() && error == 0) {
        const ssize_t n = WriteSome(fd, data.data() + done, data.size() - done);
        if (n > 0)
            done += static_cast<size_t>(n);
        else if (n < 0 && errno != EINTR)
            error = errno;
        else if (n == 0)
            error = EIO;
    }
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temp.c_str());
        return Cause(target, error);
    }
    SyncFolder(target);
    return {};
}

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error) {
    contents.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = Cause(path, errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
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

bool FileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace zanpel
