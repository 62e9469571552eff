#include "settings/initparam.h"

#include "records/atomicfile.h"
#include "records/csvfile.h"
#include "records/errorreporter.h"
#include "settings/initfile.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

namespace zanpel {
namespace {

constexpr const char* DefaultWindowAlign = "0,0,90,190";
constexpr const char* DefaultWorkDay = "9:00,17:00";
constexpr const char* DefaultBaseWork = "7.0 H";

AtomicWriter& DefaultWriter() {
    static AtomicWriter writer;
    return writer;
}

std::string Int(int32_t value) {
    return std::to_string(value);
}
std::string Bool(bool value) {
    return value ? "1" : "0";
}

// Hours, a colon and two-digit minutes: 540 gives "9:00".
std::string FormatDayTime(int minutes) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d:%2.2d", minutes / 60, minutes % 60);
    return buf;
}

// One item of WORKOFDAY: "h:mm" or "h:" in minutes; a bare number, three
// numbers and anything unreadable give 0, and so does a time past the range
// of the field.
int DayTimeMinutes(std::string_view item) {
    const NumberGroups g = ParseNumberGroups(item, ":");
    int64_t minutes = 0;
    if (g.Count == 1)
        minutes = int64_t{g.Values[0]} * 60;
    else if (g.Count == 2)
        minutes = int64_t{g.Values[0]} * 60 + g.Values[1];
    return minutes <= std::numeric_limits<int32_t>::max() ? static_cast<int>(minutes) : 0;
}

struct WindowAlign {
    int32_t Values[4] = {0, 0, 0, 0};
};

// Four integers, or nothing when an item is no integer; any other number of
// items gives four zeros.
std::optional<WindowAlign> ParseWindowAlign(std::string_view text) {
    const StringList items = Split(text);
    WindowAlign align;
    if (items.size() != 4)
        return align;
    for (size_t i = 0; i < 4; ++i) {
        const auto value = ToDecimalInt(items[i]);
        if (!value)
            return std::nullopt;
        align.Values[i] = *value;
    }
    return align;
}

} // namespace

bool TInitParam::Load(const std::string& fileName, ErrorReporter& reporter) {
    FileName = fileName;
    TInitFile file(fileName);
    std::string cause;
    const bool read = file.Load(cause);
    if (!read)
        reporter.ReportError(std::string(SettingsReadErrorText) + "\r\n" + cause);
    ReadFrom(file);
    return read;
}

bool TInitParam::Save(ErrorReporter& reporter, AtomicWriter* writer) const {
    if (FileName.empty())
        return true;
    // The file as it is now is the base, so lines that are not ours survive.
    // When it cannot be read it is not replaced: those lines would be lost.
    TInitFile file(FileName);
    std::string cause;
    if (!file.Load(cause)) {
        reporter.ReportError(std::string(SettingsWriteErrorText) + "\r\n" + cause +
                             "\r\n今のファイルが読めないため、上書きしません。");
        return false;
    }
    WriteTo(file);
    file.Sort();
    cause = file.Save(writer ? *writer : DefaultWriter());
    if (cause.empty())
        return true;
    reporter.ReportError(std::string(SettingsWriteErrorText) + "\r\n" + cause);
    return false;
}

void TInitParam::ReadFrom(const TInitFile& file) {
    // A value that is no integer takes the key's default, as a missing key
    // does; for WINALIGN that is all four values.
    const auto align = ParseWindowAlign(file.ReadText("WINALIGN", DefaultWindowAlign));
    const WindowAlign a = align ? *align : *ParseWindowAlign(DefaultWindowAlign);
    BarAlign = a.Values[0];
    AppListVisible = a.Values[1] != 0;
    AppListWidth = a.Values[2];
    AppListHeight = a.Values[3];

    BarSize = file.ReadInt("WINSIZE", 165);
    SelectedWork = file.ReadText("SELECTED", "");
    MemoOnStart = file.ReadBool("ONMEMOEDIT", false);
    SaveWindowPos = file.ReadBool("SAVEWINPOS", true);
    StartWithLast = file.ReadBool("STARTSELECT", true);
    RestTimes = file.ReadText("RESTTIME", "");
    AutoRestSwitch = file.ReadBool("AUTOSWITCH", true);
    StartKind = file.ReadInt("STARTKIND", 0);
    // The field holds 16 bits; higher bits of the stored number are dropped.
    ReportFlags = static_cast<uint16_t>(file.ReadInt("TEXTOUT", 0));
    ReportPeriod = file.ReadInt("PERIOD", 0);
    ReportFile = file.ReadText("REPORT", "");
    ContinueCategory = file.ReadBool("WORKCONT", true);
    BaseWork = file.ReadText("BASEWORK", DefaultBaseWork);

    // The appended commas give two items, except where the list ends before
    // them: at a zero byte, or in a quote that is never closed.
    StringList day = Split(file.ReadText("WORKOFDAY", DefaultWorkDay) + ",,");
    day.resize(std::max<size_t>(day.size(), 2));
    WorkDayBegin = DayTimeMinutes(day[0]);
    WorkDayEnd = DayTimeMinutes(day[1]);

    OvertimeCalc = file.ReadInt("OVERCALC", 0);
    AutoHide = file.ReadBool("AUTOHIDE", true);
    AppSwitchMode = file.ReadBool("APPSWITCH", false);
    ManualSwitchOff = file.ReadBool("MANUALSWOFF", false);
    MergeSeconds = file.ReadInt("MERGETIME", 1);
    NoCountSeconds = file.ReadInt("NOCOUNT", 1);
    CloseAfterReport = file.ReadBool("REPORTCLOSE", false);
    SyncSysLog = file.ReadBool("SYNCSYSLOG", false);
    AutoSaveMinutes = file.ReadInt("AUTOSAVE", 5);
    AwayMinutes = file.ReadInt("AWAYTIME", 10);
}

std::vector<SettingEntry> TInitParam::Entries() const {
    char align[64];
    std::snprintf(align, sizeof align, "%d,%d,%d,%d", BarAlign, AppListVisible ? 1 : 0,
                  AppListWidth, AppListHeight);
    return {
        {"REPORT", ReportFile},
        {"SELECTED", SelectedWork},
        {"RESTTIME", RestTimes},
        {"WINALIGN", align},
        {"WINSIZE", Int(BarSize)},
        {"ONMEMOEDIT", Bool(MemoOnStart)},
        {"SAVEWINPOS", Bool(SaveWindowPos)},
        {"STARTSELECT", Bool(StartWithLast)},
        {"WORKCONT", Bool(ContinueCategory)},
        {"AUTOSWITCH", Bool(AutoRestSwitch)},
        {"STARTKIND", Int(StartKind)},
        {"TEXTOUT", Int(ReportFlags)},
        {"PERIOD", Int(ReportPeriod)},
        {"BASEWORK", BaseWork},
        {"AUTOHIDE", Bool(AutoHide)},
        {"MANUALSWOFF", Bool(ManualSwitchOff)},
        {"APPSWITCH", Bool(AppSwitchMode)},
        {"MERGETIME", Int(MergeSeconds)},
        {"NOCOUNT", Int(NoCountSeconds)},
        {"REPORTCLOSE", Bool(CloseAfterReport)},
        {"SYNCSYSLOG", Bool(SyncSysLog)},
        {"WORKOFDAY", Join({FormatDayTime(WorkDayBegin), FormatDayTime(WorkDayEnd)})},
        {"OVERCALC", Int(OvertimeCalc)},
        {"AUTOSAVE", Int(AutoSaveMinutes)},
        {"AWAYTIME", Int(AwayMinutes)},
    };
}

void TInitParam::WriteTo(TInitFile& file) const {
    // Numbers and truth values are never empty, so only texts can remove
    // their keys.
    for (const SettingEntry& entry : Entries())
        file.WriteText(entry.Key, entry.Value);
}

void TInitParam::SetReportFlag(uint16_t mask, bool on) {
    if (on)
        ReportFlags = static_cast<uint16_t>(ReportFlags | mask);
    else
        ReportFlags = static_cast<uint16_t>(ReportFlags & ~mask);
}

std::vector<RestPeriod> SplitRestTimes(const std::string& restTimes) {
    TCSVFile items;
    items.SetLine(restTimes);
    std::vector<RestPeriod> periods;
    periods.reserve(static_cast<size_t>(items.Count()));
    for (int i = 0; i < items.Count(); ++i)
        periods.push_back({items.GetInt(i), items.GetIntAfterColon(i)});
    return periods;
}

} // namespace zanpel
