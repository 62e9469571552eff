#include "app/worktiming.h"

#include "app/pastmonthedit.h"
#include "app/workbuttons.h"
#include "records/blanks.h"
#include "records/clock.h"
#include "records/csvfile.h"
#include "records/names.h"
#include "records/textcodec.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <algorithm>
#include <utility>

namespace zanpel {
namespace {

// The file name without its extension ("excel.exe" gives "excel").
std::string WithoutExtension(const std::string& name) {
    const size_t dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

std::string TimeLabelText(const Clock& clock) {
    return FormatTime(NowSeconds(clock)) + "- ...";
}

} // namespace

TWorkTiming::TWorkTiming(TDataList& list, TWorkButtons& buttons, TInitParam& settings,
                         const Clock& clock, TTimingUi& ui)
    : m_list(list), m_buttons(buttons), m_settings(settings), m_clock(clock), m_ui(ui),
      m_sleepWatch(clock), m_lastSave(AbsoluteNow()), m_furthest(m_lastSave) {}

void TWorkTiming::Attach() {
    m_buttons.OnClickButton = [this](int id, bool stat) { WorkButtonClicked(id, stat); };
    m_buttons.OnSelected = [this](int id, bool stat) { WorkSelected(id, stat); };
}

DayNumber TWorkTiming::TodayNumber() const {
    return Today(m_clock);
}

int64_t TWorkTiming::AbsoluteNow() const {
    return int64_t{TodayNumber()} * SecondsPerDay + NowSeconds(m_clock);
}

void TWorkTiming::WorkButtonClicked(int, bool stat) {
    // A press right after a wake-up comes before the sleep's own timer: the
    // sleep is taken out first, or the running item would claim it.
    CheckSleep();
    if (!m_buttons.Current() || !m_list.CurrentWork() || stat)
        return;
    const bool login = m_list.IsLogin(m_list.CurrentWork());
    const Seconds total = m_list.StopWork();
    m_buttons.SetTimeText(m_buttons.ItemIndex(), FormatDuration(total));
    m_buttons.SetDetailEnabled(m_buttons.ItemIndex(), total > 0 && !login);
}

void TWorkTiming::WorkSelected(int id, bool stat) {
    m_ui.SetWorkTimer(false);
    CheckSleep();
    if (!stat) {
        m_list.StopWork();
        return;
    }
    // The day changes before anything starts on it: an item started after
    // midnight with the list still on the day before would begin before the
    // new day's computer-on span.
    const DayNumber today = TodayNumber();
    if (m_list.CurrentDate() != today)
        m_list.ChangeDate(today);
    const TWorkInfo* rec = StartItem(today, m_buttons.Current()->Name);
    m_buttons.SetDetailEnabled(m_buttons.ItemIndex(), !m_list.IsLogin(rec));
    m_ui.SetWorkTimer(true);
    if (m_buttons.AppSwitching) {
        NoteApplicationSwitch(id);
        return;
    }
    if (id == m_buttons.IndexOfName(RestName()))
        return;
    if (m_settings.ManualSwitchOff && m_buttons.AppSwitchActive)
        m_ui.SetAppSwitchMode(false);
    if (m_settings.MemoOnStart && !m_autoSelecting)
        AskMemoOnStart(id);
}

void TWorkTiming::NoteApplicationSwitch(int id) {
    NoteAutoSwitch({.Cause = TSwitchCause::Rule,
                    .Rule = m_buttons.LastRule,
                    .Detail = m_buttons.LastRuleText,
                    .Program = m_buttons.LastExeName,
                    .Title = m_buttons.LastWindowTitle});
    TWorkInfo* rec = m_list.Find(TodayNumber(), m_buttons.Buttons(id).Name);
    if (!rec)
        return;
    if (!rec->Periods.empty()) {
        TWorkData& period = rec->Periods.back();
        if (period.Memo.find(m_buttons.LastWindowTitle) == std::string::npos)
            period.Memo = TrimBlanks(period.Memo + "\r\n" + m_buttons.LastWindowTitle);
        if (period.Category.empty())
            period.Category = WithoutExtension(m_buttons.LastExeName);
    }
    m_ui.SetAppSwitchMode(m_buttons.AppSwitchActive);
    m_buttons.ClearAppInfo();
}

void TWorkTiming::AskMemoOnStart(int id) {
    const TWorkInfo* rec = m_list.Find(TodayNumber(), m_buttons.Buttons(id).Name);
    if (!rec)
        return;
    struct AutoHideTimerBack {
        TTimingUi& ui;
        ~AutoHideTimerBack() { ui.SetAutoHideTimer(true); }
    } back{m_ui};
    m_ui.SetAutoHideTimer(false);
    const TMemoRequest request{m_list.GetCategories(rec->Name),
                               UnescapeText(rec->Name),
                               rec->Memo,
                               TimeLabelText(m_clock),
                               {}};
    // The dialog is modal but ticks go on under it: remember the period by
    // its record and start, and apply the answer only if it still exists.
    const DayNumber day = rec->Date;
    const std::string name = rec->Name;
    const Seconds start = rec->Periods.empty() ? -1 : rec->Periods.back().StartSec;
    const std::optional<TMemoResult> result = m_ui.AskMemo(request);
    if (!result || start < 0)
        return;
    // A month end under the dialog takes the month from the bar: the period
    // gets its answer in the month it belongs to, wherever that is now.
    std::string problem;
    const TRecordChange change = ChangeRecordOfDay(
        m_list, day, name,
        [&](TDataList&, TWorkInfo& now) {
            const auto period =
                std::find_if(now.Periods.rbegin(), now.Periods.rend(),
                             [&](const TWorkData& p) { return p.StartSec == start; });
            if (period == now.Periods.rend())
                return false; // the period was dropped meanwhile: the answer has no place
            period->Category = TrimBlanks(result->Category);
            period->Memo = TrimBlanks(result->Memo);
            return true;
        },
        problem);
    if (change == TRecordChange::NotKept)
        m_ui.ShowError("「" + Cp932ToUtf8(name) + "」の " + FormatDate(day) + " " +
                       FormatTime(start) + " からの作業分類とメモを保存できませんでした。\r\n" +
                       problem);
}

void TWorkTiming::WorkTimerTimer() {
    CheckSleep();
    if (m_buttons.ButtonCount() == 0 || !m_buttons.Current())
        return;
    // Only forward: a clock set back over midnight by less than a step
    // waits on the later day until the clock is there again.
    const DayNumber day = TodayNumber();
    if (day > m_list.CurrentDate()) {
        m_list.ChangeDate(day);
        StartItem(day, m_buttons.Current()->Name);
    }
    if (m_settings.AutoRestSwitch) {
        AutoSelectingScope selecting(*this);
        if (RestPeriodSwitch())
            return;
    }
    if (!m_buttons.Current())
        return;
    m_buttons.SetDetailEnabled(m_buttons.ItemIndex(), !m_list.IsLogin(m_list.CurrentWork()));
    const Seconds total = m_list.UpdateRunning();
    m_buttons.SetTimeText(m_buttons.ItemIndex(), FormatDuration(total));
    AutoSaveIfDue();
}

bool TWorkTiming::RestPeriodSwitch() {
    const int minute = NowSeconds(m_clock) / 60;
    int rest = m_buttons.IndexOfName(RestName());
    if (rest < 0)
        rest = m_buttons.ButtonCount();
    const auto covering = std::find_if(m_restRanges.begin(), m_restRanges.end(),
                                       [&](const TRestRange& r) { return r.Covers(minute); });
    const bool inRest = covering != m_restRanges.end();
    // The period is remembered while it lasts, for the switch at its end.
    if (inRest)
        m_restSwitchRange = RestRangeText(covering->BeginMinute, covering->EndMinute);
    const int before = m_buttons.ItemIndex();
    if (inRest && rest != before) {
        WorkButtonClicked(before, false);
        m_buttons.SelectIndex(rest == m_buttons.ButtonCount() ? EnsureRestItem() : rest);
        if (m_buttons.ItemIndex() != before)
            NoteAutoSwitch({.Cause = TSwitchCause::RestStart, .Detail = m_restSwitchRange});
    } else if (!inRest && before == rest) {
        WorkButtonClicked(before, false);
        m_buttons.SelectIndex(m_buttons.PreviousIndex());
        if (m_buttons.ItemIndex() != before)
            NoteAutoSwitch(
                {.Cause = TSwitchCause::RestEnd, .Detail = std::exchange(m_restSwitchRange, {})});
        if (m_buttons.ItemIndex() == -1)
            return true;
    } else if (!inRest) {
        m_restSwitchRange.clear();
    }
    return false;
}

void TWorkTiming::NoteAutoSwitch(TSwitchEntry entry) {
    if (!OnAutoSwitch)
        return;
    const TDateTime now = m_clock.Now();
    entry.Day = WholeDays(now);
    entry.Second = SecondsOfDay(now);
    const TMultiButton* current = m_buttons.Current();
    entry.Item = current ? current->Name : std::string();
    OnAutoSwitch(entry);
}

int TWorkTiming::EnsureRestItem() {
    // With a definition, a rebuild of the bar from the definitions (the
    // settings dialog's) keeps the button.
    TAppSwitch& definitions = m_list.AppSwitch();
    if (definitions.IndexOf(RestName()) < 0)
        definitions.AddEntry(TAppList{RestName(), {}, {}, false, {}});
    const int index = m_buttons.IndexOfName(RestName());
    return index >= 0 ? index : m_buttons.AddButton(RestName());
}

void TWorkTiming::AutoSaveIfDue() {
    // Our own guard against losing a day to a crash or a power cut: the month
    // is saved every few minutes while an item runs.
    const int64_t now = AbsoluteNow();
    if (m_settings.AutoSaveMinutes <= 0 || m_saving ||
        now - m_lastSave < int64_t{m_settings.AutoSaveMinutes} * 60)
        return;
    m_lastSave = now;
    m_saving = true; // an error box of a failed save must not stack up more saves
    m_list.SaveIfAllowed();
    m_saving = false;
}

void TWorkTiming::LoadRestRanges() {
    m_restRanges.clear();
    for (const RestPeriod& period : SplitRestTimes(m_settings.RestTimes))
        m_restRanges.push_back({period.Start, period.End});
}

void TWorkTiming::RefreshButtons() {
    const DayNumber today = TodayNumber();
    // With nothing running since midnight the list still holds the day
    // before, possibly in the month before. A bar disabled for that could
    // never start the item that would move it on, so it moves on here, as
    // the first tick after a start would.
    if (m_list.CurrentWork() == nullptr && m_list.CurrentDate() != 0 &&
        m_list.CurrentDate() < today)
        m_list.ChangeDate(today);
    for (int i = 0; i < m_buttons.ButtonCount(); ++i) {
        const TWorkInfo rec = m_list.GetWorkCopy(today, m_buttons.Buttons(i).Name);
        m_buttons.SetTimeText(i, FormatDuration(rec.Total));
        m_buttons.SetDetailEnabled(i, rec.Total != 0 && !m_list.IsLogin(&rec));
    }
    m_ui.SetBarEnabled(m_list.IsCurrentMonth());
}

void TWorkTiming::ReplaceWorkList(const TDataList& other) {
    m_ui.SetWorkTimer(false);
    m_list.Assign(other);
    RefreshButtons();
    if (m_buttons.Current())
        StartItem(TodayNumber(), m_buttons.Current()->Name);
    m_ui.SetWorkTimer(m_buttons.Current() != nullptr); // the timer runs while an item runs
    m_menuTarget = nullptr;
}

void TWorkTiming::StartSelection(const std::string& name) {
    AutoSelectingScope selecting(*this);
    const int before = m_buttons.ItemIndex();
    m_buttons.SelectByName(name);
    if (m_buttons.ItemIndex() != before)
        NoteAutoSwitch({.Cause = TSwitchCause::Resume});
}

void TWorkTiming::PressItemByName(const std::string& name) {
    const int index = m_buttons.IndexOfName(name);
    if (index < 0 || index == m_buttons.ItemIndex())
        return;
    AutoSelectingScope selecting(*this);
    m_buttons.ClickMainButton(index);
    if (m_buttons.ItemIndex() == index)
        NoteAutoSwitch({.Cause = TSwitchCause::HandOver});
}

int TWorkTiming::IndexOfButton(const TMultiButton* button) const {
    for (int i = 0; i < m_buttons.ButtonCount(); ++i)
        if (&m_buttons.Buttons(i) == button)
            return i;
    return -1;
}

TMultiButton* TWorkTiming::MenuTarget() const {
    // The button may have gone with a rebuild of the bar since the menu opened.
    return IndexOfButton(m_menuTarget) >= 0 ? m_menuTarget : nullptr;
}

TWorkTiming::MenuState TWorkTiming::PopupMenu1Popup(TMultiButton* underMouse) {
    m_menuTarget = underMouse ? underMouse : m_buttons.Current();
    MenuState state;
    if (!m_menuTarget)
        return state;
    const TWorkInfo* rec = m_list.Find(TodayNumber(), m_menuTarget->Name);
    state.Delete = state.Reset = !m_list.IsLogin(rec);
    state.NewWork = state.Delete && m_menuTarget == m_buttons.Current();
    return state;
}

void TWorkTiming::N_ResetClick() {
    TMultiButton* target = MenuTarget();
    // The computer-on record (behind the rest item) is never reset: its
    // first period is the day's span.
    const TWorkInfo* rec = target ? m_list.Find(TodayNumber(), target->Name) : nullptr;
    if (!rec || m_list.IsLogin(rec))
        return;
    m_ui.SetWorkTimer(false);
    m_ui.SetAutoHideTimer(false);
    const std::string name = target->Name;
    if (m_ui.Confirm(Cp932ToUtf8(name) + " の時間をリセットします！")) {
        m_list.ResetTimes(m_list.Find(TodayNumber(), name));
        GoOnAfterReset();
        RefreshButtons();
    }
    m_ui.SetWorkTimer(m_buttons.ItemIndex() >= 0);
    m_ui.SetAutoHideTimer(true);
    m_menuTarget = nullptr;
}

void TWorkTiming::N_AllResetClick() {
    m_ui.SetWorkTimer(false);
    m_ui.SetAutoHideTimer(false);
    if (m_ui.Confirm("全項目の時間をリセットします！")) {
        m_list.ResetTimes(nullptr);
        GoOnAfterReset();
        RefreshButtons();
    }
    m_ui.SetWorkTimer(m_buttons.ItemIndex() >= 0);
    m_ui.SetAutoHideTimer(true);
}

void TWorkTiming::N_NewWorkClick() {
    TMultiButton* target = MenuTarget();
    if (!target || target != m_buttons.Current())
        return;
    const TWorkInfo* rec = m_list.Find(TodayNumber(), target->Name);
    if (!rec)
        return;
    m_ui.SetAutoHideTimer(false);
    const std::string name = rec->Name;
    const TMemoRequest request{m_list.GetCategories(name), name, rec->Memo, TimeLabelText(m_clock),
                               "新しい作業を開始する"};
    if (const std::optional<TMemoResult> result = m_ui.AskMemo(request)) {
        m_ui.SetWorkTimer(false);
        // Looked up again: the list may have moved on while the dialog was
        // open, and the new period goes only to a record that still runs.
        if (TWorkInfo* now = m_list.Find(TodayNumber(), name); now && now == m_list.CurrentWork()) {
            const Seconds s = BookingNow();
            now->Periods.push_back({std::string(TrimBlanks(result->Category)),
                                    std::string(TrimBlanks(result->Memo)), s, s});
        }
        m_ui.SetWorkTimer(m_buttons.Current() != nullptr);
        m_list.SetCategories(name, result->Categories);
    }
    m_ui.SetAutoHideTimer(true);
    m_menuTarget = nullptr;
}

void TWorkTiming::N_DeleteClick() {
    TMultiButton* target = MenuTarget();
    if (!target || m_list.IsLogin(m_list.Find(TodayNumber(), target->Name)))
        return;
    m_ui.SetWorkTimer(false);
    m_ui.SetAutoHideTimer(false);
    const std::string name = target->Name;
    if (m_ui.Confirm(Cp932ToUtf8(name) + " を削除しますよ！")) {
        m_list.DeleteWork(TodayNumber(), name);
        // Found again: buttons may have been added while the box was open.
        if (const TMultiButton* still = MenuTarget())
            m_buttons.DeleteButton(IndexOfButton(still));
        RefreshButtons();
        m_list.SaveIfAllowed();
    }
    m_ui.SetAutoHideTimer(true);
    m_ui.SetWorkTimer(m_buttons.Current() != nullptr);
    m_menuTarget = nullptr;
}

} // namespace zanpel
