// The compositor keeps the time itself: a watch is one object of the
// protocol with its time, which says "idled" once the seat had no input for
// that long and "resumed" at the next input; the bar waits on its socket and
// does nothing in between.
#include "tracking/waylandidle.h"

#include "ext-idle-notify-v1-client-protocol.h"
#include "kde-idle-client-protocol.h"
#include "tracking/waylandevents.h"

#include <wayland-client.h>

#include <cstring>

namespace zanpel {
namespace {

using std::chrono::milliseconds;

// What the compositor offers, bound: a seat, and one of the two protocols.
struct TGlobals {
    wl_seat* Seat = nullptr;
    ext_idle_notifier_v1* Notifier = nullptr;
    org_kde_kwin_idle* KdeIdle = nullptr;
};

void Release(TGlobals& globals) {
    if (globals.Seat != nullptr)
        wl_seat_destroy(globals.Seat);
    if (globals.Notifier != nullptr)
        ext_idle_notifier_v1_destroy(globals.Notifier);
    if (globals.KdeIdle != nullptr)
        org_kde_kwin_idle_destroy(globals.KdeIdle);
    globals = {};
}

class TWaylandIdle final : public IdleSource {
public:
    TWaylandIdle(wl_display* display, wl_registry* registry, const TGlobals& globals)
        : m_events(display, [this] { m_away = false; }), m_registry(registry), m_globals(globals) {}
    ~TWaylandIdle() override {
        DropWatch();
        Release(m_globals);
        wl_registry_destroy(m_registry);
    }
    TWaylandIdle(const TWaylandIdle&) = delete;
    TWaylandIdle& operator=(const TWaylandIdle&) = delete;

    bool Available() const override { return true; }
    std::string Name() const override {
        return m_globals.Notifier != nullptr ? "Wayland の ext-idle-notify-v1"
                                             : "Wayland の org_kde_kwin_idle";
    }
    void Watch(milliseconds after) override {
        m_after = after;
        // A spell under way ends at its return; the new time counts after it.
        if (m_away && after.count() > 0)
            return;
        // The compositor counts a new watch from its start: the same time
        // again keeps the watch it has.
        if (after == m_watched && (m_notification != nullptr || m_timeout != nullptr))
            return;
        m_away = false;
        Renew();
    }

private:
    void Renew();
    void DropWatch();
    static void OnIdled(void* data);
    static void OnResumed(void* data);

    static void OnExtIdled(void* data, ext_idle_notification_v1*) { OnIdled(data); }
    static void OnExtResumed(void* data, ext_idle_notification_v1*) { OnResumed(data); }
    static void OnKdeIdle(void* data, org_kde_kwin_idle_timeout*) { OnIdled(data); }
    static void OnKdeResumed(void* data, org_kde_kwin_idle_timeout*) { OnResumed(data); }
    static constexpr ext_idle_notification_v1_listener ExtListener{OnExtIdled, OnExtResumed};
    static constexpr org_kde_kwin_idle_timeout_listener KdeListener{OnKdeIdle, OnKdeResumed};

    TWaylandEvents m_events; // the connection goes last
    wl_registry* m_registry;
    TGlobals m_globals;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_timeout = nullptr;
    milliseconds m_after{0};   // asked for
    milliseconds m_watched{0}; // the time of the watch the compositor has
    bool m_away = false;
};

void TWaylandIdle::Renew() {
    DropWatch();
    m_watched = m_after;
    if (m_after.count() > 0) {
        const auto timeout = static_cast<uint32_t>(m_after.count());
        if (m_globals.Notifier != nullptr) {
            m_notification = ext_idle_notifier_v1_get_idle_notification(m_globals.Notifier, timeout,
                                                                        m_globals.Seat);
            ext_idle_notification_v1_add_listener(m_notification, &ExtListener, this);
        } else {
            m_timeout =
                org_kde_kwin_idle_get_idle_timeout(m_globals.KdeIdle, m_globals.Seat, timeout);
            org_kde_kwin_idle_timeout_add_listener(m_timeout, &KdeListener, this);
        }
    }
    m_events.Flush();
}

void TWaylandIdle::DropWatch() {
    if (m_notification != nullptr)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_timeout != nullptr)
        org_kde_kwin_idle_timeout_release(m_timeout);
    m_notification = nullptr;
    m_timeout = nullptr;
}

void TWaylandIdle::OnIdled(void* data) {
    auto* self = static_cast<TWaylandIdle*>(data);
    self->m_away = true;
    self->Idle(self->m_watched);
}

void TWaylandIdle::OnResumed(void* data) {
    auto* self = static_cast<TWaylandIdle*>(data);
    self->m_away = false;
    if (self->m_after != self->m_watched)
        self->Renew();
    self->Active();
}

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* globals = static_cast<TGlobals*>(data);
    if (globals == nullptr)
        return;
    if (globals->Seat == nullptr && std::strcmp(interface, wl_seat_interface.name) == 0)
        globals->Seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0)
        globals->Notifier = static_cast<ext_idle_notifier_v1*>(
            wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0)
        globals->KdeIdle = static_cast<org_kde_kwin_idle*>(
            wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemove};

// Keeps the better of the two protocols; false when there is no seat or
// neither protocol.
bool Choose(TGlobals& globals) {
    if (globals.Notifier != nullptr && globals.KdeIdle != nullptr) {
        org_kde_kwin_idle_destroy(globals.KdeIdle);
        globals.KdeIdle = nullptr;
    }
    return globals.Seat != nullptr && (globals.Notifier != nullptr || globals.KdeIdle != nullptr);
}

} // namespace

std::unique_ptr<IdleSource> ConnectWaylandIdle(const std::string& display) {
    wl_display* d = wl_display_connect(display.empty() ? nullptr : display.c_str());
    if (d == nullptr)
        return nullptr;
    wl_registry* registry = wl_display_get_registry(d);
    TGlobals globals;
    wl_registry_add_listener(registry, &RegistryListener, &globals);
    if (wl_display_roundtrip(d) < 0 || !Choose(globals)) {
        Release(globals);
        wl_registry_destroy(registry);
        wl_display_disconnect(d);
        return nullptr;
    }
    // Later globals are of no interest: the registry's listener data goes.
    wl_proxy_set_user_data(reinterpret_cast<wl_proxy*>(registry), nullptr);
    return std::make_unique<TWaylandIdle>(d, registry, globals);
}

} // namespace zanpel
