// Whether the user is away from the machine, from the idle source's events
// and the clock, and the question to ask on the return. A spell of no input
// begins at the last input (the idle event tells how long ago that was) or at
// the lock of the screen, whichever came first; it ends at the first input,
// or at the unlock while the screen was locked. A question asks about the
// item that ran when the spell began, and only when enough of its booked
// time lies in the spell outside the configured rest periods: the threshold
// for a spell of no input, a minute for a locked screen. So a sleep within
// the spell (taken out of the records already) never makes one by itself.
// While a question is open, a second spell extends it.
#pragma once

#include "app/awayspell.h"

#include <chrono>
#include <optional>
#include <vector>

namespace zanpel {

class Clock;
class TDataList;
struct TRestRange;

class TAwayWatch {
public:
    // list and rest (the timing engine's rest ranges) are looked at on every
    // return and must outlive the watch.
    TAwayWatch(const Clock& clock, TDataList& list, const std::vector<TRestRange>& rest);

    // Minutes without input after which the user counts as away; 0 or less
    // turns the watch off (a spell under way is forgotten, an open question
    // stays).
    void SetThreshold(int minutes);
    // What the idle source is to watch for (IdleSource::Watch); 0 when off.
    std::chrono::milliseconds WatchAfter() const;

    // The idle source's events. A return answers the question to show: a
    // new one, or the open one extended to the new return.
    void Idle(std::chrono::milliseconds idleFor);
    std::optional<TAwayQuestion> Active();
    std::optional<TAwayQuestion> Locked(bool locked);

    const std::optional<TAwayQuestion>& OpenQuestion() const { return m_open; }
    // The open question was answered or closed: the next spell asks anew.
    void Answered() { m_open.reset(); }

private:
    bool IsOn() const { return m_minutes > 0; }
    void AwaySince(TDateTime since);
    std::optional<TAwayQuestion> Returned();

    const Clock& m_clock;
    TDataList& m_list;
    const std::vector<TRestRange>& m_rest;
    int m_minutes = 0;
    std::optional<TDateTime> m_since; // the spell under way began then
    bool m_locked = false;
    bool m_lockedInSpell = false;
    std::optional<TAwayQuestion> m_open;
};

} // namespace zanpel
