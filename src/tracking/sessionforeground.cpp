#include "tracking/sessionforeground.h"

namespace zanpel {
namespace {

// Wayland ids of X11 windows noted at most; the oldest go first. Ids are
// never reused, so a forgotten one only costs a moment of disagreement.
constexpr size_t MaxNotedToplevels = 4096;

// The two sources' ids are apart: X11 windows even, Wayland toplevels odd.
uint64_t X11Id(uint64_t window) {
    return window * 2;
}
uint64_t WaylandId(uint64_t toplevel) {
    return toplevel * 2 + 1;
}

} // namespace

TSessionForeground::TSessionForeground(std::unique_ptr<ForegroundSource> x11,
                                       std::unique_ptr<ForegroundSource> wayland)
    : m_x11(std::move(x11)), m_wayland(std::move(wayland)) {
    m_x11->SetOnChange([this] {
        if (!m_settling)
            Update(false);
    });
    m_wayland->SetOnChange([this] {
        // One answer for both changes, not one for each.
        m_settling = true;
        m_x11->Settle();
        m_settling = false;
        Update(true);
    });
    Update(false);
}

TSessionForeground::~TSessionForeground() {
    m_x11->SetOnChange(nullptr);
    m_wayland->SetOnChange(nullptr);
}

void TSessionForeground::Settle() {
    m_x11->Settle();
    m_wayland->Settle();
    Update(false);
}

void TSessionForeground::Update(bool agreed) {
    const uint64_t x11 = m_x11->ActiveWindow();
    const uint64_t wayland = m_wayland->ActiveWindow();
    TForegroundApp app;
    uint64_t active = 0;
    if (x11 != 0) {
        if (agreed && wayland != 0 && m_x11Toplevels.insert(wayland).second &&
            m_x11Toplevels.size() > MaxNotedToplevels)
            m_x11Toplevels.erase(m_x11Toplevels.begin());
        app = m_x11->Foreground();
        active = X11Id(x11);
    } else if (wayland != 0 && !m_x11Toplevels.contains(wayland)) {
        app = m_wayland->Foreground();
        active = WaylandId(wayland);
    }
    if (app == m_app && active == m_active)
        return;
    m_app = std::move(app);
    m_active = active;
    Changed();
}

} // namespace zanpel
