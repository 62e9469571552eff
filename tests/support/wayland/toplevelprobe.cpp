#include "support/wayland/toplevelprobe.h"

#include "support/process.h"
#include "support/wayland/waylandclient.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client-protocol.h"

#include <poll.h>
#include <wayland-client.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace zanpel::test {

struct ToplevelProbe::State {
    std::mutex Lock; // guards Activations between the reader and the test
    std::jthread Reader;
    struct Toplevel {
        std::string AppId;
        bool Activated = false;
    };
    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    zwlr_foreign_toplevel_manager_v1* Manager = nullptr;
    std::map<zwlr_foreign_toplevel_handle_v1*, Toplevel> Toplevels;
    // Activations read, oldest first, with the moment each was read.
    std::vector<std::pair<std::string, std::chrono::steady_clock::time_point>> Activations;
};

namespace {

using State = ToplevelProbe::State;

void OnTitle(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
void OnAppId(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* appId) {
    static_cast<State*>(data)->Toplevels[handle].AppId = appId;
}
void OnOutput(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void OnState(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
    const auto* begin = static_cast<const uint32_t*>(states->data);
    const auto* end = begin + states->size / sizeof(uint32_t);
    auto& toplevel = static_cast<State*>(data)->Toplevels[handle];
    const bool activated =
        std::find(begin, end, ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED) != end;
    if (activated && !toplevel.Activated) {
        auto* state = static_cast<State*>(data);
        const std::lock_guard lock(state->Lock);
        state->Activations.emplace_back(toplevel.AppId, std::chrono::steady_clock::now());
    }
    toplevel.Activated = activated;
}
void OnDone(void*, zwlr_foreign_toplevel_handle_v1*) {}
void OnClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
    static_cast<State*>(data)->Toplevels.erase(handle);
    zwlr_foreign_toplevel_handle_v1_destroy(handle);
}
void OnParent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

const zwlr_foreign_toplevel_handle_v1_listener HandleListener{OnTitle, OnAppId, OnOutput, OnOutput,
                                                              OnState, OnDone,  OnClosed, OnParent};

void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                zwlr_foreign_toplevel_handle_v1* handle) {
    static_cast<State*>(data)->Toplevels[handle] = {};
    zwlr_foreign_toplevel_handle_v1_add_listener(handle, &HandleListener, data);
}
void OnFinished(void*, zwlr_foreign_toplevel_manager_v1*) {}

const zwlr_foreign_toplevel_manager_v1_listener ManagerListener{OnToplevel, OnFinished};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
    auto* state = static_cast<State*>(data);
    if (state->Manager != nullptr ||
        std::strcmp(interface, zwlr_foreign_toplevel_manager_v1_interface.name) != 0)
        return;
    state->Manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(wl_registry_bind(
        registry, name, &zwlr_foreign_toplevel_manager_v1_interface, std::min(version, 3U)));
    zwlr_foreign_toplevel_manager_v1_add_listener(state->Manager, &ManagerListener, data);
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemove};

} // namespace

ToplevelProbe::ToplevelProbe(const std::string& socketPath) : m_state(std::make_unique<State>()) {
    if (!ConnectAndListGlobals(socketPath, RegistryListener, m_state.get(), m_state->Display,
                               m_state->Registry))
        return;
    wl_display_roundtrip(m_state->Display); // the windows and their state
    m_state->Activations.clear();           // the windows active before
    m_state->Reader = std::jthread([state = m_state.get()](std::stop_token stop) {
        wl_display* d = state->Display;
        while (!stop.stop_requested()) {
            while (wl_display_prepare_read(d) != 0)
                wl_display_dispatch_pending(d);
            wl_display_flush(d);
            pollfd p{wl_display_get_fd(d), POLLIN, 0};
            if (::poll(&p, 1, 20) > 0)
                wl_display_read_events(d);
            else
                wl_display_cancel_read(d);
            wl_display_dispatch_pending(d);
        }
    });
}

ToplevelProbe::~ToplevelProbe() {
    m_state->Reader = {}; // stopped and joined
    for (auto& [handle, toplevel] : m_state->Toplevels)
        zwlr_foreign_toplevel_handle_v1_destroy(handle);
    if (m_state->Manager != nullptr)
        zwlr_foreign_toplevel_manager_v1_destroy(m_state->Manager);
    Disconnect(m_state->Display, m_state->Registry);
}

bool ToplevelProbe::Connected() const {
    return m_state->Display != nullptr && m_state->Manager != nullptr;
}

std::optional<std::chrono::steady_clock::time_point>
ToplevelProbe::NextActivation(const std::string& appId, int timeoutMs) {
    std::optional<std::chrono::steady_clock::time_point> at;
    WaitFor(
        [&] {
            const std::lock_guard lock(m_state->Lock);
            auto& seen = m_state->Activations;
            const auto hit = std::find_if(seen.begin(), seen.end(),
                                          [&](const auto& a) { return a.first == appId; });
            if (hit == seen.end())
                return false;
            at = hit->second;
            seen.erase(seen.begin(), hit + 1);
            return true;
        },
        timeoutMs);
    return at;
}

} // namespace zanpel::test
