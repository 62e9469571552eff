// The start and end of the tests' own Wayland clients.
#pragma once

#include <wayland-client.h>

#include <string>

namespace zanpel::test {

// Connects to the compositor at socketPath and hands its globals to
// listener (after one round trip). False when the compositor does not answer.
inline bool ConnectAndListGlobals(const std::string& socketPath,
                                  const wl_registry_listener& listener, void* data,
                                  wl_display*& display, wl_registry*& registry) {
    display = wl_display_connect(socketPath.c_str());
    if (display == nullptr)
        return false;
    registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, data);
    wl_display_roundtrip(display);
    return true;
}

inline void Disconnect(wl_display* display, wl_registry* registry) {
    if (registry != nullptr)
        wl_registry_destroy(registry);
    if (display != nullptr) {
        wl_display_flush(display);
        wl_display_disconnect(display);
    }
}

} // namespace zanpel::test
