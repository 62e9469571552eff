// A connection to a Wayland compositor whose events the thread's Qt event
// loop delivers: when the socket has data, the events are read and handed to
// the listeners of the connection's objects, and what the listeners asked
// for is sent.
#pragma once

#include <functional>
#include <memory>

struct wl_display;
class QSocketNotifier;

namespace zanpel {

class TWaylandEvents {
public:
    // Takes display, connected, and disconnects it at the end; onLost is
    // called once when the compositor is gone.
    TWaylandEvents(wl_display* display, std::function<void()> onLost);
    ~TWaylandEvents();
    TWaylandEvents(const TWaylandEvents&) = delete;
    TWaylandEvents& operator=(const TWaylandEvents&) = delete;

    wl_display* Display() const { return m_display; }
    // Sends the requests made outside a listener.
    void Flush();

private:
    void Read();
    void Lost();

    wl_display* m_display;
    std::function<void()> m_onLost;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace zanpel
