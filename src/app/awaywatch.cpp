#include "app/awaywatch.h"

#include "records/clock.h"

#include <algorithm>

namespace zanpel {
namespace {

constexpr int64_t LockedMinimumSeconds = 60;
constexpr double MillisecondsPerDay = SecondsPerDay * 1000.0;

} // namespace

TAwayWatch::TAwayWatch(const Clock& clock, TDataList& list, const std::vector<TRestRange>& rest)
    : m_clock(clock), m_list(list), m_rest(rest) {}

void TAwayWatch::SetThreshold(int minutes) {
    m_minutes = std::max(minutes, 0);
    if (!IsOn()) {
        m_since.reset();
        m_locked = m_lockedInSpell = false;
    }
}

std::chrono::milliseconds TAwayWatch::WatchAfter() const {
    return std::chrono::minutes(m_minutes);
}

void TAwayWatch::AwaySince(TDateTime since) {
    m_since = m_since ? std::min(*m_since, since) : since;
}

void TAwayWatch::Idle(std::chrono::milliseconds idleFor) {
    if (IsOn())
        AwaySince(m_clock.Now() - static_cast<double>(idleFor.count()) / MillisecondsPerDay);
}

std::optional<TAwayQuestion> TAwayWatch::Active() {
    // Input on a locked screen is the unlocking, not yet the return.
    if (!IsOn() || m_locked || !m_since)
        return std::nullopt;
    return Returned();
}

std::optional<TAwayQuestion> TAwayWatch::Locked(bool locked) {
    if (!IsOn() || locked == m_locked)
        return std::nullopt;
    m_locked = locked;
    if (locked) {
        AwaySince(m_clock.Now());
        m_lockedInSpell = true;
        return std::nullopt;
    }
    return m_since ? Returned() : std::nullopt;
}

std::optional<TAwayQuestion> TAwayWatch::Returned() {
    const TAwaySpell spell{*m_since, m_clock.Now()};
    const int64_t minimum = m_lockedInSpell ? LockedMinimumSeconds : int64_t{m_minutes} * 60;
    m_since.reset();
    m_lockedInSpell = false;
    if (m_open) {
        m_open->Spell.To = std::max(m_open->Spell.To, spell.To);
        m_open->Seconds = AwaySeconds(m_list, m_rest, m_open->Spell, m_open->Item);
        return m_open;
    }
    std::optional<TAwayQuestion> question = AskAboutSpell(m_list, m_rest, spell);
    if (!question || question->Seconds < minimum)
        return std::nullopt;
    m_open = question;
    return question;
}

} // namespace zanpel
