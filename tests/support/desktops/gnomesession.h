// A GNOME Shell session of the test's own: headless, on Wayland with
// XWayland, under its own session bus, runtime folder and home. The shell
// dies without a system bus, so a private one serves. Our extension (from
// the source tree) is installed in the home, enabled from the start or later,
// and a
// test extension lets the test bring a window to the front by its title and
// read where the shell shows its windows.
#pragma once

#include "support/process.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zanpel::test {

struct TShellWindow {
    bool Found = false;
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool Above = false;
    bool OnAllWorkspaces = false;
};

class TestGnomeShell {
public:
    // withExtension: our extension is enabled at the start (it is installed
    // either way).
    explicit TestGnomeShell(bool withExtension = true, int width = 1280, int height = 800);
    ~TestGnomeShell();
    TestGnomeShell(const TestGnomeShell&) = delete;
    TestGnomeShell& operator=(const TestGnomeShell&) = delete;

    const std::string& Error() const { return m_error; }
    bool Skip() const { return m_skip; }

    std::string NewFolder(const std::string& name) const;
    std::map<std::string, std::string> ClientEnv() const;
    std::unique_ptr<BackgroundProcess> Start(const std::vector<std::string>& argv,
                                             std::map<std::string, std::string> env = {},
                                             const std::string& output = "/dev/null") const;
    // A GTK 3 window on Wayland (zenity) with a title, once the shell shows it.
    std::unique_ptr<BackgroundProcess> StartWaylandWindow(const std::string& title) const;
    // Waits until the shell shows a window of that title.
    bool Shows(const std::string& title) const;

    // Brings the window of that title to the front; false when there is none.
    bool Activate(const std::string& title) const;
    // The window of that title or WM_CLASS.
    TShellWindow Window(const std::string& titleOrClass) const;
    void MovePointer(int x, int y) const;
    // Enables our extension while the shell runs, as gnome-extensions does.
    bool EnableExtension() const;

    // gdbus with args on the session bus: its output, empty when it failed.
    std::string Gdbus(const std::vector<std::string>& args) const;

private:
    bool Launch(bool withExtension, int width, int height);
    bool Ready() const;

    std::string m_error;
    bool m_skip = false;
    std::string m_folder;
    std::string m_runtime;
    std::string m_home;
    std::map<std::string, std::string> m_session;
    std::unique_ptr<BackgroundProcess> m_shell;
};

} // namespace zanpel::test
