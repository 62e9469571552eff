// The simulation's commands in the bar's menus and windows: the record
// editor, a new work item, reset and delete, the settings dialog, and the
// monthly summary with its sync of the log-on times.
#include "records/atomicfile.h"
#include "records/textcodec.h"
#include "reports/monthsummary.h"
#include "simulation.h"
#include "tracking/eventlog.h"

namespace zanpel::test {

void TSimulation::OpenEditor() {
    const int count = m_buttons.ButtonCount();
    if (count == 0)
        return;
    const int i = static_cast<int>(Pick(static_cast<uint32_t>(count)));
    Note("record editor " + Cp932ToUtf8(m_buttons.Buttons(i).Name));
    m_buttons.ClickDetailButton(i);
    Rebaseline(); // the user's own changes of time
}

void TSimulation::NewWork() {
    if (!m_timing.PopupMenu1Popup(nullptr).NewWork)
        return;
    Note("new work");
    m_timing.N_NewWorkClick();
}

void TSimulation::ResetOrDelete() {
    const int count = m_buttons.ButtonCount();
    if (count == 0)
        return;
    TMultiButton& target = m_buttons.Buttons(static_cast<int>(Pick(static_cast<uint32_t>(count))));
    // The menu offers what its state allows.
    const TWorkTiming::MenuState state = m_timing.PopupMenu1Popup(&target);
    if (Chance(3)) {
        if (!state.Delete)
            return;
        Note("delete " + Cp932ToUtf8(target.Name));
        m_timing.N_DeleteClick();
    } else {
        if (!state.Reset)
            return;
        Note("reset " + Cp932ToUtf8(target.Name));
        m_timing.N_ResetClick();
    }
    Rebaseline();
}

void TSimulation::OpenSettings() {
    Note("settings dialog");
    m_editors.SetupActionExecute({});
    Rebaseline();
}

void TSimulation::SettingsInARestPeriod() {
    const std::vector<TRestRange>& ranges = m_timing.RestRanges();
    if (ranges.empty())
        return;
    const TRestRange& range = ranges[Pick(static_cast<uint32_t>(ranges.size()))];
    const int64_t now = NowSeconds(m_clock);
    const int64_t start = int64_t{range.BeginMinute} * 60 + Pick(120);
    PassTime((start - now + SecondsPerDay) % SecondsPerDay + 1);
    OpenSettings();
}

void TSimulation::SummarySync() {
    // A month whose unsaved rest periods the user let go keeps its file.
    DayNumber discarded = 0;
    std::string discardedFile;
    TMonthSummary* shown = nullptr;
    TMonthSummary summary(m_list, m_settings, m_clock, m_reporter,
                          [&](const std::string& question) {
                              const bool yes = !Chance(6);
                              if (yes && question == DiscardQuestion) {
                                  discarded = shown->MonthData().CurrentDate();
                                  discardedFile = ReadMonthFile(discarded);
                              }
                              return yes;
                          });
    shown = &summary;
    if (Chance(3))
        TowardsMidnight(); // late on a day, often the month's last
    const bool before = Chance(2);
    Note(before ? "summary on the month before" : "summary on the bar's month");
    summary.ShowMonth(before ? FirstOfMonth(FirstOfMonth(m_list.CurrentDate()) - 1)
                             : m_list.CurrentDate());
    DiskFullWriter writer;
    writer.Full = Chance(3);
    summary.MonthData().SetWriter(&writer);
    ++m_depth;
    MeanwhileInADialog(); // the copy grows stale meanwhile
    if (Chance(2))
        PassTime(1 + Pick(600));
    --m_depth;
    const auto readLog = [this](DayNumber firstDay) {
        TEventLog log;
        // (Never a day of one event at 00:00:00, whose span the month file
        // cannot tell from a whole day.)
        for (DayNumber day = firstDay; day < TodayNumber(); day += 1 + Pick(5))
            if (Chance(2)) {
                const Seconds first = 1 + static_cast<Seconds>(Pick(12 * 3600));
                log.AddTime({day, first, first + static_cast<Seconds>(Pick(12 * 3600)), {}});
            }
        const Seconds now = NowSeconds(m_clock);
        log.AddTime({TodayNumber(), now, now, {}});
        return log;
    };
    Note("sync");
    summary.Sync(readLog,
                 [this](const TDataList& corrected) { m_timing.ReplaceWorkList(corrected); });
    if (Chance(2)) {
        Note("month before in the summary");
        if (summary.PreviousMonth()) {
            writer.Full = Chance(4);
            Note("sync");
            summary.Sync(readLog, [this](const TDataList& corrected) {
                m_timing.ReplaceWorkList(corrected);
            });
        }
    }
    summary.MayClose();
    if (discarded != 0 && !m_list.IsSameMonth(discarded) && !m_list.HoldsUnsavedMonth(discarded) &&
        ReadMonthFile(discarded) != discardedFile)
        Problem("the rest periods let go were saved after all: " + FormatDate(discarded));
}

std::string TSimulation::ReadMonthFile(DayNumber day) const {
    std::string contents;
    std::string error;
    ReadWholeFile(m_folder + "/" + TDataList::MonthFileName(day), contents, error);
    return contents;
}

} // namespace zanpel::test
