// A Wayland session of the test's own: Sway from the distribution, headless
// (no screen, no input devices, drawing in memory), with XWayland running
// from the start. Sway refuses to run as root, so when the tests do (CI),
// the compositor, its clients and the bar run as the unprivileged user
// "nobody"; the test itself stays root and talks to Sway's IPC socket, and
// XWayland lets root in because that user says so.
#pragma once

#include "support/process.h"
#include "support/x11/wmtree.h"

#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zanpel::test {

class TestSway {
public:
    // Starts Sway with one output of width x height, with XWayland or
    // without. Error() says why not.
    explicit TestSway(bool xwayland = true, int width = 1280, int height = 720);
    ~TestSway();
    TestSway(const TestSway&) = delete;
    TestSway& operator=(const TestSway&) = delete;

    // Why the session could not start; empty when it runs. Skip: it cannot
    // run on this machine at all (no sway, no unprivileged user).
    const std::string& Error() const { return m_error; }
    bool Skip() const { return m_skip; }

    const std::string& WaylandDisplay() const { return m_waylandDisplay; }
    const std::string& X11Display() const { return m_x11Display; }
    const std::string& IpcSocket() const { return m_ipcSocket; }
    // The session's runtime folder, owned by the session's user.
    const std::string& RuntimeFolder() const { return m_runtime; }
    // A folder of the session's user for the test's files.
    std::string NewFolder(const std::string& name) const;
    // Makes path (and what it holds) the session's user's.
    void GiveToUser(const std::string& path) const;

    // The environment of a client of the session, as Sway gives it.
    std::map<std::string, std::string> ClientEnv() const;
    // path, or a copy of it that the session's user may run (a build folder
    // may be closed to others).
    std::string Runnable(const std::string& path) const;
    // argv as a program of the session's user.
    std::vector<std::string> AsUser(std::vector<std::string> argv) const;
    std::unique_ptr<BackgroundProcess> Start(const std::vector<std::string>& argv,
                                             std::map<std::string, std::string> env = {}) const;
    // A foot terminal with an app_id and a title that runs command, once
    // Sway shows its window.
    std::unique_ptr<BackgroundProcess> StartFoot(const std::string& appId, const std::string& title,
                                                 const std::string& command = "sleep 1000") const;

    // swaymsg with args: its output, or empty when it failed.
    std::string Message(const std::vector<std::string>& args) const;
    std::string Tree() const { return Message({"-t", "get_tree"}); }

private:
    bool Launch(bool xwayland, int width, int height);

    std::string m_error;
    bool m_skip = false;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    std::string m_folder;
    std::string m_runtime;
    std::string m_waylandDisplay;
    std::string m_x11Display;
    std::string m_ipcSocket;
    std::unique_ptr<BackgroundProcess> m_sway;
};

} // namespace zanpel::test
