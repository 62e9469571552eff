#include "support/wayland/virtualpointer.h"

#include "support/wayland/waylandclient.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

#include <wayland-client.h>

#include <chrono>
#include <cstring>

namespace zanpel::test {

struct VirtualPointer::State {
    wl_display* Display = nullptr;
    wl_registry* Registry = nullptr;
    wl_seat* Seat = nullptr;
    zwlr_virtual_pointer_manager_v1* Manager = nullptr;
    zwlr_virtual_pointer_v1* Pointer = nullptr;
    int Width = 0;
    int Height = 0;
};

namespace {

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto* state = static_cast<VirtualPointer::State*>(data);
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        state->Manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
    else if (std::strcmp(interface, wl_seat_interface.name) == 0 && state->Seat == nullptr)
        state->Seat =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener RegistryListener{OnGlobal, OnGlobalRemove};

uint32_t Now() {
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

} // namespace

VirtualPointer::VirtualPointer(const std::string& socketPath, int width, int height)
    : m_state(std::make_unique<State>()) {
    m_state->Width = width;
    m_state->Height = height;
    if (!ConnectAndListGlobals(socketPath, RegistryListener, m_state.get(), m_state->Display,
                               m_state->Registry) ||
        m_state->Manager == nullptr)
        return;
    m_state->Pointer =
        zwlr_virtual_pointer_manager_v1_create_virtual_pointer(m_state->Manager, m_state->Seat);
    wl_display_roundtrip(m_state->Display);
}

VirtualPointer::~VirtualPointer() {
    if (m_state->Pointer != nullptr)
        zwlr_virtual_pointer_v1_destroy(m_state->Pointer);
    if (m_state->Manager != nullptr)
        zwlr_virtual_pointer_manager_v1_destroy(m_state->Manager);
    if (m_state->Seat != nullptr)
        wl_seat_destroy(m_state->Seat);
    Disconnect(m_state->Display, m_state->Registry);
}

bool VirtualPointer::Connected() const {
    return m_state->Pointer != nullptr;
}

void VirtualPointer::MoveTo(int x, int y) {
    if (m_state->Pointer == nullptr)
        return;
    zwlr_virtual_pointer_v1_motion_absolute(
        m_state->Pointer, Now(), static_cast<uint32_t>(x), static_cast<uint32_t>(y),
        static_cast<uint32_t>(m_state->Width), static_cast<uint32_t>(m_state->Height));
    zwlr_virtual_pointer_v1_frame(m_state->Pointer);
    wl_display_roundtrip(m_state->Display);
}

} // namespace zanpel::test
