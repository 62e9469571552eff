#include "support/desktops/kwinsession.h"

#include "support/desktops/sessionenv.h"
#include "support/testsupport.h"
#include "support/x11/xserver.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace zanpel::test {
namespace {

// text as a JavaScript string literal.
std::string JsString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        if (c == '\n')
            quoted += "\\n";
        else
            quoted += c;
    }
    return quoted + "\"";
}

// What KWin starts once it runs: the session's variables, for the test.
std::string StartScript(const std::string& envFile) {
    return "#!/bin/sh\nenv > " + envFile + ".new && mv " + envFile + ".new " + envFile + "\n";
}

// The number that loadScript answers ("(3,)"), or -1.
int ScriptId(const std::string& answer) {
    if (answer.size() < 3 || answer[0] != '(')
        return -1;
    return std::atoi(answer.c_str() + 1);
}

// A script that prints "NAME ANSWER" on one line of KWin's log, ANSWER
// being what the function of body answered, or the error it threw.
std::string EvaluationScript(const std::string& name, const std::string& body) {
    return "(function () {\n"
           "    var answer;\n"
           "    try {\n"
           "        answer = String((function () {\n" +
           body +
           "\n        })());\n"
           "    } catch (error) {\n"
           "        answer = \"error \" + error;\n"
           "    }\n"
           "    print(" +
           JsString(name + " ") +
           " + answer.replace(/\\n/g, \" \"));\n"
           "})();\n";
}

// The rest of the line that begins with marker in log, once the line is
// complete.
std::optional<std::string> LineAfter(const std::string& log, const std::string& marker) {
    const size_t at = log.find(marker);
    const size_t end = at == std::string::npos ? at : log.find('\n', at);
    if (end == std::string::npos)
        return std::nullopt;
    return log.substr(at + marker.size(), end - at - marker.size());
}

} // namespace

TestKWin::TestKWin(int width, int height) {
    if (FindProgram("kwin_wayland").empty()) {
        m_skip = true;
        m_error = "kwin_wayland is not installed (scripts/setup installs it)";
        return;
    }
    if (!Launch(width, height) && m_error.empty())
        m_error = "KWin did not start; its log:\n" + Log();
}

bool TestKWin::Launch(int width, int height) {
    char folder[] = "/tmp/zanpel-kwin-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return false;
    m_folder = folder;
    m_runtime = NewFolder("run");
    m_home = NewFolder("home");
    m_bus = std::make_unique<TestDBus>(m_runtime + "/bus");
    if (!m_bus->Error().empty()) {
        m_error = m_bus->Error();
        return false;
    }
    // The distribution's program carries a file capability, which a
    // process without it may not run: a plain copy runs.
    const std::string kwin = m_folder + "/kwin_wayland";
    std::filesystem::copy_file(FindProgram("kwin_wayland"), kwin);
    const std::string envFile = m_folder + "/session.env";
    const std::string start = m_folder + "/start";
    WriteFile(start, StartScript(envFile));
    ::chmod(start.c_str(), 0700);

    std::map<std::string, std::string> env = {
        {"HOME", m_home},
        {"XDG_RUNTIME_DIR", m_runtime},
        {"DBUS_SESSION_BUS_ADDRESS", m_bus->Address()},
        {"WAYLAND_DISPLAY", ""},
        {"DISPLAY", ""},
        {"QT_QPA_PLATFORM", ""},
    };
    m_kwin = std::make_unique<BackgroundProcess>(
        std::vector<std::string>{kwin, "--virtual", "--xwayland", "--width", std::to_string(width),
                                 "--height", std::to_string(height), "--socket", "wayland-0",
                                 start},
        env, m_folder + "/kwin.log");
    m_x11Display = ValueOf(WaitForSessionEnv(envFile, 20000), "DISPLAY");
    if (m_x11Display.empty())
        return false;
    const auto kwinOnBus = [&] {
        return m_bus->Call("org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus.NameHasOwner", {"org.kde.KWin"}) == "(true,)\n";
    };
    if (!WaitFor(kwinOnBus, 10000)) {
        m_error = "KWin did not come onto its session bus; its log:\n" + Log();
        return false;
    }
    return true;
}

TestKWin::~TestKWin() {
    if (m_kwin) {
        m_kwin->Signal(SIGTERM);
        if (m_kwin->Wait(5000) < 0)
            m_kwin.reset(); // killed
    }
    m_bus.reset();
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder);
}

std::string TestKWin::NewFolder(const std::string& name) const {
    const std::string path = m_folder + "/" + name;
    std::filesystem::create_directories(path);
    ::chmod(path.c_str(), 0700);
    return path;
}

std::map<std::string, std::string> TestKWin::ClientEnv() const {
    return {{"XDG_RUNTIME_DIR", m_runtime},
            {"WAYLAND_DISPLAY", "wayland-0"},
            {"DISPLAY", m_x11Display},
            {"XAUTHORITY", ""},
            {"DBUS_SESSION_BUS_ADDRESS", m_bus->Address()},
            {"HOME", m_home},
            {"XDG_STATE_HOME", ""}, // the state folder under the session's own home
            {"XDG_SESSION_TYPE", "wayland"},
            {"XDG_CURRENT_DESKTOP", "KDE"},
            {"QT_QPA_PLATFORM", ""}};
}

std::unique_ptr<BackgroundProcess> TestKWin::Start(const std::vector<std::string>& argv,
                                                   std::map<std::string, std::string> env) const {
    std::map<std::string, std::string> all = ClientEnv();
    for (auto& [name, value] : env)
        all[name] = value;
    return std::make_unique<BackgroundProcess>(argv, all, "/dev/null");
}

std::unique_ptr<BackgroundProcess> TestKWin::StartZenity(const std::string& title) const {
    auto zenity = Start({FindProgram("zenity"), "--info", "--title", title, "--text", title},
                        {{"GDK_BACKEND", "wayland"}, {"NO_AT_BRIDGE", "1"}});
    WaitFor([&] { return Window("caption", title).Found; }, 15000);
    return zenity;
}

bool TestKWin::RunScriptFile(const std::string& file, const std::string& pluginName) const {
    const int id = ScriptId(m_bus->Call("org.kde.KWin", "/Scripting",
                                        "org.kde.kwin.Scripting.loadScript", {file, pluginName}));
    return id >= 0 &&
           !m_bus->Call("org.kde.KWin", "/" + std::to_string(id), "org.kde.kwin.Script.run")
                .empty();
}

std::optional<std::string> TestKWin::Evaluate(const std::string& body) const {
    // Each script under a name of its own: KWin loads no second script of a
    // name until the first is gone, which it is only on its next pass.
    const std::string name = "zanpel-test-" + std::to_string(++m_scripts);
    const std::string file = m_folder + "/" + name + ".js";
    WriteFile(file, EvaluationScript(name, body));
    std::optional<std::string> answer;
    if (RunScriptFile(file, name))
        WaitFor([&] { return (answer = LineAfter(Log(), "js: " + name + " ")).has_value(); }, 5000);
    m_bus->Call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting.unloadScript", {name});
    std::filesystem::remove(file);
    return answer;
}

bool TestKWin::Activate(const std::string& property, const std::string& value) const {
    // KWin gives an X11 window the focus and makes it the active one once
    // the window took it: the answer is only whether one was found.
    return Evaluate("var windows = workspace.clientList();\n"
                    "for (var i = 0; i < windows.length; ++i)\n"
                    "    if (String(windows[i][" +
                    JsString(property) + "]) == " + JsString(value) +
                    ") {\n"
                    "        workspace.activeClient = windows[i];\n"
                    "        return true;\n"
                    "    }\n"
                    "return false;") == "true";
}

TKWinWindow TestKWin::Window(const std::string& property, const std::string& value) const {
    const std::optional<std::string> answer =
        Evaluate("var windows = workspace.clientList();\n"
                 "for (var i = 0; i < windows.length; ++i) {\n"
                 "    var w = windows[i];\n"
                 "    if (String(w[" +
                 JsString(property) + "]) != " + JsString(value) +
                 ")\n"
                 "        continue;\n"
                 "    var g = w.frameGeometry;\n"
                 "    return [1, g.x, g.y, g.width, g.height, w.keepAbove ? 1 : 0,\n"
                 "            w.onAllDesktops ? 1 : 0, w === workspace.activeClient ? 1 : 0,\n"
                 "            w.pid].join(\" \");\n"
                 "}\n"
                 "return 0;");
    TKWinWindow window;
    std::istringstream fields(answer.value_or("0"));
    int found = 0;
    fields >> found >> window.X >> window.Y >> window.Width >> window.Height >> window.KeepAbove >>
        window.OnAllDesktops >> window.Active >> window.Pid;
    window.Found = found == 1 && !fields.fail();
    return window;
}

bool TestKWin::ScriptLoaded(const std::string& pluginName) const {
    return m_bus->Call("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting.isScriptLoaded",
                       {pluginName}) == "(true,)\n";
}

std::string TestKWin::Log() const {
    return ReadFile(m_folder + "/kwin.log");
}

} // namespace zanpel::test
