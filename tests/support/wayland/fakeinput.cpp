#include "support/wayland/fakeinput.h"

#include "kde-fake-input-client-protocol.h"
#include "support/wayland/waylandclient.h"

#include <wayland-client.h>

#include <cstring>

namespace zanpel::test {

struct KWinFakeInput::State {
    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    org_kde_kwin_fake_input* Input = nullptr;
};

namespace {

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* state = static_cast<KWinFakeInput::State*>(data);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0)
        state->Input = static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 1));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemove};

} // namespace

KWinFakeInput::KWinFakeInput(const std::string& socketPath) : m_state(std::make_unique<State>()) {
    if (!ConnectAndListGlobals(socketPath, RegistryListener, m_state.get(), m_state->Display,
                               m_state->Registry) ||
        m_state->Input == nullptr)
        return;
    // KWin 5.27 grants every client that asks.
    org_kde_kwin_fake_input_authenticate(m_state->Input, "zanpel tests", "input of the tests");
    wl_display_roundtrip(m_state->Display);
}

KWinFakeInput::~KWinFakeInput() {
    if (m_state->Input != nullptr)
        wl_proxy_destroy(reinterpret_cast<wl_proxy*>(m_state->Input));
    Disconnect(m_state->Display, m_state->Registry);
}

bool KWinFakeInput::Connected() const {
    return m_state->Input != nullptr;
}

void KWinFakeInput::MoveBy(int dx, int dy) {
    if (m_state->Input == nullptr)
        return;
    org_kde_kwin_fake_input_pointer_motion(m_state->Input, wl_fixed_from_int(dx),
                                           wl_fixed_from_int(dy));
    wl_display_roundtrip(m_state->Display);
}

} // namespace zanpel::test
