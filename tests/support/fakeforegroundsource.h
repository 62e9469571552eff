// A foreground source whose window in front the test sets. Show is the event
// of a change arriving; Coming is a change that the window system has made
// but whose event is still on the way, which Settle takes at once.
#pragma once

#include "tracking/foregroundsource.h"

#include <cstdint>
#include <optional>
#include <utility>

namespace zanpel::test {

class FakeForegroundSource : public ForegroundSource {
public:
    bool Available() const override { return true; }
    const TForegroundApp& Foreground() const override { return m_app; }
    uint64_t ActiveWindow() const override { return m_window; }
    void Settle() override {
        ++Settled;
        if (m_coming) {
            const auto [window, app] = *m_coming;
            m_coming.reset();
            Show(window, app);
        }
    }
    // The event of a change arrives.
    void Show(uint64_t window, TForegroundApp app = {}) {
        m_window = window;
        m_app = std::move(app);
        Changed();
    }
    // Another application comes to the front, in the same window.
    void ShowApp(TForegroundApp app) { Show(m_window, std::move(app)); }
    // The change is made, its event still on the way.
    void Coming(uint64_t window, TForegroundApp app = {}) { m_coming = {window, std::move(app)}; }
    int Settled = 0;

private:
    uint64_t m_window = 0;
    TForegroundApp m_app;
    std::optional<std::pair<uint64_t, TForegroundApp>> m_coming;
};

} // namespace zanpel::test
