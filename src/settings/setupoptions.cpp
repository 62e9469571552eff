#include "settings/setupoptions.h"

#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <utility>

namespace zanpel {

namespace {

// The options that the settings hold under the same meaning.
template <class T> using Shared = std::pair<T TSetupOptions::*, T TInitParam::*>;
constexpr Shared<bool> SharedFlags[] = {
    {&TSetupOptions::SaveWindowPos, &TInitParam::SaveWindowPos},
    {&TSetupOptions::StartWithLast, &TInitParam::StartWithLast},
    {&TSetupOptions::AutoHide, &TInitParam::AutoHide},
    {&TSetupOptions::SyncSysLog, &TInitParam::SyncSysLog},
    {&TSetupOptions::AutoRestSwitch, &TInitParam::AutoRestSwitch},
    {&TSetupOptions::MemoOnStart, &TInitParam::MemoOnStart},
    {&TSetupOptions::ContinueCategory, &TInitParam::ContinueCategory},
    {&TSetupOptions::ManualSwitchOff, &TInitParam::ManualSwitchOff},
};
constexpr Shared<int> SharedNumbers[] = {
    {&TSetupOptions::MergeLimit, &TInitParam::MergeSeconds},
    {&TSetupOptions::WorkDayBegin, &TInitParam::WorkDayBegin},
    {&TSetupOptions::WorkDayEnd, &TInitParam::WorkDayEnd},
    {&TSetupOptions::OvertimeCalc, &TInitParam::OvertimeCalc},
    {&TSetupOptions::AwayMinutes, &TInitParam::AwayMinutes},
};

} // namespace

TSetupOptions OptionsFrom(const TInitParam& settings, const TDataList& list, bool appSwitchActive) {
    TSetupOptions o;
    for (const auto& [option, setting] : SharedFlags)
        o.*option = settings.*setting;
    for (const auto& [option, setting] : SharedNumbers)
        o.*option = settings.*setting;
    o.RestTimes = settings.RestTimes;
    o.NoCount = list.NoCountSeconds();
    o.AppSwitch = appSwitchActive;
    return o;
}

void TakeBackOptions(const TSetupOptions& o, TInitParam& settings, TDataList& list) {
    for (const auto& [option, setting] : SharedFlags)
        settings.*setting = o.*option;
    for (const auto& [option, setting] : SharedNumbers)
        settings.*setting = o.*option;
    settings.RestTimes = o.RestTimes;
    list.ContinueCategory = o.ContinueCategory;
    list.SetMergeSeconds(o.MergeLimit);
    // The setting follows from the work list at the end of the program.
    list.SetNoCountSeconds(o.NoCount);
}

std::string OptionsWarning(int workDayBegin, int workDayEnd, bool restOverlaps) {
    std::string text;
    if (workDayEnd < workDayBegin)
        text += "就業時間の終了が開始より前です。残業が正しく計算されません。";
    if (restOverlaps)
        text += std::string(text.empty() ? "" : "\n") +
                "休憩時間が重なっています。重なった時間は一度だけ差し引かれます。";
    return text;
}

} // namespace zanpel
