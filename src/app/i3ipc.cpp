#include "app/i3ipc.h"

#include "app/bargeometry.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace zanpel {
namespace {

constexpr std::string_view Magic = "i3-ipc";
constexpr size_t HeaderSize = Magic.size() + 8;

uint32_t Read32(std::string_view bytes, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

void Append32(std::string& out, uint32_t value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

size_t SkipBlanks(std::string_view text, size_t at) {
    while (at < text.size() &&
           (text[at] == ' ' || text[at] == '\t' || text[at] == '\r' || text[at] == '\n'))
        ++at;
    return at;
}

} // namespace

std::string EncodeI3Message(uint32_t type, std::string_view payload) {
    std::string out(Magic);
    Append32(out, static_cast<uint32_t>(payload.size()));
    Append32(out, type);
    out += payload;
    return out;
}

std::optional<TI3Message> TakeI3Message(std::string& buffer) {
    const size_t known = std::min(buffer.size(), Magic.size());
    if (std::string_view(buffer).substr(0, known) != Magic.substr(0, known)) {
        buffer.clear();
        return TI3Message{UINT32_MAX, {}};
    }
    if (buffer.size() < HeaderSize)
        return std::nullopt;
    const uint32_t length = Read32(buffer, Magic.size());
    if (length > MaxI3Payload) {
        buffer.clear();
        return TI3Message{UINT32_MAX, {}};
    }
    if (buffer.size() < HeaderSize + length)
        return std::nullopt;
    TI3Message message{Read32(buffer, Magic.size() + 4), buffer.substr(HeaderSize, length)};
    buffer.erase(0, HeaderSize + length);
    return message;
}

bool I3CommandsSucceeded(std::string_view reply) {
    // A reply is a list of {"success": true} or {"success": false, "error": ...}.
    constexpr std::string_view key = "\"success\"";
    bool any = false;
    for (size_t at = reply.find(key); at != std::string_view::npos; at = reply.find(key, at)) {
        at = SkipBlanks(reply, at + key.size());
        if (at >= reply.size() || reply[at] != ':')
            return false;
        at = SkipBlanks(reply, at + 1);
        if (reply.substr(at, 4) != "true")
            return false;
        any = true;
    }
    return any;
}

std::string I3SocketPath(const char* swaySock, const char* i3Sock) {
    if (swaySock != nullptr && swaySock[0] != '\0')
        return swaySock;
    if (i3Sock != nullptr && i3Sock[0] != '\0')
        return i3Sock;
    return {};
}

std::string BarPlacementCommand(uint64_t windowId, const TRect& rect) {
    // "id" names an X11 window in i3 and an XWayland window in Sway.
    return "[id=" + std::to_string(windowId) +
           "] floating enable, sticky enable, border none, resize set " +
           std::to_string(rect.Width()) + " px " + std::to_string(rect.Height()) +
           " px, move absolute position " + std::to_string(rect.Left) + " px " +
           std::to_string(rect.Top) + " px";
}

TRect TilingRect(const TRect& wanted, int align, int minThickness) {
    TRect rect = wanted;
    if (IsVerticalBar(align) && wanted.Width() < minThickness) {
        if (align == edLeft)
            rect.Left = wanted.Right - minThickness;
        rect.Right = rect.Left + minThickness;
    } else if ((align == edTop || align == edBottom) && wanted.Height() < minThickness) {
        if (align == edTop)
            rect.Top = wanted.Bottom - minThickness;
        rect.Bottom = rect.Top + minThickness;
    }
    return rect;
}

} // namespace zanpel
