#include "app/switchlogfile.h"

#include "app/datafolder.h"
#include "app/switchlogline.h"
#include "records/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// The entries of one file's text from its end, before those of entries,
// until entries holds count.
void TakeFromEnd(std::string_view text, size_t count, std::vector<TSwitchEntry>& newestFirst) {
    size_t end = text.size();
    while (end > 0 && newestFirst.size() < count) {
        const size_t lineEnd = text[end - 1] == '\n' ? end - 1 : end;
        const size_t start = text.rfind('\n', lineEnd == 0 ? 0 : lineEnd - 1);
        const size_t lineStart = start == std::string_view::npos || lineEnd == 0 ? 0 : start + 1;
        if (std::optional<TSwitchEntry> entry =
                ParseSwitchLine(text.substr(lineStart, lineEnd - lineStart)))
            newestFirst.push_back(std::move(*entry));
        end = lineStart;
    }
}

// One file of the log as read: its text and which file it was.
struct TLogFile {
    std::string Text;
    FileIdentity Id;
    bool Found = false;
};

// A missing file is no error; one that exists but cannot be read is told in error.
TLogFile ReadLogFile(const std::string& path, std::string& error) {
    TLogFile file;
    std::string problem;
    if (!FileExists(path))
        return file;
    if (ReadWholeFile(path, file.Text, problem, &file.Id))
        file.Found = true;
    else
        error = problem;
    return file;
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

std::vector<TSwitchEntry> ReadSwitchLog(const std::string& folder, size_t count,
                                        std::string& error) {
    const std::string path = folder + "/" + SwitchLogFileName;
    TLogFile current = ReadLogFile(path, error);
    std::vector<TSwitchEntry> newestFirst;
    TakeFromEnd(current.Text, count, newestFirst);
    if (newestFirst.size() < count) {
        const TLogFile previous = ReadLogFile(folder + "/" + PreviousSwitchLogFileName, error);
        if (current.Found && previous.Found && current.Id == previous.Id) {
            // The log was moved aside between the two reads: what was read
            // first is the file before, and the log is the one begun after.
            newestFirst.clear();
            current = ReadLogFile(path, error);
            if (current.Found && !(current.Id == previous.Id))
                TakeFromEnd(current.Text, count, newestFirst);
        }
        TakeFromEnd(previous.Text, count, newestFirst);
    }
    std::reverse(newestFirst.begin(), newestFirst.end());
    return newestFirst;
}

} // namespace zanpel
