// X11: tell the window manager through the extended window manager hints.
#include "app/bargeometry.h"
#include "app/barwindow.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace zanpel {
namespace {

// The atoms of names, asked for together: one wait for the server, not one
// per name.
template <size_t N>
std::array<xcb_atom_t, N> Atoms(xcb_connection_t* c, const char* const (&names)[N]) {
    std::array<xcb_intern_atom_cookie_t, N> cookies;
    for (size_t i = 0; i < N; ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(names[i])), names[i]);
    std::array<xcb_atom_t, N> atoms;
    for (size_t i = 0; i < N; ++i) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookies[i], nullptr);
        atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
    }
    return atoms;
}

// A client message to the root window, as the hints ask for mapped windows.
void SendToRoot(xcb_connection_t* c, xcb_window_t root, xcb_window_t window, xcb_atom_t type,
                uint32_t d0, uint32_t d1, uint32_t d2) {
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    event.data.data32[0] = d0;
    event.data.data32[1] = d1;
    event.data.data32[2] = d2;
    event.data.data32[3] = 1; // from a normal application
    xcb_send_event(c, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
}

} // namespace

void PrepareBarWindow(QWidget& window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const auto [state, desktop, sticky, above, skipTaskbar, skipPager] =
        Atoms(c, {"_NET_WM_STATE", "_NET_WM_DESKTOP", "_NET_WM_STATE_STICKY", "_NET_WM_STATE_ABOVE",
                  "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32, 1,
                        &allDesktops);
    SendToRoot(c, root, id, desktop, allDesktops, 0, 0);
    constexpr uint32_t add = 1;
    SendToRoot(c, root, id, state, add, sticky, above);
    SendToRoot(c, root, id, state, add, skipTaskbar, skipPager);
    xcb_flush(c);
}

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return QGuiApplication::platformName() == QLatin1String("xcb") && x11 ? x11->connection()
                                                                          : nullptr;
}

// Where X window id lies on the screen, in window's logical pixels; none
// when the server does not say.
std::optional<QRect> OnScreen(xcb_connection_t* c, xcb_window_t id, const QWidget& window) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_translate_coordinates_reply_t* at =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, root, 0, 0), nullptr);
    xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr);
    std::optional<QRect> placed;
    if (at && size) {
        // X counts the screen's device pixels; the bar works in the toolkit's
        // logical ones, which a scale factor (QT_SCALE_FACTOR, a desktop's
        // setting per screen) makes fewer.
        const QScreen* screen = window.screen();
        const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
        const TRect logical =
            LogicalFromDevice(TRect::FromSize(at->dst_x, at->dst_y, size->width, size->height),
                              {origin.x(), origin.y()}, window.devicePixelRatioF());
        placed = QRect(logical.Left, logical.Top, logical.Width(), logical.Height());
    }
    std::free(at);
    std::free(size);
    return placed;
}

} // namespace

QRect PlacedGeometry(const QWidget& window) {
    xcb_connection_t* c = Connection();
    if (!c || !window.isVisible())
        return window.geometry();
    return OnScreen(c, static_cast<xcb_window_t>(window.winId()), window)
        .value_or(window.geometry());
}

QRect FrameOnScreen(const QWidget& window) {
    xcb_connection_t* c = Connection();
    if (!c || !window.isVisible())
        return window.frameGeometry();
    // The window manager's frame is the window's ancestor just below the root.
    xcb_window_t frame = static_cast<xcb_window_t>(window.winId());
    for (int depth = 0; depth < 8; ++depth) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, frame), nullptr);
        const bool top = !tree || tree->parent == tree->root || tree->parent == XCB_NONE;
        if (!top)
            frame = tree->parent;
        std::free(tree);
        if (top)
            break;
    }
    return OnScreen(c, frame, window).value_or(window.frameGeometry());
}

} // namespace zanpel
