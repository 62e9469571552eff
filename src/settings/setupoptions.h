// What the settings dialog is opened with and what "更新(&U)" gives back:
// the options of its first page, the rest periods, the work definitions it
// edited as a copy, and the optional start at log-in (kept outside the
// settings file, behind two hooks).
#pragma once

#include "tracking/appswitch.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zanpel {

class Clock;
class TDataList;
class TInitParam;

// The values of the page "全般" (texts CP932, times in minutes since midnight).
struct TSetupOptions {
    bool SaveWindowPos = false;
    bool StartWithLast = false;
    bool AutoHide = false;
    bool SyncSysLog = false;
    bool AutoRestSwitch = false;
    bool MemoOnStart = false;
    bool ContinueCategory = false;
    int NoCount = 1;    // seconds, 1 to 300
    int MergeLimit = 1; // seconds, 1 to 300
    bool AppSwitch = false;
    bool ManualSwitchOff = false;
    int AwayMinutes = 0; // 0 to 1440, 0 is off
    int WorkDayBegin = 0;
    int WorkDayEnd = 0;
    int OvertimeCalc = 0;
    std::string RestTimes; // "start:end,..." in minutes
    bool operator==(const TSetupOptions&) const = default;
};

// The options as the dialog shows them: the settings, the work list's
// NoCountSeconds and the bar's live application switching.
TSetupOptions OptionsFrom(const TInitParam& settings, const TDataList& list, bool appSwitchActive);
// Takes the options back into the settings and the work list (the bar's
// auto-hide and application switching are the caller's to apply).
void TakeBackOptions(const TSetupOptions& options, TInitParam& settings, TDataList& list);

// What the dialog stores but the summary cannot count right, in plain words
// (UTF-8, one sentence a line); empty when all is well.
std::string OptionsWarning(int workDayBegin, int workDayEnd, bool restOverlaps);

struct TSetupInput {
    const TAppSwitch* Definitions = nullptr; // copied when the dialog opens
    TSetupOptions Options;
    std::vector<std::string> History; // the APP list lines, offered as rules
    const Clock* Now = nullptr;       // for the rest range shown without a selection
    // Start at log-in: both hooks or none (the check box is hidden then).
    std::function<bool()> IsAutostartOn;
    // Returns an error text (UTF-8), empty on success.
    std::function<std::string(bool on)> SetAutostart;
};

struct TSetupResult {
    TAppSwitch Definitions;
    TSetupOptions Options;
    std::optional<bool> AutoStart; // the check box, when it was shown
};

} // namespace zanpel
