// The simulation's inside: the bar's core objects, the window's side of them
// answered by the simulation, the actions, and the bookkeeping the checks
// need. Only the simulator's own files include this.
#pragma once

#include "app/awaywatch.h"
#include "app/bareditors.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "daysimulator.h"
#include "records/clock.h"
#include "settings/initparam.h"
#include "support/diskfullwriter.h"
#include "worklist/datalist.h"

#include <functional>
#include <map>
#include <string>

namespace zanpel::test {

// The first day of day's month.
DayNumber FirstOfMonth(DayNumber day);

class TSimulation final : public TTimingUi, public TBarEditorsUi {
public:
    TSimulation(TChoices& choices, const std::string& folder);
    TSimulationResult Run(int days);

    // --- the window's side (simdialogs.cpp for the dialogs)
    void SetWorkTimer(bool on) override { m_workTimer = on; }
    void SetAutoHideTimer(bool) override {}
    void SetAppSwitchMode(bool on) override { m_buttons.AppSwitchActive = on; }
    void SetBarEnabled(bool) override {}
    bool Confirm(const std::string&) override { return Pick(5) != 0; }
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override;
    void SetAutoHide(bool) override {}
    void ShowError(const std::string&) override {}
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override;
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override;

private:
    uint32_t Pick(uint32_t bound) { return m_choices.Next(bound); }
    bool Chance(uint32_t oneIn) { return Pick(oneIn) == 0; }
    void Note(const std::string& action);
    DayNumber TodayNumber() const { return Today(m_clock); }
    int64_t AbsoluteNow() const {
        return int64_t{TodayNumber()} * SecondsPerDay + NowSeconds(m_clock);
    }
    // The clock was set back and has not come again to where it stood.
    bool ClockBehind() const { return AbsoluteNow() < m_clockHigh; }

    // --- actions (simulation.cpp; the commands in the menus and windows in
    // simcommands.cpp)
    void Step();
    void PressSome();
    void SwitchByApplication();
    void PassTime(int64_t seconds);
    int64_t SecondsToNextBoundary() const;
    void Tick();
    std::string PressedName() const;
    // Follows the pressed item: the one before a switch to the rest item is
    // to come back when the rest period ends.
    void Observe();
    void SleepMachine();
    void SetClock();
    void IdleNight();
    void TowardsMidnight();
    void OpenEditor();
    void NewWork();
    void ResetOrDelete();
    void OpenSettings();
    void SettingsInARestPeriod();
    void SummarySync();
    // The user leaves the machine on and comes back; the question on the
    // return is answered at once or later, while the bar goes on (simaway.cpp).
    void GoAway();
    void AnswerAway();
    std::string ReadMonthFile(DayNumber day) const;
    void ToggleFailingSaves();
    // What a user does while a dialog is open (once, not in nested dialogs;
    // simdialogs.cpp).
    void MeanwhileInADialog();
    void RandomSettings(TInitParam& settings);

    // --- checks (simchecks.cpp)
    void Check(); // every invariant; problems go to m_result
    void CheckPeriodsInTheirDays();
    void CheckNoOverlap();
    void CheckSpansHoldTheirPeriods();
    void CheckBarAndListAgree();
    void CheckBookedTime();
    void CheckReturnFromRest();
    void SaveAndCompare();
    void Problem(const std::string& text);
    // Work seconds of the list's month and of the months left behind.
    int64_t Booked();
    int64_t MonthTotal(DayNumber day) const;
    // A list that reads the simulation's month files and never writes.
    void ReadOnly(TDataList& reader) const;
    void Rebaseline();

    TChoices& m_choices;
    std::string m_folder;
    FixedClock m_clock;
    CollectingErrorReporter m_reporter;
    TInitParam m_settings;
    TDataList m_list;
    TWorkButtons m_buttons;
    TWorkTiming m_timing;
    TBarEditors m_editors;
    TAwayWatch m_away;
    DiskFullWriter m_failingSaves;
    bool m_workTimer = false;
    int m_depth = 0; // dialogs open
    DayNumber m_firstDay;
    TSimulationResult m_result;
    std::string m_lastAction;
    std::string m_seenPressed;
    std::string m_beforeRest; // the item pressed before the rest item

    // Bookkeeping: seconds a work item ran since the baseline, and the slack
    // the rules allow (short periods dropped, short gaps merged) per switch.
    int64_t m_ran = 0;
    int64_t m_baseline = 0;
    int64_t m_slack = 0;
    DayNumber m_listMonth = 0;
    // The furthest the clock stood before it was set back (seconds since
    // day 0): up to there, time that passes may find its place booked.
    int64_t m_clockHigh = 0;
    bool m_waitedForClock = false;
    std::map<DayNumber, int64_t> m_leftMonths; // first day of month -> work seconds
};

} // namespace zanpel::test
