// The test's own Wayland client of the foreign toplevel protocol: on a
// thread of its own it notes the moment it reads the compositor's word that a
// window is activated, while the test goes on.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace zanpel::test {

class ToplevelProbe {
public:
    // socketPath: the full path of the compositor's socket.
    explicit ToplevelProbe(const std::string& socketPath);
    ~ToplevelProbe();
    ToplevelProbe(const ToplevelProbe&) = delete;
    ToplevelProbe& operator=(const ToplevelProbe&) = delete;

    bool Connected() const;
    // Waits until the window with appId has been activated; the moment the
    // event was read, or none after timeoutMs. Each activation is answered once.
    std::optional<std::chrono::steady_clock::time_point> NextActivation(const std::string& appId,
                                                                        int timeoutMs);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace zanpel::test
