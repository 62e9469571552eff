#include "tracking/waylandevents.h"

#include <QSocketNotifier>

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>

namespace zanpel {

TWaylandEvents::TWaylandEvents(wl_display* display, std::function<void()> onLost)
    : m_display(display), m_onLost(std::move(onLost)),
      m_notifier(
          std::make_unique<QSocketNotifier>(wl_display_get_fd(display), QSocketNotifier::Read)) {
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(),
                     [this] { Read(); });
}

TWaylandEvents::~TWaylandEvents() {
    m_notifier->setEnabled(false);
    wl_display_disconnect(m_display);
}

void TWaylandEvents::Read() {
    // The notifier says the socket has data: read it all, then act on it.
    while (wl_display_prepare_read(m_display) != 0)
        wl_display_dispatch_pending(m_display);
    // A wake-up without data (it happens) must not block the bar in read.
    pollfd ready{wl_display_get_fd(m_display), POLLIN, 0};
    if (::poll(&ready, 1, 0) <= 0) {
        wl_display_cancel_read(m_display);
        return;
    }
    if (wl_display_read_events(m_display) != 0 || wl_display_dispatch_pending(m_display) < 0) {
        Lost();
        return;
    }
    Flush();
}

void TWaylandEvents::Flush() {
    if (wl_display_flush(m_display) < 0 && errno != EAGAIN)
        Lost();
}

void TWaylandEvents::Lost() {
    if (!m_notifier->isEnabled())
        return;
    m_notifier->setEnabled(false);
    if (m_onLost)
        m_onLost();
}

} // namespace zanpel
