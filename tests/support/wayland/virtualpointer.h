// A mouse for a headless compositor: the test's own Wayland client of the
// virtual pointer protocol. While it exists the seat has a pointer, which
// the compositor moves over the windows as a real mouse would.
#pragma once

#include <memory>
#include <string>

namespace zanpel::test {

class VirtualPointer {
public:
    // socketPath: the compositor's socket; width x height: its output.
    VirtualPointer(const std::string& socketPath, int width, int height);
    ~VirtualPointer();
    VirtualPointer(const VirtualPointer&) = delete;
    VirtualPointer& operator=(const VirtualPointer&) = delete;

    bool Connected() const;
    // Moves the pointer to (x, y) of the output and waits for the compositor
    // to have taken it.
    void MoveTo(int x, int y);

    struct State;

private:
    std::unique_ptr<State> m_state;
};

} // namespace zanpel::test
