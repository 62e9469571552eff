// The bar's side of the switch log: appending a line, and moving a full log
// aside (Linux; there is no bar on Windows).
#include "app/datafolder.h"
#include "app/switchlogfile.h"

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

// Whether the open file has bytes and its last one is no line end.
bool EndsInsideALine(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0)
        return false;
    char last = '\n';
    return ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n';
}

int WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n < 0 ? errno : EIO;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

// Moves the log over the file before it when the line would take it past
// the limit.
std::string RotateIfFull(const std::string& folder, size_t adding) {
    const std::string path = folder + "/" + SwitchLogFileName;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0 ||
        st.st_size + static_cast<int64_t>(adding) <= SwitchLogRotateBytes)
        return {};
    const std::string previous = folder + "/" + PreviousSwitchLogFileName;
    return ::rename(path.c_str(), previous.c_str()) == 0 ? std::string() : Cause(path, errno);
}

} // namespace

std::string AppendSwitchLine(const std::string& folder, std::string_view line) {
    std::string error;
    if (!MakeFolders(folder, error))
        return error;
    std::string data(line);
    data += '\n';
    if (error = RotateIfFull(folder, data.size()); !error.empty())
        return error;
    const std::string path = folder + "/" + SwitchLogFileName;
    // Only the user reads what windows were in front.
    const int fd = ::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (fd < 0)
        return Cause(path, errno);
    if (EndsInsideALine(fd))
        data.insert(data.begin(), '\n');
    int failure = WriteAll(fd, data);
    if (::close(fd) != 0 && failure == 0)
        failure = errno;
    return failure == 0 ? std::string() : Cause(path, failure);
}

} // namespace zanpel
