#include "tracking/deferredidle.h"

#include <utility>

namespace zanpel {

TDeferredIdleSource::TDeferredIdleSource(Opener open) : m_open(std::move(open)) {}

void TDeferredIdleSource::Open() const {
    if (m_source)
        return;
    if (m_open)
        m_source = std::exchange(m_open, nullptr)();
    if (!m_source)
        m_source = std::make_unique<NullIdleSource>();
    // The handlers are this source's: whatever the bar set before or sets
    // later is called through them.
    m_source->SetOnIdle([this](std::chrono::milliseconds idleFor) { Idle(idleFor); });
    m_source->SetOnActive([this] { Active(); });
    m_source->SetOnLock([this](bool locked) { Locked(locked); });
    if (m_watch)
        m_source->Watch(*std::exchange(m_watch, std::nullopt));
}

bool TDeferredIdleSource::Available() const {
    Open();
    return m_source->Available();
}

std::string TDeferredIdleSource::Name() const {
    Open();
    return m_source->Name();
}

void TDeferredIdleSource::Watch(std::chrono::milliseconds after) {
    if (m_source)
        m_source->Watch(after);
    else
        m_watch = after;
}

} // namespace zanpel
