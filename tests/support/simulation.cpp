// The simulation's actions on the bar itself: what a user (and the machine)
// does to it; the commands in its menus and windows are in simcommands.cpp.
#include "simulation.h"

#include "records/names.h"
#include "records/textcodec.h"

#include <algorithm>
#include <filesystem>

namespace zanpel::test {
namespace {

constexpr size_t TrailLength = 40;

// The items of the bar: two that application rules switch to, one without.
const char* const ItemNames[] = {"設計", "会議", "試験"};
const char* const ItemRules[] = {"a.exe/", "b.exe/", ""};

TAppList Definition(int item) {
    TAppList definition{Utf8ToCp932(ItemNames[item]), {}, Utf8ToCp932("基本,詳細"), true, {}};
    if (ItemRules[item][0] != '\0')
        definition.Rules.push_back(ParseRule(ItemRules[item]));
    return definition;
}

void EmptyFolder(const std::string& folder) {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        std::filesystem::remove_all(entry.path(), ignored);
}

} // namespace

DayNumber FirstOfMonth(DayNumber day) {
    const CivilDate d = DecodeDate(day);
    return EncodeDate(d.Year, d.Month, 1);
}

uint32_t TByteChoices::Next(uint32_t bound) {
    uint32_t value = 0;
    const int bytes = bound > 256 ? 2 : 1;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | (m_next < m_size ? m_data[m_next++] : 0u);
    return value % bound;
}

TSimulation::TSimulation(TChoices& choices, const std::string& folder)
    : m_choices(choices), m_folder(folder), m_list(m_clock, m_reporter),
      m_buttons(m_list.AppSwitch()), m_timing(m_list, m_buttons, m_settings, m_clock, *this),
      m_editors(m_list, m_buttons, m_timing, m_settings, m_clock, *this),
      m_away(m_clock, m_list, m_timing.RestRanges()) {
    EmptyFolder(folder);
    m_firstDay = EncodeDate(2005, 1, 1) + static_cast<DayNumber>(Pick(800));
    m_clock.Set(m_firstDay, 7 * 3600 + static_cast<Seconds>(Pick(3 * 3600)));
    RandomSettings(m_settings);
    m_list.SetDataDir(folder);
    m_failingSaves.Full = false;
    m_list.SetWriter(&m_failingSaves);
    for (int item = 0; item < 3; ++item)
        m_list.AppSwitch().AddEntry(Definition(item));
    if (Chance(2)) // else as in a folder without a definition file
        m_list.AppSwitch().AddEntry(TAppList{RestName(), {}, {}, false, {}});
    m_list.ContinueCategory = m_settings.ContinueCategory;
    m_list.SetMergeSeconds(m_settings.MergeSeconds);
    m_list.SetNoCountSeconds(m_settings.NoCountSeconds);
    m_list.ChangeDate(TodayNumber());
    m_buttons.SetAllowAllUp(true);
    m_buttons.AppSwitchActive = true;
    m_buttons.LoadButtons(m_list.AppSwitch());
    m_timing.Attach();
    m_editors.Attach();
    if (m_settings.AutoRestSwitch)
        m_timing.EnsureRestItem();
    m_timing.LoadRestRanges();
    m_timing.RefreshButtons();
    m_away.SetThreshold(m_settings.AwayMinutes);
    m_listMonth = FirstOfMonth(m_list.CurrentDate());
}

void TSimulation::RandomSettings(TInitParam& settings) {
    settings.MergeSeconds = 1 + static_cast<int>(Chance(4) ? Pick(300) : Pick(10));
    settings.NoCountSeconds = 1 + static_cast<int>(Chance(4) ? Pick(300) : Pick(10));
    settings.ContinueCategory = Chance(2);
    settings.AutoRestSwitch = !Chance(3);
    settings.MemoOnStart = Chance(4);
    settings.ManualSwitchOff = Chance(3);
    settings.AutoSaveMinutes = Chance(2) ? 0 : 5 + static_cast<int>(Pick(30));
    settings.AwayMinutes = 1 + static_cast<int>(Pick(30));
    settings.RestTimes.clear();
    for (uint32_t n = Pick(4); n > 0; --n) {
        const int begin = static_cast<int>(Pick(1440));
        const int end = std::min(1440, begin + 1 + static_cast<int>(Pick(180)));
        settings.RestTimes += (settings.RestTimes.empty() ? "" : ",") + std::to_string(begin) +
                              ":" + std::to_string(end);
    }
}

void TSimulation::Note(const std::string& action) {
    ++m_result.Steps;
    ++m_result.Actions[action];
    m_lastAction = action;
    m_result.Trail.push_back(FormatDate(TodayNumber()) + " " + FormatTime(NowSeconds(m_clock)) +
                             " " + std::string(static_cast<size_t>(m_depth) * 2, ' ') + action);
    if (m_result.Trail.size() > TrailLength)
        m_result.Trail.erase(m_result.Trail.begin());
    // Each action may stop one item and start another: a short period may
    // be dropped, a short gap merged.
    m_slack += 2 * (int64_t{m_list.NoCountSeconds()} + m_list.MergeSeconds() + 1);
}

TSimulationResult TSimulation::Run(int days) {
    Rebaseline();
    while (!m_choices.Done() && m_result.Problems.empty() && TodayNumber() - m_firstDay < days) {
        Step();
        Check();
    }
    if (m_result.Problems.empty()) {
        m_failingSaves.Full = false;
        SaveAndCompare();
    }
    m_result.Days = TodayNumber() - m_firstDay;
    return m_result;
}

void TSimulation::Step() {
    const uint32_t action = Pick(100);
    if (action < 30)
        PressSome();
    else if (action < 56)
        PassTime(Chance(3) ? 1 + Pick(60) : Chance(2) ? 60 + Pick(1800) : 1800 + Pick(4 * 3600));
    else if (action < 60)
        GoAway();
    else if (action < 65)
        SleepMachine();
    else if (action < 69)
        IdleNight();
    else if (action < 72)
        TowardsMidnight();
    else if (action < 76)
        OpenEditor();
    else if (action < 78)
        NewWork();
    else if (action < 79)
        ResetOrDelete();
    else if (action < 80)
        OpenSettings();
    else if (action < 81)
        SettingsInARestPeriod();
    else if (action < 85)
        SummarySync();
    else if (action < 87)
        ToggleFailingSaves();
    else if (action < 92)
        SwitchByApplication();
    else if (action < 94)
        SaveAndCompare();
    else if (action < 96)
        SetClock();
    else if (action < 98 && m_away.OpenQuestion())
        AnswerAway();
    else
        PassTime(1 + Pick(5));
    // Between two things the user does, the bar's timers fire.
    Tick();
}

void TSimulation::PressSome() {
    const int count = m_buttons.ButtonCount();
    const int i = static_cast<int>(Pick(static_cast<uint32_t>(count) + 1));
    if (i == count) {
        if (m_buttons.ItemIndex() < 0)
            return;
        Note("release");
        Observe();
        m_buttons.ClickMainButton(m_buttons.ItemIndex());
        Observe();
        return;
    }
    Note("press " + Cp932ToUtf8(m_buttons.Buttons(i).Name));
    Observe();
    m_buttons.ClickMainButton(i);
    Observe();
}

void TSimulation::SwitchByApplication() {
    // The foreground watch rests while the rest item runs.
    if (m_buttons.Current() && m_buttons.Current()->Name == RestName())
        return;
    static const char* const exes[] = {"a.exe", "b.exe", "x.exe"};
    const std::string exe = exes[Pick(3)];
    const std::string title = Chance(2) ? "doc1" : "doc2";
    Note("application " + exe + " " + title);
    Observe();
    m_buttons.SwitchByApplication(exe, title);
    Observe();
}

int64_t TSimulation::SecondsToNextBoundary() const {
    // The bar ticks five times a second: a switch at midnight or at a rest
    // period's begin or end comes at that very second.
    const Seconds now = NowSeconds(m_clock);
    int64_t next = SecondsPerDay - now;
    for (const TRestRange& range : m_timing.RestRanges())
        for (const int minute : {range.BeginMinute, range.EndMinute})
            if (minute >= 0 && minute * 60 > now)
                next = std::min<int64_t>(next, minute * 60 - now);
    return next;
}

void TSimulation::PassTime(int64_t seconds) {
    Note("time passes " + std::to_string(seconds) + " s");
    for (int64_t left = seconds; left > 0 && m_result.Problems.empty();) {
        const int64_t step = std::min(left, SecondsToNextBoundary());
        if (m_buttons.Current() && m_buttons.Current()->Name != RestName())
            m_ran += step;
        m_clock.Advance(step);
        left -= step;
        Tick();
    }
}

void TSimulation::Tick() {
    Observe();
    const std::string before = PressedName();
    const DayNumber day = m_list.CurrentDate();
    if (m_workTimer)
        m_timing.WorkTimerTimer();
    else
        m_timing.CheckSleep();
    if (PressedName() != before || m_list.CurrentDate() != day)
        m_slack += 2 * (int64_t{m_list.NoCountSeconds()} + m_list.MergeSeconds() + 1);
    if (before == RestName() && PressedName() != RestName() && m_settings.AutoRestSwitch)
        CheckReturnFromRest();
    Observe();
    Booked(); // a month left behind is noted as it is at this moment
}

std::string TSimulation::PressedName() const {
    return m_buttons.Current() ? m_buttons.Current()->Name : std::string();
}

void TSimulation::Observe() {
    const std::string pressed = PressedName();
    if (pressed == m_seenPressed)
        return;
    if (pressed == RestName())
        m_beforeRest = m_seenPressed;
    m_seenPressed = pressed;
}

void TSimulation::SleepMachine() {
    static const int64_t ranges[][2] = {
        {61, 600}, {600, 3 * 3600}, {3 * 3600, 16 * 3600}, {SecondsPerDay, 3 * SecondsPerDay}};
    const auto& range = ranges[Pick(4)];
    const int64_t seconds = range[0] + Pick(static_cast<uint32_t>(range[1] - range[0]));
    Note("sleep " + std::to_string(seconds) + " s");
    m_clock.Sleep(seconds);
    // The first thing after the wake-up: the sleep timer, or a press.
    if (Chance(3))
        PressSome();
    else
        Tick();
}

void TSimulation::SetClock() {
    // By a time service (a second or two), by hand, or a wrong time set right.
    static const int64_t ranges[][2] = {{1, 120}, {120, 3 * 3600}, {3 * 3600, 3 * SecondsPerDay}};
    const auto& range = ranges[Pick(3)];
    const int64_t size = range[0] + Pick(static_cast<uint32_t>(range[1] - range[0]));
    const int64_t by = Chance(2) ? size : -size;
    Note("clock set by " + std::to_string(by) + " s");
    m_clockHigh = std::max(m_clockHigh, AbsoluteNow());
    m_waitedForClock = m_waitedForClock || by < 0; // the clock may be there again by the check
    const int64_t to = AbsoluteNow() + by;
    m_clock.Set(static_cast<DayNumber>(to / SecondsPerDay),
                static_cast<Seconds>(to % SecondsPerDay));
    if (Chance(3))
        PressSome();
    else
        Tick();
}

void TSimulation::IdleNight() {
    Note("idle night");
    if (m_buttons.ItemIndex() >= 0 && !Chance(4)) // sometimes left running
        m_buttons.ClickMainButton(m_buttons.ItemIndex());
    const int64_t morning = 7 * 3600 + Pick(3 * 3600);
    PassTime(SecondsPerDay - NowSeconds(m_clock) + morning);
}

void TSimulation::TowardsMidnight() {
    // Often the last of the month.
    const CivilDate today = DecodeDate(TodayNumber());
    const DayNumber nextMonth = today.Month == 12 ? EncodeDate(today.Year + 1, 1, 1)
                                                  : EncodeDate(today.Year, today.Month + 1, 1);
    const int64_t days = Chance(3) ? nextMonth - 1 - TodayNumber() : 0;
    const int64_t target = days * SecondsPerDay + 23 * 3600 + 58 * 60 + Pick(120);
    const int64_t now = NowSeconds(m_clock);
    if (target > now)
        PassTime(target - now);
}

void TSimulation::ToggleFailingSaves() {
    m_failingSaves.Full = !m_failingSaves.Full;
    Note(m_failingSaves.Full ? "the disk is full" : "the disk has room");
}

} // namespace zanpel::test
