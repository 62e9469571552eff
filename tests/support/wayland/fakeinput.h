// A mouse for a headless KWin: the test's own Wayland client of KDE's fake
// input protocol, whose pointer motions KWin takes as a device's.
#pragma once

#include <memory>
#include <string>

namespace zanpel::test {

class KWinFakeInput {
public:
    // socketPath: the compositor's socket.
    explicit KWinFakeInput(const std::string& socketPath);
    ~KWinFakeInput();
    KWinFakeInput(const KWinFakeInput&) = delete;
    KWinFakeInput& operator=(const KWinFakeInput&) = delete;

    bool Connected() const;
    // Moves the pointer by (dx, dy) and waits for the compositor to have
    // taken it.
    void MoveBy(int dx, int dy);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace zanpel::test
