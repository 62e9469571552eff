// A KDE Plasma compositor of the test's own: KWin on Wayland with a virtual
// output (no screen, no input devices), XWayland from the start, on a
// session bus of its own. The test drives it as a user's tools would:
// KWin scripts loaded over the bus activate windows and read their state.
#pragma once

#include "support/desktops/dbusbus.h"
#include "support/process.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zanpel::test {

// A window as KWin's scripts see it.
struct TKWinWindow {
    bool Found = false;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    bool KeepAbove = false;
    bool OnAllDesktops = false;
    bool Active = false;
    int Pid = 0;
};

class TestKWin {
public:
    // Starts KWin with one output of width x height and XWayland. Error()
    // says why not; Skip(): KWin is not installed.
    explicit TestKWin(int width = 1280, int height = 800);
    ~TestKWin();
    TestKWin(const TestKWin&) = delete;
    TestKWin& operator=(const TestKWin&) = delete;

    const std::string& Error() const { return m_error; }
    bool Skip() const { return m_skip; }

    // A folder of the session for the test's files.
    std::string NewFolder(const std::string& name) const;

    // The environment of a client of the session, as a Plasma session gives
    // it.
    std::map<std::string, std::string> ClientEnv() const;
    std::unique_ptr<BackgroundProcess> Start(const std::vector<std::string>& argv,
                                             std::map<std::string, std::string> env = {}) const;
    // A zenity box (GTK 3, a Wayland window of the class "zenity") with
    // title, once KWin shows it.
    std::unique_ptr<BackgroundProcess> StartZenity(const std::string& title) const;

    // Runs a script once: body is that of a JavaScript function whose
    // answer, as a text, comes back; nothing when KWin did not run it.
    std::optional<std::string> Evaluate(const std::string& body) const;
    // Activates the first window whose property ("caption",
    // "resourceClass") is value; false when there is none.
    bool Activate(const std::string& property, const std::string& value) const;
    // The first window whose property ("caption", "resourceClass") is value.
    TKWinWindow Window(const std::string& property, const std::string& value) const;
    bool ScriptLoaded(const std::string& pluginName) const;
    // What KWin wrote to its standard output and error so far.
    std::string Log() const;

private:
    bool Launch(int width, int height);
    // Loads and runs the script file under pluginName: false when KWin
    // refused it.
    bool RunScriptFile(const std::string& file, const std::string& pluginName) const;

    std::string m_error;
    bool m_skip = false;
    std::string m_folder;
    std::string m_runtime;
    std::string m_home;
    std::string m_x11Display;
    std::unique_ptr<TestDBus> m_bus;
    std::unique_ptr<BackgroundProcess> m_kwin;
    mutable int m_scripts = 0;
};

} // namespace zanpel::test
