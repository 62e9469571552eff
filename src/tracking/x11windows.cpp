#include "tracking/x11windows.h"

#include "tracking/processname.h"
#include "tracking/windowtitle.h"

#include <sys/socket.h>
#include <xcb/res.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>

namespace zanpel::x11 {
namespace {

// xcb replies and errors are malloc'ed.
struct FreeReply {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// A title of up to 255 CP932 bytes may take four times as many in UTF-8.
constexpr uint32_t MaxPropertyWords = 1024;
// Deeper window trees than this are not searched for the focused client.
constexpr int MaxTreeDepth = 64;

xcb_window_t WindowProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom) {
    const std::optional<TProperty> p = TakeProperty(c, AskProperty(c, window, atom));
    return p && p->Type == XCB_ATOM_WINDOW ? p->First32() : XCB_NONE;
}

bool HasProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom) {
    return TakeProperty(c, AskProperty(c, window, atom)).has_value();
}

// The parent of window (XCB_NONE for the root or a window that is gone).
xcb_window_t Parent(xcb_connection_t* c, xcb_window_t window) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), &error));
    std::free(error);
    return tree ? tree->parent : XCB_NONE;
}

bool Contains(const TProperty& list, xcb_atom_t atom) {
    if (list.Format != 32)
        return false;
    for (size_t i = 0; i + 4 <= list.Bytes.size(); i += 4) {
        uint32_t item = 0;
        std::memcpy(&item, list.Bytes.data() + i, 4);
        if (item == atom)
            return true;
    }
    return false;
}

std::string TitleOf(const TProperty& p, const TAtoms& atoms) {
    if (p.Format != 8)
        return {};
    if (p.Type == atoms.Utf8String)
        return WindowTitleText(TTitleEncoding::Utf8, p.Bytes);
    if (p.Type == atoms.CompoundText)
        return WindowTitleText(TTitleEncoding::CompoundText, p.Bytes);
    return WindowTitleText(TTitleEncoding::Latin1, p.Bytes);
}

} // namespace

TAtoms InternAtoms(xcb_connection_t* c) {
    const char* names[] = {"_NET_ACTIVE_WINDOW", "_NET_SUPPORTED", "_NET_SUPPORTING_WM_CHECK",
                           "_NET_WM_NAME",       "_NET_WM_PID",    "UTF8_STRING",
                           "COMPOUND_TEXT",      "WM_STATE"};
    constexpr size_t count = std::size(names);
    xcb_intern_atom_cookie_t cookies[count];
    for (size_t i = 0; i < count; ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(names[i])), names[i]);
    xcb_atom_t atoms[count];
    for (size_t i = 0; i < count; ++i) {
        Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : XCB_NONE;
    }
    return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6], atoms[7]};
}

uint32_t TProperty::First32() const {
    uint32_t value = 0;
    if (Format == 32 && Bytes.size() >= 4)
        std::memcpy(&value, Bytes.data(), 4);
    return value;
}

xcb_get_property_cookie_t AskProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom) {
    return xcb_get_property(c, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, MaxPropertyWords);
}

std::optional<TProperty> TakeProperty(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, &error));
    std::free(error);
    if (!reply || reply->type == XCB_NONE)
        return std::nullopt;
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    return TProperty{reply->type, reply->format,
                     std::string(data, static_cast<size_t>(std::max(length, 0)))};
}

void SelectEvents(xcb_connection_t* c, xcb_window_t window, uint32_t mask) {
    xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &mask);
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t window) {
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    if (!tree)
        return {};
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    return {children, children + xcb_query_tree_children_length(tree.get())};
}

bool ActiveWindowPublished(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t root,
                           xcb_window_t& checkWindow) {
    checkWindow = WindowProperty(c, root, atoms.NetSupportingWmCheck);
    // The check window names itself while its window manager lives.
    if (checkWindow != XCB_NONE &&
        WindowProperty(c, checkWindow, atoms.NetSupportingWmCheck) != checkWindow)
        checkWindow = XCB_NONE;
    if (checkWindow == XCB_NONE)
        return false;
    const std::optional<TProperty> supported =
        TakeProperty(c, AskProperty(c, root, atoms.NetSupported));
    return supported && Contains(*supported, atoms.NetActiveWindow);
}

xcb_window_t ActiveWindow(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t root) {
    return WindowProperty(c, root, atoms.NetActiveWindow);
}

xcb_window_t FocusedClient(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t root) {
    Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    xcb_window_t window = focus ? focus->focus : XCB_NONE;
    if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == root)
        return XCB_NONE;
    for (int depth = 0; depth < MaxTreeDepth; ++depth) {
        if (HasProperty(c, window, atoms.WmState))
            return window;
        const xcb_window_t parent = Parent(c, window);
        if (parent == XCB_NONE)
            return XCB_NONE;
        if (parent == root)
            return window;
        window = parent;
    }
    return XCB_NONE;
}

uint32_t DeclaredPid(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t window,
                     const std::string& hostName) {
    const auto pidCookie = AskProperty(c, window, atoms.NetWmPid);
    const auto machineCookie = AskProperty(c, window, XCB_ATOM_WM_CLIENT_MACHINE);
    const std::optional<TProperty> pid = TakeProperty(c, pidCookie);
    const std::optional<TProperty> machine = TakeProperty(c, machineCookie);
    // A process id is only meaningful on the machine the client runs on.
    if (!pid || pid->Type != XCB_ATOM_CARDINAL ||
        (machine && machine->Format == 8 && !SameMachine(machine->Bytes, hostName)))
        return 0;
    return pid->First32();
}

bool HasLocalClientIds(xcb_connection_t* c) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (::getsockname(xcb_get_file_descriptor(c), generic, &length) != 0 ||
        address.ss_family != AF_UNIX)
        return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_res_id);
    if (extension == nullptr || !extension->present)
        return false;
    Reply<xcb_res_query_version_reply_t> version(
        xcb_res_query_version_reply(c, xcb_res_query_version(c, 1, 2), nullptr));
    return version && (version->server_major > 1 ||
                       (version->server_major == 1 && version->server_minor >= 2));
}

uint32_t ClientPid(xcb_connection_t* c, xcb_window_t window) {
    xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_res_query_client_ids_reply_t> reply(
        xcb_res_query_client_ids_reply(c, xcb_res_query_client_ids(c, 1, &spec), &error));
    std::free(error);
    if (!reply)
        return 0;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.get()); it.rem > 0;
         xcb_res_client_id_value_next(&it)) {
        if ((it.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) != 0 &&
            xcb_res_client_id_value_value_length(it.data) >= 1)
            return *xcb_res_client_id_value_value(it.data);
    }
    return 0;
}

std::string WindowTitle(xcb_connection_t* c, const TAtoms& atoms, xcb_window_t window) {
    const auto netCookie = AskProperty(c, window, atoms.NetWmName);
    const auto legacyCookie = AskProperty(c, window, XCB_ATOM_WM_NAME);
    const std::optional<TProperty> net = TakeProperty(c, netCookie);
    const std::optional<TProperty> legacy = TakeProperty(c, legacyCookie);
    if (net && net->Type == atoms.Utf8String)
        return TitleOf(*net, atoms);
    return legacy ? TitleOf(*legacy, atoms) : std::string();
}

} // namespace zanpel::x11
