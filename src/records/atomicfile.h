// Replacing a file so that it is either the old one or the new one, never a
// mix: the data goes to a temporary file in the same folder, is flushed and
// synced, and is renamed over the old file.
#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>

namespace zanpel {

class AtomicWriter {
public:
    virtual ~AtomicWriter() = default;
    // Returns an empty text on success, else the cause (path and system error);
    // on failure the file at path is as it was and no temporary file is left.
    std::string Replace(const std::string& path, std::string_view data);

    // The temporary file used for path.
    static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }

protected:
    // One write() call; tests override it to fail part-way.
    virtual ssize_t WriteSome(int fd, const char* data, size_t size);
};

// Reads a whole file; returns false with the cause in error when it cannot.
bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error);
bool FileExists(const std::string& path);

} // namespace zanpel
