// The platform is checked at run time: the same build runs on X11, on
// Wayland with or without GNOME Shell, and offscreen.
#include "tracking/idleopen.h"

#include "tracking/gnomeidle.h"
#include "tracking/screenlock.h"
#include "tracking/waylandidle.h"
#include "tracking/x11idle.h"

#include <cstdlib>

namespace zanpel {
namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

// The input of one source and the screen locks of the session.
class TLockingIdle final : public IdleSource {
public:
    explicit TLockingIdle(std::unique_ptr<IdleSource> input) : m_input(std::move(input)) {
        m_input->SetOnIdle([this](std::chrono::milliseconds idleFor) { Idle(idleFor); });
        m_input->SetOnActive([this] { Active(); });
        m_lock = WatchScreenLock([this](bool locked) { Locked(locked); });
    }

    bool Available() const override { return m_input->Available(); }
    std::string Name() const override { return m_input->Name(); }
    void Watch(std::chrono::milliseconds after) override { m_input->Watch(after); }

private:
    std::unique_ptr<IdleSource> m_input;
    std::unique_ptr<ScreenLockWatch> m_lock;
};

std::unique_ptr<IdleSource> OpenInput(std::string_view platform) {
    const bool onX11 = platform == "xcb";
    if (!onX11 && platform != "wayland")
        return nullptr;
    if (auto gnome = ConnectGnomeIdle())
        return gnome;
    // XWayland's server would tell the input of X11 windows alone.
    if (Set("WAYLAND_DISPLAY"))
        return ConnectWaylandIdle({});
    return onX11 ? ConnectX11Idle({}) : nullptr;
}

} // namespace

std::unique_ptr<IdleSource> OpenIdleSource(std::string_view platform) {
    std::unique_ptr<IdleSource> input = OpenInput(platform);
    if (!input)
        return std::make_unique<NullIdleSource>();
    return std::make_unique<TLockingIdle>(std::move(input));
}

} // namespace zanpel
