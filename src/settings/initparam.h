// Every user preference of the program, read from the settings file when the
// bar starts and written back by the shut-down code. Other parts of the
// program read and change the fields directly; texts are CP932 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zanpel {

class AtomicWriter;
class ErrorReporter;
class TInitFile;

// The fixed message texts (UTF-8) of a settings file that cannot be read or
// written; a report is the text, CR LF, and the cause.
inline constexpr const char* SettingsReadErrorText = "設定ファイルが読込めません!";
inline constexpr const char* SettingsWriteErrorText = "設定ファイルが書込めません!";

// Bits of ReportFlags: the options of the text work report.
enum ReportFlag : uint16_t {
    ReportStandardMemo = 1, // 標準メモ
    ReportCategoryList = 2, // 作業分類リスト
    ReportWorkMemo = 4,     // 作業メモを出力
    ReportSubtotal = 8,     // 小計を計算
    ReportByDate = 16,      // 日付順に出力
};

// One setting as the file holds it: key and value text (CP932).
struct SettingEntry {
    const char* Key;
    std::string Value;
};

class TInitParam {
public:
    // Screen edge of the bar: 1 top, 2 bottom, 3 left, 4 right; 0 stands for
    // the right edge and is replaced by 4 when the bar starts.
    int BarAlign = 0;
    bool AppListVisible = false;
    int AppListWidth = 0;  // along the top or bottom edge; 0 lays it out as 180
    int AppListHeight = 0; // along the left or right edge; 0 lays it out as 180
    int BarSize = 0;       // thickness of the bar in pixels
    std::string SelectedWork;
    bool MemoOnStart = false;
    bool SaveWindowPos = false;
    bool StartWithLast = false;
    std::string RestTimes; // "start:end,..." in minutes; see SplitRestTimes
    bool AutoRestSwitch = false;
    int StartKind = 0; // kept for the file; nothing uses it
    uint16_t ReportFlags = 0;
    int ReportPeriod = 0;
    std::string ReportFile;
    bool ContinueCategory = false;
    std::string BaseWork; // kept for the file; nothing uses it
    int WorkDayBegin = 0; // minutes since midnight
    int WorkDayEnd = 0;
    int OvertimeCalc = 0; // 0 per day, 1 from accumulated time
    bool AutoHide = false;
    bool AppSwitchMode = false;
    bool ManualSwitchOff = false;
    int MergeSeconds = 0;
    int NoCountSeconds = 0;
    bool CloseAfterReport = false;
    bool SyncSysLog = false;
    int AutoSaveMinutes = 0; // minutes between saves of the records; 0 is off
    // Minutes without input after which the user counts as away and is asked
    // about the time on return; 0 is off.
    int AwayMinutes = 0;

    // The file that Load read and Save writes.
    std::string FileName;

    // Remembers fileName and reads every setting from it; a missing file or
    // key gives the defaults. A file that cannot be read is reported and
    // gives the defaults too (false). Nothing is written.
    bool Load(const std::string& fileName, ErrorReporter& reporter);
    // Writes every setting into the file named by FileName, keeping the lines
    // of the file that are not ours, and sorts the lines. A failure is
    // reported and leaves the file as it was (false). Without a FileName
    // there is nothing to write (true). writer replaces the file (tests pass
    // one whose writes fail); none: the standard one.
    bool Save(ErrorReporter& reporter, AtomicWriter* writer = nullptr) const;

    // The settings of an open file, with the defaults for what it lacks.
    void ReadFrom(const TInitFile& file);
    // Writes every setting into file (empty texts remove their keys).
    void WriteTo(TInitFile& file) const;
    // Every setting as written, in the order of writing; empty texts included.
    std::vector<SettingEntry> Entries() const;

    bool HasReportFlag(uint16_t mask) const { return (ReportFlags & mask) != 0; }
    void SetReportFlag(uint16_t mask, bool on);
};

// One rest period of RestTimes, in minutes since midnight.
struct RestPeriod {
    int32_t Start = 0;
    int32_t End = 0;
    bool operator==(const RestPeriod&) const = default;
};

// The periods of a RestTimes text in list order. Each item is read as the
// integer at its start and the integer after its first ":" (0 when it has
// none); an item that is no number reads as 0.
std::vector<RestPeriod> SplitRestTimes(const std::string& restTimes);

} // namespace zanpel
