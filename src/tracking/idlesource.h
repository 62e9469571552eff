// How long the user has given no input, as the desktop tells it: the source
// of away spells. A source is told how long a spell of no input must last
// (Watch), says when one has lasted that long (the idle event, with how long
// it has lasted by then), and says at the first input after it (the active
// event). A locked screen is away at once: the source says when the screen
// locks and unlocks, where the desktop tells. Events come from the window
// system's or the bus's notifications on the program's event loop; no
// source polls.
#pragma once

#include <chrono>
#include <functional>
#include <string>

namespace zanpel {

class IdleSource {
public:
    virtual ~IdleSource() = default;
    // False when this session tells nothing about input (the null source).
    virtual bool Available() const = 0;
    // What tells it, for the about box (UTF-8), e.g. "X11 の MIT-SCREEN-SAVER".
    virtual std::string Name() const = 0;
    // Watches for spells of at least `after` without input; a new call
    // replaces the watch, zero ends it (no active event follows an idle
    // event then). A new time given while away counts from the return on:
    // the spell under way is not told twice. A spell that has lasted longer
    // already when the watch begins is idle at once with its whole length
    // where the platform tells the idle time (X11, GNOME); a Wayland
    // compositor counts from the watch's start. Events come from the event
    // loop, never from within this call.
    virtual void Watch(std::chrono::milliseconds after) = 0;

    void SetOnIdle(std::function<void(std::chrono::milliseconds idleFor)> onIdle) {
        m_onIdle = std::move(onIdle);
    }
    void SetOnActive(std::function<void()> onActive) { m_onActive = std::move(onActive); }
    void SetOnLock(std::function<void(bool locked)> onLock) { m_onLock = std::move(onLock); }

protected:
    // No input for idleFor (at least the watched time): the spell began
    // idleFor ago.
    void Idle(std::chrono::milliseconds idleFor) const {
        if (m_onIdle)
            m_onIdle(idleFor);
    }
    // The first input after an idle event.
    void Active() const {
        if (m_onActive)
            m_onActive();
    }
    void Locked(bool locked) const {
        if (m_onLock)
            m_onLock(locked);
    }

private:
    std::function<void(std::chrono::milliseconds)> m_onIdle;
    std::function<void()> m_onActive;
    std::function<void(bool)> m_onLock;
};

// A session that tells nothing: no away spell is ever seen.
class NullIdleSource final : public IdleSource {
public:
    bool Available() const override { return false; }
    std::string Name() const override { return {}; }
    void Watch(std::chrono::milliseconds) override {}
};

} // namespace zanpel
