// The IPC of tiling window managers of the i3 family (i3 on X11, Sway on
// Wayland): messages on a Unix socket, each "i3-ipc", the payload's length
// and the message type (32-bit, in the machine's byte order), then the
// payload, JSON in replies. The bar uses one message: run commands, which
// float the bar, keep it on every workspace and put it at its edge, since
// such a manager ignores the place a window asks for itself.
#pragma once

#include "app/rect.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

inline constexpr uint32_t I3RunCommand = 0;
// The largest reply taken; a longer one means a peer that is no i3.
inline constexpr uint32_t MaxI3Payload = 1 << 20;

std::string EncodeI3Message(uint32_t type, std::string_view payload);

struct TI3Message {
    uint32_t Type = 0;
    std::string Payload;
};

// Takes the first whole message off the front of buffer; none while it is
// incomplete. Bytes that are no message make the whole buffer go, and the
// answer is a message of type UINT32_MAX.
std::optional<TI3Message> TakeI3Message(std::string& buffer);

// Whether every command of a run-command reply succeeded.
bool I3CommandsSucceeded(std::string_view reply);

// The socket of the manager of this session: $SWAYSOCK, else $I3SOCK
// (values as read from the environment; null when unset). Empty: none.
std::string I3SocketPath(const char* swaySock, const char* i3Sock);

// The commands that float the X11 window windowId without a border, make it
// sticky, and give it the place rect (screen coordinates).
std::string BarPlacementCommand(uint64_t windowId, const TRect& rect);

// Where to ask for a bar docked at align that should cover wanted, when the
// manager makes floating windows at least minThickness thick (0: unknown):
// a thinner bar (the hidden strip) grows away from the screen, so that only
// the wanted pixels show at the edge.
TRect TilingRect(const TRect& wanted, int align, int minThickness);

} // namespace zanpel
