// Months the work list holds besides the one it is on: those it left behind
// at a change of month while their save failed, each as the text that was to
// be written, kept until a save of it succeeds.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zanpel {

class THeldMonths {
public:
    struct Month {
        std::string Path;
        std::string Contents;
        // Where the original file is to be kept before the text replaces it.
        std::string BrokenCopyPath;
    };

    bool Empty() const { return m_months.empty(); }
    std::vector<std::string> Paths() const;
    // The month held for the file path; none when it is not held.
    const Month* Find(const std::string& path) const;
    // The text held for path becomes contents; false when path is not held.
    bool SetContents(const std::string& path, std::string contents);
    // Holds month, in place of one held for the same file.
    void Hold(Month month);
    // The month held for path, no longer held.
    std::optional<Month> Take(const std::string& path);
    // Saves each month with save; those saved are held no longer. True when
    // every month was saved.
    bool SaveEach(const std::function<bool(Month&)>& save);

private:
    std::vector<Month> m_months;
};

} // namespace zanpel
