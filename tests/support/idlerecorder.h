// What an idle source tells, in order, with the moment it told it, for the
// tests of the sources on real sessions.
#pragma once

#include "tracking/idlesource.h"

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace zanpel::test {

class IdleRecorder {
public:
    enum class Kind { Idle, Active, Locked, Unlocked };
    struct Event {
        Kind What;
        std::chrono::milliseconds IdleFor; // of an idle event
        std::chrono::steady_clock::time_point At;
    };

    explicit IdleRecorder(IdleSource& source) {
        source.SetOnIdle([this](std::chrono::milliseconds idleFor) { Add(Kind::Idle, idleFor); });
        source.SetOnActive([this] { Add(Kind::Active); });
        source.SetOnLock([this](bool locked) { Add(locked ? Kind::Locked : Kind::Unlocked); });
    }

    const std::vector<Event>& Events() const { return m_events; }
    std::size_t Size() const { return m_events.size(); }
    const Event& Last() const { return m_events.back(); }

    // "idle 1502ms, active, locked, ..." for failure messages.
    std::string Describe() const {
        std::string text;
        for (const Event& event : m_events) {
            if (!text.empty())
                text += ", ";
            text += Word(event.What);
            if (event.What == Kind::Idle)
                text += " " + std::to_string(event.IdleFor.count()) + "ms";
        }
        return text.empty() ? "nothing" : text;
    }

    // Idle and active events take turns, beginning with an idle event.
    bool IdleAndActiveAlternate() const {
        Kind expected = Kind::Idle;
        for (const Event& event : m_events) {
            if (event.What != Kind::Idle && event.What != Kind::Active)
                continue;
            if (event.What != expected)
                return false;
            expected = expected == Kind::Idle ? Kind::Active : Kind::Idle;
        }
        return true;
    }

private:
    void Add(Kind what, std::chrono::milliseconds idleFor = {}) {
        m_events.push_back({what, idleFor, std::chrono::steady_clock::now()});
    }
    static const char* Word(Kind what) {
        switch (what) {
        case Kind::Idle:
            return "idle";
        case Kind::Active:
            return "active";
        case Kind::Locked:
            return "locked";
        case Kind::Unlocked:
            return "unlocked";
        }
        return "?";
    }

    std::vector<Event> m_events;
};

} // namespace zanpel::test
