// An X server of the test's own: Xvfb on a display number it picks itself,
// optionally with the openbox window manager, and a connection of the test
// to it for looking at windows and making its own.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zanpel::test {

// The full path of a program found in PATH, or empty.
std::string FindProgram(const std::string& name);

class TestXServer {
public:
    // Starts Xvfb (no TCP, no reset when the last client leaves) with one
    // screen of the given size ("WIDTHxHEIGHTxDEPTH"). With authFile, only
    // clients that show its cookie get in. Display() is empty when the
    // server did not start.
    explicit TestXServer(const std::string& authFile = {},
                         const std::string& screen = "1280x1024x24");
    ~TestXServer();
    TestXServer(const TestXServer&) = delete;
    TestXServer& operator=(const TestXServer&) = delete;

    const std::string& Display() const { return m_display; }
    // The environment of a client of this server.
    std::map<std::string, std::string> ClientEnv() const;
    // Starts openbox and waits until it publishes _NET_ACTIVE_WINDOW.
    bool StartWindowManager();
    void StopWindowManager();
    bool HasWindowManager() const { return m_wm > 0; }

private:
    int m_xvfb = -1;
    int m_wm = -1;
    std::string m_display;
};

// The test's own connection to a server.
class XProbe {
public:
    explicit XProbe(const std::string& display);
    ~XProbe();
    XProbe(const XProbe&) = delete;
    XProbe& operator=(const XProbe&) = delete;

    bool Connected() const;
    // A window manager runs that names itself (_NET_SUPPORTING_WM_CHECK).
    bool WindowManagerRuns();
    // The window _NET_ACTIVE_WINDOW names, or 0.
    uint32_t ActiveWindow();
    // The windows the window manager manages (_NET_CLIENT_LIST).
    std::vector<uint32_t> ClientList();
    bool Manages(uint32_t window);
    void Map(uint32_t window);
    // _NET_WM_PID of a window, or 0.
    uint32_t WindowPid(uint32_t window);
    // A mapped window of the test process itself, with or without _NET_WM_PID.
    uint32_t CreateOwnWindow(const std::string& title, bool withPid);
    // Asks the window manager to make window active, as a pager does
    // (without waiting for it).
    void RequestActivation(uint32_t window);
    // Moves the pointer to a point of the screen, as a mouse would.
    void WarpPointer(int x, int y);
    // A window's place on the screen (root coordinates) and size.
    struct Place {
        int X = 0, Y = 0, Width = 0, Height = 0;
    };
    std::optional<Place> WindowPlace(uint32_t window);
    // Plays a window manager that publishes _NET_ACTIVE_WINDOW (without
    // managing anything), and sets that property as one would.
    void PretendWindowManager();
    void PublishActiveWindow(uint32_t window);
    // Follows the changes of _NET_ACTIVE_WINDOW; NextActiveChange waits for
    // the next one and answers when this connection received it.
    void WatchActiveWindow();
    std::optional<std::chrono::steady_clock::time_point> NextActiveChange(int timeoutMs);

private:
    uint32_t Atom(const char* name);
    struct Connection;
    std::unique_ptr<Connection> m_x;
};

// Asks the window manager to activate window with xdotool, as a user's tool
// would, until it names the window active: a focus change that races with
// another one (a new window taking the focus) may be dropped, and the tests
// want the window in front. False after a few tries.
bool ActivateWithXdotool(const std::string& display, XProbe& probe, uint32_t window);

} // namespace zanpel::test
