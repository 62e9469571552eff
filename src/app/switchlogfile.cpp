#include "app/switchlogfile.h"

#include "app/switchlogline.h"
#include "records/atomicfile.h"

#include <algorithm>

namespace zanpel {
namespace {

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
