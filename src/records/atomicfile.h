// Replacing a file so that it is either the old one or the new one, never a
// mix: the data goes to a temporary file in the same folder, is flushed and
// synced, and is renamed over the old file. What the user set on the file is
// kept: a symbolic link stays a link and its target is replaced (in the
// target's folder), and the new file gets the old one's mode and, where the
// process may set it, its owner. A new file follows the umask.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

class AtomicWriter {
public:
    virtual ~AtomicWriter() = default;
    // Returns an empty text on success, else the cause (path and system error);
    // on failure the file at path is as it was and no temporary file is left.
    // newFileMode: the mode of the file when it does not exist yet (a kept
    // copy takes its original's); none follows the umask.
    std::string Replace(const std::string& path, std::string_view data,
                        std::optional<mode_t> newFileMode = std::nullopt);

    // The temporary file used for path.
    static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }

protected:
    // One write() call; tests override it to fail part-way.
    virtual ssize_t WriteSome(int fd, const char* data, size_t size);
};

// The file that a write to path reaches: path itself, or the end of the chain
// of symbolic links that starts at path (the target need not exist yet).
std::string ResolveLinks(const std::string& path);

// Reads a whole file; returns false with the cause in error when it cannot.
bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error);
bool FileExists(const std::string& path);

} // namespace zanpel
