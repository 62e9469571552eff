// What must hold after every step of the simulation.
#include "records/names.h"
#include "records/textcodec.h"
#include "simulation.h"
#include "worklist/monthformat.h"

#include <algorithm>
#include <sstream>

namespace zanpel::test {
namespace {

std::string Describe(const TWorkInfo& record) {
    std::ostringstream out;
    out << FormatDate(record.Date) << " " << Cp932ToUtf8(record.Name);
    for (const TWorkData& p : record.Periods)
        out << " [" << p.StartSec << "-" << p.EndSec << "]";
    return out.str();
}

} // namespace

void TSimulation::Problem(const std::string& text) {
    if (!m_result.Problems.empty())
        return; // the first one says most; what follows often comes of it
    m_result.Problems.push_back("step " + std::to_string(m_result.Steps) + " (" + m_lastAction +
                                ") at " + FormatDate(TodayNumber()) + " " +
                                FormatTime(NowSeconds(m_clock)) + ": " + text);
}

void TSimulation::Check() {
    CheckPeriodsInTheirDays();
    CheckNoOverlap();
    CheckSpansHoldTheirPeriods();
    CheckBarAndListAgree();
    CheckBookedTime();
}

void TSimulation::CheckPeriodsInTheirDays() {
    for (int i = 0; i < m_list.Count(); ++i) {
        const TWorkInfo& record = *m_list.WorkAt(i);
        for (const TWorkData& p : record.Periods)
            if (p.StartSec < 0 || p.EndSec < p.StartSec || p.EndSec > SecondsPerDay)
                return Problem("a period outside its day: " + Describe(record));
    }
}

void TSimulation::CheckNoOverlap() {
    std::vector<std::tuple<DayNumber, Seconds, Seconds, const TWorkInfo*>> periods;
    for (int i = 0; i < m_list.Count(); ++i) {
        const TWorkInfo& record = *m_list.WorkAt(i);
        if (m_list.IsLogin(&record))
            continue;
        for (const TWorkData& p : record.Periods)
            if (p.EndSec > p.StartSec)
                periods.emplace_back(record.Date, p.StartSec, p.EndSec, &record);
    }
    std::sort(periods.begin(), periods.end());
    for (size_t k = 1; k < periods.size(); ++k) {
        const auto& [day, start, end, record] = periods[k];
        const auto& [dayBefore, startBefore, endBefore, recordBefore] = periods[k - 1];
        if (day == dayBefore && start < endBefore)
            return Problem("two work periods overlap: " + Describe(*recordBefore) + " and " +
                           Describe(*record));
    }
}

void TSimulation::CheckSpansHoldTheirPeriods() {
    for (int i = 0; i < m_list.Count(); ++i) {
        const TWorkInfo& record = *m_list.WorkAt(i);
        const bool login = m_list.IsLogin(&record);
        if (record.Periods.size() <= (login ? 1u : 0u))
            continue;
        const TWorkInfo* day = m_list.Find(record.Date, LoginName);
        if (day == nullptr || day->Periods.empty())
            return Problem("periods on a day without a computer-on span: " + Describe(record));
        const TWorkData& span = day->Periods.front();
        for (size_t k = login ? 1 : 0; k < record.Periods.size(); ++k) {
            const TWorkData& p = record.Periods[k];
            if (p.StartSec < span.StartSec || p.EndSec > span.EndSec)
                return Problem("a period outside the computer-on span: " + Describe(record) +
                               " in " + Describe(*day));
        }
    }
}

void TSimulation::CheckBarAndListAgree() {
    const TMultiButton* pressed = m_buttons.Current();
    const TWorkInfo* running = m_list.CurrentWork();
    if (pressed == nullptr && running != nullptr)
        return Problem("no button is pressed but the list runs " + Describe(*running));
    if (pressed != nullptr && running == nullptr)
        return Problem(Cp932ToUtf8(pressed->Name) + " is pressed but nothing runs");
    if (pressed != m_buttons.Current() || m_workTimer != (pressed != nullptr))
        return Problem("the work timer does not follow the pressed button");
    // Set back over midnight by less than a step, the list waits on its day.
    const DayNumber day =
        ClockBehind() ? std::max(m_list.CurrentDate(), TodayNumber()) : TodayNumber();
    if (pressed != nullptr &&
        (running != m_list.Find(day, pressed->Name) || m_list.CurrentDate() != day))
        return Problem(Cp932ToUtf8(pressed->Name) + " is pressed but the list runs " +
                       Describe(*running));
}

void TSimulation::CheckReturnFromRest() {
    const int minute = NowSeconds(m_clock) / 60;
    for (const TRestRange& range : m_timing.RestRanges())
        if (range.Covers(minute))
            return; // not the end of a rest period
    // At the end of a rest period the item that ran before it comes back
    // (unless its button went meanwhile).
    const std::string pressed = PressedName();
    if (pressed == m_beforeRest || m_buttons.IndexOfName(m_beforeRest) < 0)
        return;
    Problem("the rest period ended and " +
            (pressed.empty() ? std::string("nothing") : Cp932ToUtf8(pressed)) +
            " runs instead of " +
            (m_beforeRest.empty() ? std::string("nothing") : Cp932ToUtf8(m_beforeRest)));
}

void TSimulation::ReadOnly(TDataList& reader) const {
    reader.NoSave = true;
    reader.KeepsLoginRecord = false;
    reader.SetDataDir(m_folder);
    reader.SetMergeSeconds(m_list.MergeSeconds());
}

int64_t TSimulation::MonthTotal(DayNumber day) const {
    CollectingErrorReporter reporter;
    TDataList month(m_clock, reporter);
    ReadOnly(month);
    if (!m_list.CopyUnsavedMonthInto(day, month))
        month.ChangeDate(day);
    int64_t total = 0;
    for (int i = 0; i < month.Count(); ++i)
        if (!month.IsLoginAt(i) && month.IsSameMonth(month.WorkAt(i)->Date))
            total += month.WorkAt(i)->Total;
    return total;
}

int64_t TSimulation::Booked() {
    const DayNumber month = FirstOfMonth(m_list.CurrentDate());
    if (month != m_listMonth) { // the list moved on: what it left is kept as it is now
        m_leftMonths[m_listMonth] = MonthTotal(m_listMonth);
        m_leftMonths.erase(month); // back on a month it left (the clock was set back)
        m_listMonth = month;
    }
    int64_t total = 0;
    for (const auto& [first, seconds] : m_leftMonths)
        total += seconds;
    for (int i = 0; i < m_list.Count(); ++i)
        if (!m_list.IsLoginAt(i))
            total += m_list.WorkAt(i)->Total;
    return total;
}

void TSimulation::Rebaseline() {
    // The user's own changes reach months the bar left too (an editor opened
    // before the month ended).
    for (auto& [month, seconds] : m_leftMonths)
        seconds = MonthTotal(month);
    m_baseline = Booked() - m_ran;
    m_slack = 0;
}

void TSimulation::CheckBookedTime() {
    // While the clock is behind where it stood before it was set back, the
    // time that passes may have been booked already: never more is booked
    // than ran, and the count starts anew when the clock is there again.
    if (ClockBehind()) {
        m_waitedForClock = true;
    } else if (m_waitedForClock) {
        m_waitedForClock = false;
        Rebaseline();
    }
    const int64_t difference = Booked() - m_baseline - m_ran;
    if (difference > m_slack || (-difference > m_slack && !m_waitedForClock))
        Problem("the seconds booked differ from those an item ran by " +
                std::to_string(difference) + " (the rules allow " + std::to_string(m_slack) + ")");
}

void TSimulation::SaveAndCompare() {
    if (m_failingSaves.Full)
        return;
    Note("save and read back");
    if (!m_list.SaveIfAllowed() || m_list.HasUnsavedRecords())
        return Problem("a save with room on the disk left records unsaved");
    CollectingErrorReporter reporter;
    TDataList read(m_clock, reporter);
    ReadOnly(read);
    read.ChangeDate(m_list.CurrentDate());
    for (int i = 0; i < m_list.Count(); ++i) {
        const TWorkInfo& live = *m_list.WorkAt(i);
        if (!IsRecordWritten(live))
            continue;
        TWorkInfo written = live;
        std::erase_if(written.Periods, [&](const TWorkData& p) {
            return !IsPeriodWritten(p, m_list.IsLogin(&live));
        });
        m_list.CalcTotal(written);
        const TWorkInfo* back = read.Find(live.Date, live.Name);
        if (back == nullptr || back->Periods != written.Periods || back->Memo != written.Memo)
            return Problem("the month read back differs: " + Describe(written) + " came back as " +
                           (back ? Describe(*back) : std::string("nothing")));
    }
    for (const auto& [month, seconds] : m_leftMonths)
        if (MonthTotal(month) != seconds)
            return Problem("the month of " + FormatDate(month) + " holds " +
                           std::to_string(MonthTotal(month)) + " s of work, not the " +
                           std::to_string(seconds) + " s it had when the bar left it");
}

} // namespace zanpel::test
