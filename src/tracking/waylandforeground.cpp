// Follows the foreground application on a wlroots compositor from events
// alone: the compositor announces every toplevel window with its app_id,
// title and state, and sends the changes, each batch closed by "done"; the
// window whose state holds "activated" is the one in front. The protocol
// names no process, so the app_id stands for the program.
#include "tracking/waylandforeground.h"

#include "tracking/waylandevents.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace zanpel {
namespace {

// The protocol version whose events the source knows.
constexpr uint32_t ProtocolVersion = 3;

// One toplevel: what the compositor said since the last "done", and what
// holds since then.
struct TToplevel {
    struct State {
        std::string AppId;
        std::string Title;
        bool Activated = false;
    };
    uint64_t Id = 0; // never reused, unlike the protocol object's id
    State Pending;
    State Current;
};

bool HasActivated(const wl_array* states) {
    const auto* begin = static_cast<const uint32_t*>(states->data);
    const auto* end = begin + states->size / sizeof(uint32_t);
    return std::find(begin, end, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != end;
}

class TWaylandForeground final : public ForegroundSource {
public:
    TWaylandForeground(wl_display* display, wl_registry* registry,
                       zwlr_foreign_toplevel_manager_v1* manager, std::string ownAppId)
        : m_events(display, [this] { Lost(); }), m_registry(registry), m_manager(manager),
          m_ownAppId(std::move(ownAppId)) {
        zwlr_foreign_toplevel_manager_v1_add_listener(m_manager, &ManagerListener, this);
        // The toplevels that exist already, and their first state.
        wl_display_roundtrip(display);
        m_events.Flush();
    }
    ~TWaylandForeground() override {
        for (auto& [handle, toplevel] : m_toplevels)
            zwlr_foreign_toplevel_handle_v1_destroy(handle);
        if (m_manager != nullptr)
            zwlr_foreign_toplevel_manager_v1_destroy(m_manager);
        wl_registry_destroy(m_registry);
    }
    TWaylandForeground(const TWaylandForeground&) = delete;
    TWaylandForeground& operator=(const TWaylandForeground&) = delete;

    bool Available() const override { return true; }
    const TForegroundApp& Foreground() const override { return m_app; }
    uint64_t ActiveWindow() const override { return m_active; }

private:
    void Lost();
    void Update();

    static void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                           zwlr_foreign_toplevel_handle_v1* handle);
    static void OnFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager);
    static TToplevel& Of(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
        return static_cast<TWaylandForeground*>(data)->m_toplevels.at(handle);
    }
    static void OnTitle(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* title) {
        Of(data, handle).Pending.Title = title ? title : "";
    }
    static void OnAppId(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* appId) {
        Of(data, handle).Pending.AppId = appId ? appId : "";
    }
    static void OnState(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
        Of(data, handle).Pending.Activated = HasActivated(states);
    }
    static void OnDone(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    static void OnClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    static void OnOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
    static void OnParent(void*, zwlr_foreign_toplevel_handle_v1*,
                         zwlr_foreign_toplevel_handle_v1*) {}

    static constexpr zwlr_foreign_toplevel_manager_v1_listener ManagerListener{OnToplevel,
                                                                               OnFinished};
    static constexpr zwlr_foreign_toplevel_handle_v1_listener HandleListener{
        OnTitle, OnAppId, OnOutput, OnOutput, OnState, OnDone, OnClosed, OnParent};

    TWaylandEvents m_events; // the connection goes last
    wl_registry* m_registry;
    zwlr_foreign_toplevel_manager_v1* m_manager;
    std::string m_ownAppId;
    std::map<zwlr_foreign_toplevel_handle_v1*, TToplevel> m_toplevels;
    uint64_t m_nextId = 1;
    // The toplevel that was activated last; 0 when none is.
    zwlr_foreign_toplevel_handle_v1* m_front = nullptr;
    TForegroundApp m_app;
    uint64_t m_active = 0;
};

void TWaylandForeground::Lost() {
    // The compositor is gone; so is every window.
    m_front = nullptr;
    Update();
}

void TWaylandForeground::OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                                    zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<TWaylandForeground*>(data);
    self->m_toplevels[handle].Id = self->m_nextId++;
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &HandleListener, self);
}

void TWaylandForeground::OnFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager) {
    // The compositor stops listing windows: the manager is gone by itself.
    auto* self = static_cast<TWaylandForeground*>(data);
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(manager));
    self->m_manager = nullptr;
}

void TWaylandForeground::OnDone(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<TWaylandForeground*>(data);
    TToplevel& toplevel = Of(data, handle);
    toplevel.Current = toplevel.Pending;
    if (toplevel.Current.Activated)
        self->m_front = handle;
    else if (self->m_front == handle)
        self->m_front = nullptr;
    self->Update();
}

void TWaylandForeground::OnClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    auto* self = static_cast<TWaylandForeground*>(data);
    self->m_toplevels.erase(handle);
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
    if (self->m_front == handle)
        self->m_front = nullptr;
    self->Update();
}

void TWaylandForeground::Update() {
    TForegroundApp app;
    uint64_t active = 0;
    if (m_front != nullptr) {
        const TToplevel& toplevel = m_toplevels.at(m_front);
        active = toplevel.Id;
        if (toplevel.Current.AppId != m_ownAppId)
            app = AppOfToplevel(toplevel.Current.AppId, toplevel.Current.Title);
    }
    if (app == m_app && active == m_active)
        return;
    m_app = std::move(app);
    m_active = active;
    Changed();
}

struct TBinding {
    zwlr_foreign_toplevel_manager_v1* Manager = nullptr;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    auto* binding = static_cast<TBinding*>(data);
    if (binding == nullptr || binding->Manager != nullptr ||
        std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0)
        return;
    binding->Manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_foreign_toplevel_manager_v1_interface,
                         std::min(version, ProtocolVersion)));
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemove};

} // namespace

std::unique_ptr<ForegroundSource> ConnectWaylandForeground(const std::string& display,
                                                           const std::string& ownAppId) {
    wl_display* d = wl_display_connect(display.empty() ? nullptr : display.c_str());
    if (d == nullptr)
        return nullptr;
    wl_registry* registry = wl_display_get_registry(d);
    TBinding binding;
    wl_registry_add_listener(registry, &RegistryListener, &binding);
    if (wl_display_roundtrip(d) < 0 || binding.Manager == nullptr) {
        if (binding.Manager != nullptr)
            zwlr_foreign_toplevel_manager_v1_destroy(binding.Manager);
        wl_registry_destroy(registry);
        wl_display_disconnect(d);
        return nullptr;
    }
    // Later globals are of no interest: the registry's listener data goes.
    wl_proxy_set_user_data(reinterpret_cast<wl_proxy*>(registry), nullptr);
    return std::make_unique<TWaylandForeground>(d, registry, binding.Manager, ownAppId);
}

} // namespace zanpel
