#include "app/bareditors.h"

#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "records/clock.h"
#include "records/datalist.h"
#include "settings/initparam.h"

namespace zanpel {
namespace {

// Switches the auto-hide timer off for a dialog and on again on every way out.
class EfTimerOff {
public:
    explicit EfTimerOff(TBarEditorsUi& ui) : m_ui(ui) { ui.SetEfTimer(false); }
    ~EfTimerOff() { m_ui.SetEfTimer(true); }
    EfTimerOff(const EfTimerOff&) = delete;
    EfTimerOff& operator=(const EfTimerOff&) = delete;

private:
    TBarEditorsUi& m_ui;
};

int PeriodStartingAt(const TWorkInfo& record, Seconds start) {
    for (size_t i = 0; i < record.Periods.size(); ++i)
        if (record.Periods[i].StartSec == start)
            return static_cast<int>(i);
    return -1;
}

} // namespace

TBarEditors::TBarEditors(TDataList& list, TWorkButtons& buttons, TWorkTiming& timing,
                         TInitParam& settings, const Clock& clock, TBarEditorsUi& ui)
    : m_list(list), m_buttons(buttons), m_timing(timing), m_settings(settings), m_clock(clock),
      m_ui(ui) {}

void TBarEditors::Attach() {
    m_buttons.OnButtonNotify = [this](int id) { WorkButtonEdit(id); };
}

void TBarEditors::SetupActionExecute(const std::vector<std::string>& history) {
    EfTimerOff off(m_ui);
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
    // An item deleted from the definitions that has time today comes back bare.
    m_list.RegisterWorkNames();
    TakeBackOptions(result.Options, m_settings, m_list);
    m_ui.SetAutoHide(result.Options.AutoHide);
    m_ui.SetAppSwitchMode(result.Options.AppSwitch);
    ApplyAutostart(result);
    m_timing.LoadRestRanges();
    m_buttons.LoadButtons(m_list.AppSwitch()); // keeps the running item
    m_timing.RefreshButtons();
}

void TBarEditors::ApplyAutostart(const TSetupResult& result) {
    if (!result.AutoStart || !IsAutostartOn || !SetAutostart ||
        *result.AutoStart == IsAutostartOn())
        return;
    if (const std::string error = SetAutostart(*result.AutoStart); !error.empty())
        m_ui.ShowError(error);
}

void TBarEditors::KeepRunningTime(TWorkInfo& edited, const TWorkInfo& live,
                                  Seconds runningStart) const {
    const int kept = PeriodStartingAt(edited, runningStart);
    const int now = PeriodStartingAt(live, runningStart);
    if (kept >= 0 && now >= 0) {
        Seconds& end = edited.Periods[static_cast<size_t>(kept)].EndSec;
        end = std::max(end, live.Periods[static_cast<size_t>(now)].EndSec);
    } else if (kept < 0 && &live == m_list.CurrentWork()) {
        // The running period was deleted: the item goes on from now,
        // without claiming the time in between for itself.
        const Seconds s = NowSeconds(m_clock);
        edited.Periods.push_back({{}, {}, s, s});
    }
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
    EfTimerOff off(m_ui);
    const bool running = rec == m_list.CurrentWork() && !rec->Periods.empty();
    const Seconds runningStart = running ? rec->Periods.back().StartSec : 0;
    const std::optional<TRecordEditResult> result =
        m_ui.EditRecord({*rec, m_list.GetCategories(name), running, &m_clock});
    if (!result)
        return;
    // Ticks went on under the dialog: the record is looked up again (a new
    // month may have replaced it), and the running period keeps the time it
    // gained meanwhile.
    TWorkInfo* live = m_list.Find(today, name);
    if (!live)
        return;
    TWorkInfo edited = result->Record;
    if (running)
        KeepRunningTime(edited, *live, runningStart);
    edited.Date = live->Date;
    edited.Name = live->Name;
    *live = std::move(edited);
    m_list.CalcTotal(*live);
    m_list.SetCategories(name, result->Categories);
    const int index = m_buttons.IndexOfName(name);
    if (index >= 0) {
        m_buttons.SetTimeText(index, FormatDuration(live->Total));
        m_buttons.SetDetailEnabled(index, live->Total != 0);
    }
}

} // namespace zanpel
