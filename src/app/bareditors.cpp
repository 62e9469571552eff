#include "app/bareditors.h"

#include "app/pastmonthedit.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "records/clock.h"
#include "records/textcodec.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"
#include "worklist/editmerge.h"

namespace zanpel {
namespace {

// Switches the auto-hide timer off for a dialog and on again on every way out.
class AutoHideTimerOff {
public:
    explicit AutoHideTimerOff(TBarEditorsUi& ui) : m_ui(ui) { ui.SetAutoHideTimer(false); }
    ~AutoHideTimerOff() { m_ui.SetAutoHideTimer(true); }
    AutoHideTimerOff(const AutoHideTimerOff&) = delete;
    AutoHideTimerOff& operator=(const AutoHideTimerOff&) = delete;

private:
    TBarEditorsUi& m_ui;
};

} // namespace

TBarEditors::TBarEditors(TDataList& list, TWorkButtons& buttons, TWorkTiming& timing,
                         TInitParam& settings, const Clock& clock, TBarEditorsUi& ui)
    : m_list(list), m_buttons(buttons), m_timing(timing), m_settings(settings), m_clock(clock),
      m_ui(ui) {}

void TBarEditors::Attach() {
    m_buttons.OnButtonNotify = [this](int id) { WorkButtonEdit(id); };
}

void TBarEditors::SetupActionExecute(const std::vector<std::string>& history) {
    AutoHideTimerOff off(m_ui);
    TSetupInput input;
    input.Definitions = &m_list.AppSwitch();
    input.Options = OptionsFrom(m_settings, m_list, m_buttons.AppSwitchActive);
    input.History = history;
    input.Now = &m_clock;
    if (IsAutostartOn && SetAutostart) {
        input.IsAutostartOn = IsAutostartOn;
        input.SetAutostart = SetAutostart;
    }
    if (const std::optional<TSetupResult> result = m_ui.ShowSetup(input))
        ApplySetup(*result);
    m_timing.ClearMenuTarget();
}

void TBarEditors::ApplySetup(const TSetupResult& result) {
    m_list.AppSwitch().Assign(result.Definitions);
    // An item deleted from the definitions that has time today comes back
    // bare, and so does the running one (the rest item runs in the
    // computer-on record, which names no item), so that the rebuilt bar
    // keeps what runs.
    m_list.RegisterWorkNames();
    if (const TMultiButton* running = m_buttons.Current();
        running && m_list.AppSwitch().IndexOf(running->Name) < 0)
        m_list.AppSwitch().AddEntry(TAppList{running->Name, {}, {}, false, {}});
    TakeBackOptions(result.Options, m_settings, m_list);
    m_ui.SetAutoHide(result.Options.AutoHide);
    m_ui.SetAppSwitchMode(result.Options.AppSwitch);
    ApplyAutostart(result);
    m_timing.LoadRestRanges();
    m_buttons.LoadButtons(m_list.AppSwitch()); // keeps the running item
    if (m_settings.AutoRestSwitch && m_buttons.ButtonCount() > 0)
        m_timing.EnsureRestItem();
    m_timing.RefreshButtons();
    if (OnSettingsApplied)
        OnSettingsApplied();
}

void TBarEditors::ApplyAutostart(const TSetupResult& result) {
    if (!result.AutoStart || !IsAutostartOn || !SetAutostart ||
        *result.AutoStart == IsAutostartOn())
        return;
    if (const std::string error = SetAutostart(*result.AutoStart); !error.empty())
        m_ui.ShowError(error);
}

void TBarEditors::WorkButtonEdit(int id) {
    if (id < 0 || id >= m_buttons.ButtonCount())
        return;
    const DayNumber today = Today(m_clock);
    const std::string name = m_buttons.Buttons(id).Name;
    const TWorkInfo* rec = m_list.Find(today, name);
    // The computer-on record (behind the rest item) has no editor: its
    // first period is not a period of work.
    if (!rec || m_list.IsLogin(rec))
        return;
    AutoHideTimerOff off(m_ui);
    const bool running = rec == m_list.CurrentWork() && !rec->Periods.empty();
    const TWorkInfo opened = *rec;
    const std::optional<TRecordEditResult> result = m_ui.EditRecord(
        {opened, m_list.GetCategories(name), running, &m_clock, OtherWorkOfDay(m_list, *rec)});
    if (!result)
        return;
    m_list.SetCategories(name, result->Categories);
    // Ticks went on under the dialog: the edits go into the record of the
    // day it was opened on as it is now, also when a month end took that
    // month from the bar meanwhile.
    std::string problem;
    const TRecordChange change = ChangeRecordOfDay(
        m_list, today, name,
        [&](TDataList& month, TWorkInfo& live) {
            MergeEditedRecord(month, live, opened, result->Record, m_timing.BookingNow());
            return true;
        },
        problem);
    if (change != TRecordChange::Made) {
        m_ui.ShowError(
            "「" + Cp932ToUtf8(name) + "」の " + FormatDate(today) +
            " の記録に編集を反映できませんでした。\r\n" +
            (change == TRecordChange::NotFound ? "その日の記録がありません。" : problem));
        return;
    }
    if (const int index = m_buttons.IndexOfName(name); index >= 0) {
        const Seconds total = m_list.GetWorkCopy(Today(m_clock), name).Total;
        m_buttons.SetTimeText(index, FormatDuration(total));
        m_buttons.SetDetailEnabled(index, total != 0);
    }
}

} // namespace zanpel
