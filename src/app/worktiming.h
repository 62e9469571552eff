// The engine of the bar: presses and releases of the work buttons become
// calls on the work list, a 200 ms tick grows the running item's time,
// follows midnight and switches to and from the rest item in rest periods,
// and the panel menu's commands reset, delete and start items. Plain C++
// driven by the clock; the window only forwards its timers and clicks and
// answers through TTimingUi.
#pragma once

#include "app/sleepwatch.h"
#include "app/switchentry.h"
#include "records/timevalues.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zanpel {

class Clock;
class TDataList;
class TInitParam;
class TMultiButton;
class TWorkButtons;
struct TWorkInfo;

// What the memo dialog is filled with (CP932 texts; the time text is UTF-8).
struct TMemoRequest {
    std::string Categories; // comma list for the drop-down
    std::string Category;
    std::string Memo;
    std::string TimeText;
    std::string Caption; // empty: the dialog's own
};

// What the memo dialog gave back on OK.
struct TMemoResult {
    std::string Category;
    std::string Memo;
    std::string Categories; // the drop-down items as a comma list
};

// The window's side of the engine.
class TTimingUi {
public:
    virtual ~TTimingUi() = default;
    virtual void SetWorkTimer(bool on) = 0;
    // The bar hides itself only while this timer runs.
    virtual void SetAutoHideTimer(bool on) = 0;
    virtual void SetAppSwitchMode(bool on) = 0;
    virtual void SetBarEnabled(bool on) = 0;
    // A Yes/No confirmation (UTF-8); true only for Yes.
    virtual bool Confirm(const std::string& text) = 0;
    // The memo dialog, modal; none when cancelled.
    virtual std::optional<TMemoResult> AskMemo(const TMemoRequest& request) = 0;
    // An error the user must see (UTF-8), outside the tick.
    virtual void ShowError(const std::string& text) = 0;
};

struct TRestRange {
    int32_t BeginMinute = 0;
    int32_t EndMinute = 0;
    // Begin inclusive, end exclusive; a negative end never matches.
    bool operator==(const TRestRange&) const = default;
    bool Covers(int minute) const {
        return (BeginMinute < 0 || minute >= BeginMinute) && EndMinute >= 0 && minute < EndMinute;
    }
};

class TWorkTiming {
public:
    TWorkTiming(TDataList& list, TWorkButtons& buttons, TInitParam& settings, const Clock& clock,
                TTimingUi& ui);
    TWorkTiming(const TWorkTiming&) = delete;
    TWorkTiming& operator=(const TWorkTiming&) = delete;

    // Installs the handlers of the button bar's events.
    void Attach();

    void WorkButtonClicked(int id, bool stat);
    void WorkSelected(int id, bool stat);
    void WorkTimerTimer();
    // Looks whether the machine slept or its clock was set since the last
    // look and, if so, takes that out of the records: the running item
    // stops at the moment of sleep (or where the clock before the step
    // stands now) and goes on from now as a new period, on now's day. A
    // sleep or a step forward within the day is a rest period, one over
    // midnight starts the new day at now; after a step back, the list
    // goes back to now's day, and nothing is booked again in the time the
    // old clock booked already. The month is saved at once. Runs first in
    // every tick and on a timer of its own, so that a sleep while nothing
    // runs is seen too. True after a sleep or a step.
    bool CheckSleep();
    // Called with every sleep that was taken out of the records.
    std::function<void(const TSleep&)> OnSleep;
    // Called with every step of the clock that was taken out of the records.
    std::function<void(const TClockStep&)> OnClockStep;
    // Called with every switch the bar makes by itself: by an application
    // rule, at the start and the end of a rest period, the item of the last
    // end at the start, and an item a second start names.
    std::function<void(const TSwitchEntry&)> OnAutoSwitch;
    // The second of today from which the running item may go on: now, but
    // after the clock was set back not before the time the old clock booked.
    Seconds BookingNow();
    void LoadRestRanges();
    // The rest item's definition and button, made when missing (a data
    // folder without a definition file has neither); answers the button.
    // Called wherever rest switching is on and the bar has items.
    int EnsureRestItem();
    void RefreshButtons();
    void ReplaceWorkList(const TDataList& other);
    // Presses the item that ran at the last end, without the memo dialog.
    void StartSelection(const std::string& name);
    // Presses a named item as the user would, but without the memo dialog
    // (for a second copy of the program); an item that runs already goes on
    // running, and an unknown name presses nothing.
    void PressItemByName(const std::string& name);

    // The panel menu: which commands the button under the mouse allows.
    struct MenuState {
        bool NewWork = false;
        bool Delete = false;
        bool Reset = false;
    };
    MenuState PopupMenu1Popup(TMultiButton* underMouse);
    TMultiButton* MenuTarget() const;
    void ClearMenuTarget() { m_menuTarget = nullptr; }
    void N_NewWorkClick();
    void N_DeleteClick();
    void N_ResetClick();
    void N_AllResetClick();

    const std::vector<TRestRange>& RestRanges() const { return m_restRanges; }

    // Marks the program's own selections of an item (as opposed to the
    // user's), which offer no memo dialog; the mark before is back when the
    // scope ends, however it ends.
    class AutoSelectingScope {
    public:
        explicit AutoSelectingScope(TWorkTiming& timing)
            : m_timing(timing), m_before(timing.m_autoSelecting) {
            timing.m_autoSelecting = true;
        }
        ~AutoSelectingScope() { m_timing.m_autoSelecting = m_before; }
        AutoSelectingScope(const AutoSelectingScope&) = delete;
        AutoSelectingScope& operator=(const AutoSelectingScope&) = delete;

    private:
        TWorkTiming& m_timing;
        bool m_before;
    };

private:
    DayNumber TodayNumber() const;
    // Seconds since day 0.
    int64_t AbsoluteNow() const;
    bool RestPeriodSwitch(); // true when the tick ends here
    // Tells OnAutoSwitch of a switch to the running item (or to none).
    void NoteAutoSwitch(TSwitchEntry entry);
    void AskMemoOnStart(int id);
    void NoteApplicationSwitch(int id);
    void AutoSaveIfDue();
    // The records stop at stopped and go on from resumed, later on the
    // clock: the time between is no work (worktiming_clock.cpp).
    void TakeOutGap(TDateTime stopped, TDateTime resumed);
    // The clock was set back from stopped to now.
    void TakeOutStepBack(TDateTime stopped, TDateTime now);
    // Starts an item as the list does, but after a step back not before the
    // time the old clock booked on day.
    TWorkInfo* StartItem(DayNumber day, const std::string& name, bool mayMerge = true);
    // A reset took the running item's periods: the next tick starts it from
    // now, but not into time booked before a step back.
    void GoOnAfterReset();
    // Up to which second of day the old clock booked time (the day's last
    // second at most), while the clock is still behind where it stood
    // before it was set back; 0 otherwise.
    Seconds BookedUntil(DayNumber day);
    int IndexOfButton(const TMultiButton* button) const;

    TDataList& m_list;
    TWorkButtons& m_buttons;
    TInitParam& m_settings;
    const Clock& m_clock;
    TTimingUi& m_ui;
    std::vector<TRestRange> m_restRanges;
    // The rest period that pressed the rest item ("hh:mm-hh:mm"); empty
    // when none did.
    std::string m_restSwitchRange;
    TMultiButton* m_menuTarget = nullptr;
    bool m_autoSelecting = false; // the program selects an item, not the user
    TSleepWatch m_sleepWatch;
    int64_t m_lastSave; // seconds, for the periodic save of the month
    // The furthest the clock was seen or stood before a step back (seconds
    // since day 0); while it is behind that, the time up to there may be
    // booked already.
    int64_t m_furthest;
    bool m_saving = false;
};

} // namespace zanpel
