// The idle pass of the bar that follows the foreground application: it hands
// the application to the button bar's switching step and records it in the
// APP list, one line "exe/title" per program. Plain C++: the bar gives it the
// list box through TAppLines, tests a TAppLineList.
#pragma once

#include <string>
#include <vector>

namespace zanpel {

class ForegroundSource;
class TWorkButtons;

// The APP list as the detection sees it: CP932 lines, the current line and
// the selection.
class TAppLines {
public:
    virtual ~TAppLines() = default;
    virtual int Count() const = 0;
    virtual std::string Line(int i) const = 0;
    virtual void Append(const std::string& line) = 0;
    virtual void Replace(int i, const std::string& line) = 0;
    // The current line, or -1.
    virtual int ItemIndex() const = 0;
    // Makes line i the current line and the only selected one.
    virtual void SelectOnly(int i) = 0;
};

// The lines in memory.
class TAppLineList final : public TAppLines {
public:
    int Count() const override { return static_cast<int>(Lines.size()); }
    std::string Line(int i) const override { return Lines.at(static_cast<size_t>(i)); }
    void Append(const std::string& line) override { Lines.push_back(line); }
    void Replace(int i, const std::string& line) override {
        Lines.at(static_cast<size_t>(i)) = line;
    }
    int ItemIndex() const override { return Current; }
    void SelectOnly(int i) override {
        Current = i;
        Selected = {i};
    }

    std::vector<std::string> Lines;
    int Current = -1;
    std::vector<int> Selected;
};

// The line of a program: the first line that begins with exeName and the
// "/" after it, or -1.
int FindAppLine(const TAppLines& lines, const std::string& exeName);

// What one pass did to the APP list.
struct TDetectResult {
    int Line = -1;            // the program's line; -1 when nothing was seen
    bool LineChanged = false; // the line was added or its text replaced
};

// One idle pass. Nothing happens while no program is named (no window, an
// unknown process, or a window of this program). Unless the rest item's
// button is down, the button bar's SwitchByApplication gets the pair; then
// the program's line is added or brought up to date and becomes the only
// selected line.
TDetectResult DetectForeground(const ForegroundSource& source, TWorkButtons& buttons,
                               TAppLines& lines);

} // namespace zanpel
