// Follows the foreground application on an X server from events alone: the
// answer is ready whenever the bar asks, without a round trip.
//
// With a window manager that publishes _NET_ACTIVE_WINDOW, a change of that
// root property names the new active window. Without one, the input focus
// is followed: focus changes on the top-level windows (and new windows
// appearing) make the source ask the server where the focus is. The title
// of the window in front is watched through its property changes. The
// process behind a window comes from _NET_WM_PID, or else from the X-Resource
// extension; the program's own windows name no program.
#include "tracking/x11foreground.h"

#include "tracking/processname.h"
#include "tracking/x11windows.h"

#include <QSocketNotifier>

#include <unistd.h>

#include <cstdlib>

namespace zanpel {
namespace {

using namespace x11;

// What an event asks to look at again, from the widest to the narrowest.
constexpr unsigned DirtyMode = 1;
constexpr unsigned DirtyActive = 2;
constexpr unsigned DirtyTitle = 4;
// Rounds of queries and the events they bring, in one turn of the event loop.
constexpr int MaxRounds = 8;

std::string HostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return {};
    return name;
}

class TX11Foreground final : public ForegroundSource {
public:
    TX11Foreground(xcb_connection_t* c, xcb_window_t root)
        : m_c(c), m_root(root), m_atoms(InternAtoms(c)), m_hostName(HostName()),
          m_ownPid(static_cast<uint32_t>(::getpid())), m_clientIds(HasLocalClientIds(c)),
          m_notifier(xcb_get_file_descriptor(c), QSocketNotifier::Read) {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, &m_notifier,
                         [this] { ReadEvents(); });
        Pump(DirtyMode);
    }
    ~TX11Foreground() override {
        m_notifier.setEnabled(false);
        xcb_disconnect(m_c);
    }
    TX11Foreground(const TX11Foreground&) = delete;
    TX11Foreground& operator=(const TX11Foreground&) = delete;

    bool Available() const override { return true; }
    const TForegroundApp& Foreground() const override { return m_app; }
    uint64_t ActiveWindow() const override { return m_active; }
    void Settle() override { Pump(DirtyActive); }

private:
    void ReadEvents();
    void Pump(unsigned dirty);
    unsigned Handle(const xcb_generic_event_t& event);
    unsigned HandleProperty(const xcb_property_notify_event_t& event) const;
    void Refresh(unsigned dirty);
    void UpdateMode();
    void Watch(xcb_window_t window, bool active);
    uint32_t RootMask() const;
    std::string ExeNameOfWindow(xcb_window_t window);

    xcb_connection_t* m_c;
    xcb_window_t m_root;
    TAtoms m_atoms;
    std::string m_hostName;
    uint32_t m_ownPid;
    bool m_clientIds;
    bool m_published = false; // a window manager publishes _NET_ACTIVE_WINDOW
    bool m_modeKnown = false;
    xcb_window_t m_wmCheck = XCB_NONE;
    xcb_window_t m_active = XCB_NONE;
    std::string m_activeExe;
    TForegroundApp m_app;
    QSocketNotifier m_notifier;
};

void TX11Foreground::ReadEvents() {
    unsigned dirty = 0;
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_c)) {
        dirty |= Handle(*event);
        std::free(event);
    }
    Pump(dirty);
    if (xcb_connection_has_error(m_c) && m_notifier.isEnabled()) {
        // The server is gone; so is every window.
        m_notifier.setEnabled(false);
        m_app = {};
        m_active = XCB_NONE;
        Changed();
    }
}

// Looks again at what the events asked for, once for all of them. Every
// query, and sending what is left, may read further events off the socket
// into the connection's queue, where the notifier no longer sees them: they
// are taken here until none is left. A window that changes its title without
// pause gets a few rounds; the rest waits for the next turn of the event
// loop, so that the bar never starves.
void TX11Foreground::Pump(unsigned dirty) {
    for (int round = 0; !xcb_connection_has_error(m_c); ++round) {
        if (round == MaxRounds) {
            QMetaObject::invokeMethod(
                &m_notifier, [this, dirty] { Pump(dirty); }, Qt::QueuedConnection);
            return;
        }
        if (dirty != 0)
            Refresh(dirty);
        xcb_flush(m_c);
        dirty = 0;
        bool took = false;
        while (xcb_generic_event_t* event = xcb_poll_for_queued_event(m_c)) {
            took = true;
            dirty |= Handle(*event);
            std::free(event);
        }
        if (!took)
            return;
    }
}

unsigned TX11Foreground::Handle(const xcb_generic_event_t& event) {
    switch (event.response_type & 0x7F) {
    case XCB_PROPERTY_NOTIFY:
        return HandleProperty(reinterpret_cast<const xcb_property_notify_event_t&>(event));
    case XCB_DESTROY_NOTIFY: {
        const auto& destroyed = reinterpret_cast<const xcb_destroy_notify_event_t&>(event);
        if (destroyed.window == m_wmCheck)
            return DirtyMode; // the window manager ended
        return m_published ? 0U : DirtyActive;
    }
    case XCB_CREATE_NOTIFY:
        if (!m_published) // a new top-level window: follow its focus too
            Watch(reinterpret_cast<const xcb_create_notify_event_t&>(event).window, false);
        return m_published ? 0U : DirtyActive;
    case XCB_FOCUS_IN:
    case XCB_FOCUS_OUT:
    case XCB_MAP_NOTIFY:
    case XCB_UNMAP_NOTIFY:
        return m_published ? 0U : DirtyActive;
    default:
        return 0; // errors about windows that went away, and the rest
    }
}

unsigned TX11Foreground::HandleProperty(const xcb_property_notify_event_t& event) const {
    if (event.window == m_root) {
        if (event.atom == m_atoms.NetSupportingWmCheck || event.atom == m_atoms.NetSupported)
            return DirtyMode;
        return event.atom == m_atoms.NetActiveWindow && m_published ? DirtyActive : 0U;
    }
    if (event.window == m_active &&
        (event.atom == m_atoms.NetWmName || event.atom == XCB_ATOM_WM_NAME))
        return DirtyTitle;
    return 0;
}

void TX11Foreground::Refresh(unsigned dirty) {
    const xcb_window_t before = m_active;
    const TForegroundApp app = m_app;
    if (dirty & DirtyMode) {
        UpdateMode();
        dirty |= DirtyActive;
    }
    if (dirty & DirtyActive) {
        const xcb_window_t window = m_published ? x11::ActiveWindow(m_c, m_atoms, m_root)
                                                : FocusedClient(m_c, m_atoms, m_root);
        if (window != m_active) {
            Watch(m_active, false);
            // Watched before the title is read, so that no change slips by.
            Watch(window, true);
            m_active = window;
            m_activeExe = window == XCB_NONE ? std::string() : ExeNameOfWindow(window);
            dirty |= DirtyTitle;
        }
    }
    if (dirty & DirtyTitle) {
        m_app.ExeName = m_activeExe;
        m_app.Title = m_activeExe.empty() ? std::string() : WindowTitle(m_c, m_atoms, m_active);
    }
    if (m_active != before || m_app != app)
        Changed();
}

void TX11Foreground::UpdateMode() {
    const bool published = ActiveWindowPublished(m_c, m_atoms, m_root, m_wmCheck);
    if (m_wmCheck != XCB_NONE)
        SelectEvents(m_c, m_wmCheck, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    if (m_modeKnown && published == m_published)
        return;
    const bool changed = m_modeKnown;
    m_modeKnown = true;
    m_published = published;
    SelectEvents(m_c, m_root, RootMask());
    // Focus changes are followed on every top-level window, or on none.
    if (changed || !m_published)
        for (const xcb_window_t window : Children(m_c, m_root))
            Watch(window, window == m_active);
}

uint32_t TX11Foreground::RootMask() const {
    if (m_published)
        return XCB_EVENT_MASK_PROPERTY_CHANGE;
    return XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
           XCB_EVENT_MASK_FOCUS_CHANGE;
}

// Selects what this source needs of a window: its title while it is in
// front, and its focus changes while the input focus is followed.
void TX11Foreground::Watch(xcb_window_t window, bool active) {
    if (window == XCB_NONE || window == m_root || window == m_wmCheck)
        return;
    const uint32_t mask = (active ? XCB_EVENT_MASK_PROPERTY_CHANGE : 0) |
                          (m_published ? 0 : XCB_EVENT_MASK_FOCUS_CHANGE);
    SelectEvents(m_c, window, mask);
}

std::string TX11Foreground::ExeNameOfWindow(xcb_window_t window) {
    uint32_t pid = DeclaredPid(m_c, m_atoms, window, m_hostName);
    if (pid == 0 && m_clientIds)
        pid = ClientPid(m_c, window);
    return ExeNameOfProcess(pid, m_ownPid);
}

} // namespace

std::unique_ptr<ForegroundSource> ConnectX11Foreground(const std::string& display) {
    int screen = 0;
    xcb_connection_t* c = xcb_connect(display.empty() ? nullptr : display.c_str(), &screen);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return nullptr;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && it.rem > 0; ++i)
        xcb_screen_next(&it);
    if (it.rem == 0) {
        xcb_disconnect(c);
        return nullptr;
    }
    return std::make_unique<TX11Foreground>(c, it.data->root);
}

} // namespace zanpel
