// The foreground of a Wayland session that runs X11 programs through
// XWayland: two sources, each of which sees only its own windows, joined
// into one answer.
#pragma once

#include "tracking/foregroundsource.h"

#include <memory>
#include <set>

namespace zanpel {

// The X11 source names the X11 window in front, with its process; the
// Wayland source names the Wayland window in front by its app_id, but it
// lists X11 windows too (the compositor shows them as its own toplevels), by
// names that are not their programs'. So:
// - while an X11 window is in front (the bar's own included), the X11
//   source answers; when the Wayland source's change brought it there, the
//   Wayland window in front is noted as that X11 window's toplevel (an X11
//   event alone may come before the Wayland source has heard of the change,
//   while it still names the window before);
// - while none is (XWayland's active window is None), the Wayland source
//   answers, unless its window in front is a noted X11 window: then the two
//   do not agree yet, and nothing is in front until they do.
// When the Wayland source changes, the X11 source is settled first: the
// compositor tells XWayland about a change before it tells its Wayland
// clients, so that a settled X11 source agrees with the Wayland event.
class TSessionForeground final : public ForegroundSource {
public:
    TSessionForeground(std::unique_ptr<ForegroundSource> x11,
                       std::unique_ptr<ForegroundSource> wayland);
    ~TSessionForeground() override;
    TSessionForeground(const TSessionForeground&) = delete;
    TSessionForeground& operator=(const TSessionForeground&) = delete;

    bool Available() const override { return true; }
    const TForegroundApp& Foreground() const override { return m_app; }
    uint64_t ActiveWindow() const override { return m_active; }
    void Settle() override;

private:
    // agreed: the Wayland source changed and the X11 source was settled
    // after it, so that the two speak of the same moment.
    void Update(bool agreed);

    std::unique_ptr<ForegroundSource> m_x11;
    std::unique_ptr<ForegroundSource> m_wayland;
    std::set<uint64_t> m_x11Toplevels; // Wayland ids of X11 windows
    TForegroundApp m_app;
    uint64_t m_active = 0;
    bool m_settling = false; // the X11 source settles for a Wayland change
};

} // namespace zanpel
