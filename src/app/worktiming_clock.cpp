// What the timing engine does when the machine slept or its clock was set:
// the records stop where the time that really passed ends and go on from
// the new time, and no period takes time that did not pass or that was
// booked already.
#include "app/workbuttons.h"
#include "app/worktiming.h"
#include "records/clock.h"
#include "records/names.h"
#include "worklist/datalist.h"

#include <algorithm>

namespace zanpel {

bool TWorkTiming::CheckSleep() {
    const TClockJump jump = m_sleepWatch.Look();
    // Set back by less than a step, the clock is behind where it was seen
    // too: what was booked up to there is not booked again either.
    m_furthest = std::max(m_furthest, AbsoluteNow());
    if (!jump)
        return false;
    if (jump.Resumed() >= jump.Stopped())
        TakeOutGap(jump.Stopped(), jump.Resumed());
    else
        TakeOutStepBack(jump.Stopped(), jump.Resumed());
    if (jump.Sleep && OnSleep)
        OnSleep(*jump.Sleep);
    if (jump.Step && OnClockStep)
        OnClockStep(*jump.Step);
    return true;
}

void TWorkTiming::TakeOutGap(TDateTime stopped, TDateTime resumed) {
    const TMultiButton* running = m_buttons.Current();
    const std::string name = running ? running->Name : std::string();
    const DayNumber stoppedDay = WholeDays(stopped);
    const DayNumber day = WholeDays(resumed);
    // The list's day ends first, at the stop or at its own midnight; only a
    // gap within the list's day is a rest period of that day. Otherwise the
    // list moves on, and the new day's computer-on span starts now.
    m_list.CloseForSleep(stopped);
    if (stoppedDay == day && m_list.CurrentDate() == day)
        m_list.AddRestPeriod(std::max(SecondsOfDay(stopped), BookedUntil(day)),
                             SecondsOfDay(resumed));
    else
        m_list.ChangeDate(day);
    if (!name.empty())
        StartItem(day, name, false); // never joined across the gap
    // A crash in the next hours must not lose the correction.
    m_list.SaveIfAllowed();
    m_lastSave = AbsoluteNow();
    RefreshButtons();
}

void TWorkTiming::TakeOutStepBack(TDateTime stopped, TDateTime now) {
    const TMultiButton* running = m_buttons.Current();
    const std::string name = running ? running->Name : std::string();
    // What ran ends where the old clock stands, never past its day's
    // midnight; from the new time up to there, the old clock booked the
    // time already.
    m_list.CloseForSleep(stopped);
    const int64_t stoppedAt = int64_t{WholeDays(stopped)} * SecondsPerDay + SecondsOfDay(stopped);
    m_furthest = std::max(m_furthest, stoppedAt);
    const DayNumber day = WholeDays(now);
    m_list.ChangeDate(day); // back to the new time's day (and month)
    if (!name.empty())
        StartItem(day, name, false);
    m_list.SaveIfAllowed();
    m_lastSave = AbsoluteNow();
    RefreshButtons();
}

TWorkInfo* TWorkTiming::StartItem(DayNumber day, const std::string& name, bool mayMerge) {
    const Seconds booked = BookedUntil(day);
    const bool behind = booked > NowSeconds(m_clock);
    // A period joined to the one before would take that one's start along.
    TWorkInfo* rec = m_list.StartWork(day, name, mayMerge && !behind);
    const size_t first = m_list.IsLogin(rec) ? 1 : 0; // the computer-on span
    if (rec == nullptr || !behind || rec->Periods.size() <= first)
        return rec;
    // Begins empty where the booked time ends, and grows once the clock is there.
    TWorkData& period = rec->Periods.back();
    period.StartSec = period.EndSec = std::max(period.StartSec, booked);
    m_list.CalcTotal(*rec);
    return rec;
}

void TWorkTiming::GoOnAfterReset() {
    TWorkInfo* running = m_list.CurrentWork();
    if (running == nullptr || !running->Periods.empty() || running->Date != TodayNumber())
        return;
    const Seconds booked = BookedUntil(running->Date);
    if (booked > NowSeconds(m_clock)) // else the next tick starts it from now
        running->Periods.push_back(TWorkData{{}, {}, booked, booked});
}

Seconds TWorkTiming::BookingNow() {
    return std::max(NowSeconds(m_clock), BookedUntil(TodayNumber()));
}

Seconds TWorkTiming::BookedUntil(DayNumber day) {
    if (AbsoluteNow() >= m_furthest)
        return 0;
    const auto lastDay = static_cast<DayNumber>(m_furthest / SecondsPerDay);
    if (day > lastDay)
        return 0;
    // On the old clock's last day up to where it stood; a day before that
    // it passed whole. Periods that a sync added later than that on the
    // last day are not the old clock's.
    const Seconds limit =
        day == lastDay ? static_cast<Seconds>(m_furthest % SecondsPerDay) : SecondsPerDay;
    Seconds end = 0;
    for (int i = 0; i < m_list.Count(); ++i) {
        const TWorkInfo& rec = *m_list.WorkAt(i);
        if (rec.Date != day)
            continue;
        for (size_t k = m_list.IsLogin(&rec) ? 1 : 0; k < rec.Periods.size(); ++k)
            end = std::max(end, rec.Periods[k].EndSec);
    }
    // A period never starts at 24:00 (the month file cannot tell that from
    // 00:00:00): on a day booked to its end, the last second; a period begun
    // there is dropped as too short at midnight.
    return std::min({limit, end, SecondsPerDay - 1});
}

} // namespace zanpel
