// Replacing a file so that it is either the old one or the new one, never a
// mix: the data goes to a new temporary file of its own name in the same
// folder, is flushed and synced, and is renamed over the old file. What the
// user set on the file is kept: a symbolic link stays a link and its target
// is replaced (in the target's folder), and the new file gets the old one's
// mode and, where the process may set it, its owner. A new file follows the
// umask. What the user may not write is refused as the shell's ">" refuses
// it, and links are followed only where the kernel's protection of shared
// folders would follow them.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

class AtomicWriter {
public:
    virtual ~AtomicWriter() = default;
    // Replaces the regular file at path, or makes it. Returns an empty text
    // on success, else the cause (path and system error); on failure the file
    // at path is as it was and no temporary file is left. Refused: a file the
    // user could not open for writing, a target that is no regular file, and
    // a link that another user left in a sticky folder that everyone may
    // write. newFileMode: the mode of the file when it does not exist yet (a
    // kept copy takes its original's); none follows the umask.
    std::string Replace(const std::string& path, std::string_view data,
                        std::optional<mode_t> newFileMode = std::nullopt);

    // A file the user names for output (a report): a character device, a
    // FIFO, or the file of the standard output or error (/dev/stdout) is
    // written in place, as it is; a regular file, or a new one, is replaced.
    std::string WriteOutput(const std::string& path, std::string_view data);

    // The temporary files of Replace are named "<target><TemporaryMark>" and
    // six random characters.
    static constexpr std::string_view TemporaryMark = ".tmp-";

protected:
    // One write() call; tests override it to fail part-way.
    virtual ssize_t WriteSome(int fd, const char* data, size_t size);

private:
    // Writes all of data to fd: 0, or the error.
    int WriteAll(int fd, std::string_view data);
    std::string WriteInPlace(const std::string& path, std::string_view data, bool regular);
};

// The file that a write to path reaches, with every symbolic link on the way
// followed (the file need not exist yet). Error: EACCES for a link that the
// kernel's fs.protected_symlinks would not follow, ELOOP for too many links.
// A link of the proc file system (/dev/stdout, /proc/self/fd/1) names no
// path: the resolution stops there, with ThroughProc set.
struct LinkTarget {
    std::string Path;
    int Error = 0;
    bool ThroughProc = false;
};
LinkTarget ResolveLinks(const std::string& path);

// Which file was read: its device and inode (on Windows its volume and file
// index), so that a reader can tell one file seen under two names (a file
// renamed while it read them).
struct FileIdentity {
    uint64_t Device = 0;
    uint64_t Inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// Reads a whole regular file; returns false with the cause in error when it
// cannot. A folder, a FIFO or a device is refused without waiting on it.
// identity, when given, tells which file it was.
bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error,
                   FileIdentity* identity = nullptr);
// Which file or folder is at path, links followed; none when nothing is.
std::optional<FileIdentity> IdentityOf(const std::string& path);
bool FileExists(const std::string& path);
// Whether something other than a regular file (a folder, a FIFO, a device)
// is at path, links followed: nothing that could be kept as a copy.
bool IsOtherThanRegularFile(const std::string& path);

} // namespace zanpel
