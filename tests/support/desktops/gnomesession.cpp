#include "support/desktops/gnomesession.h"

#include "support/desktops/sessionenv.h"
#include "support/testsupport.h"
#include "support/x11/xserver.h"

#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <regex>
#include <sstream>

namespace zanpel::test {
namespace {

constexpr const char* TestExtensionUuid = "zanpel-test@example.org";
constexpr const char* OurExtensionUuid = "zanpel@example.org";

// What runs inside the session bus: the private system bus, the extensions
// enabled before the shell reads its settings, the session's address for
// the test, then the shell itself.
std::string StartScript(const std::string& extensions, int width, int height) {
    std::ostringstream script;
    script << "dbus-daemon --session --address=unix:path=$XDG_RUNTIME_DIR/system_bus --fork "
              "--print-pid > $XDG_RUNTIME_DIR/system_bus.pid || exit 1\n"
              "export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/system_bus\n"
              "gsettings set org.gnome.shell enabled-extensions \""
           << extensions
           << "\" || exit 1\n"
              "echo DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS > $HOME/session.new\n"
              "echo DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SYSTEM_BUS_ADDRESS >> $HOME/session.new\n"
              "echo SHELL_PID=$$ >> $HOME/session.new\n"
              "mv $HOME/session.new $HOME/session\n"
              "exec gnome-shell --wayland --headless --virtual-monitor "
           << width << "x" << height << "\n";
    return script.str();
}

void CopyFolder(const std::string& from, const std::string& to) {
    std::filesystem::create_directories(to);
    std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
}

} // namespace

TestGnomeShell::TestGnomeShell(bool withExtension, int width, int height) {
    if (FindProgram("gnome-shell").empty() || FindProgram("dbus-run-session").empty()) {
        m_skip = true;
        m_error = "gnome-shell is not installed (scripts/setup installs it)";
        return;
    }
    if (!Launch(withExtension, width, height) && m_error.empty())
        m_error = "gnome-shell did not start";
}

bool TestGnomeShell::Launch(bool withExtension, int width, int height) {
    char folder[] = "/tmp/zanpel-gnome-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return false;
    m_folder = folder;
    m_runtime = NewFolder("run");
    m_home = NewFolder("home");
    const std::string extensions = m_home + "/.local/share/gnome-shell/extensions/";
    CopyFolder(GNOME_TEST_EXTENSION, extensions + TestExtensionUuid);
    CopyFolder(GNOME_EXTENSION, extensions + OurExtensionUuid);
    std::string enabled = std::string("['") + TestExtensionUuid + "'";
    if (withExtension)
        enabled += std::string(", '") + OurExtensionUuid + "'";
    enabled += "]";
    WriteFile(m_folder + "/start.sh", StartScript(enabled, width, height));
    m_shell = std::make_unique<BackgroundProcess>(
        std::vector<std::string>{FindProgram("dbus-run-session"), "--", "sh",
                                 m_folder + "/start.sh"},
        std::map<std::string, std::string>{{"HOME", m_home},
                                           {"XDG_RUNTIME_DIR", m_runtime},
                                           {"XDG_CONFIG_HOME", ""},
                                           {"XDG_DATA_HOME", ""},
                                           {"XDG_CURRENT_DESKTOP", "GNOME"},
                                           {"WAYLAND_DISPLAY", ""},
                                           {"DISPLAY", ""},
                                           {"DBUS_SESSION_BUS_ADDRESS", ""},
                                           {"DBUS_SYSTEM_BUS_ADDRESS", ""}},
        m_folder + "/shell.log");
    if (!WaitFor([&] { return std::filesystem::exists(m_home + "/session"); }, 20000)) {
        m_error = "gnome-shell did not start; its log:\n" + ReadFile(m_folder + "/shell.log");
        return false;
    }
    m_session = ParseSessionEnv(ReadFile(m_home + "/session"));
    if (!WaitFor([&] { return Ready(); }, 30000)) {
        m_error = "gnome-shell started without XWayland or the test extension; its log:\n" +
                  ReadFile(m_folder + "/shell.log");
        return false;
    }
    return true;
}

// XWayland's display comes from the shell's log, its cookie from the
// runtime folder; the shell is ready once the test extension says it has
// started and left its overview.
bool TestGnomeShell::Ready() const {
    static const std::regex display("Using public X11 display (:[0-9]+)");
    std::smatch match;
    const std::string log = ReadFile(m_folder + "/shell.log");
    if (!std::regex_search(log, match, display))
        return false;
    auto& session = const_cast<std::map<std::string, std::string>&>(m_session);
    session["DISPLAY"] = match[1];
    for (const auto& entry : std::filesystem::directory_iterator(m_runtime))
        if (entry.path().filename().string().starts_with(".mutter-Xwaylandauth."))
            session["XAUTHORITY"] = entry.path().string();
    return session.count("XAUTHORITY") != 0 &&
           Gdbus({"call", "-d", "org.example.zanpel.Test", "-o", "/org/example/zanpel/Test", "-m",
                  "org.example.zanpel.Test.Ready"})
                   .find("true") != std::string::npos;
}

TestGnomeShell::~TestGnomeShell() {
    if (m_shell && m_session.count("SHELL_PID") != 0) {
        ::kill(std::stoi(m_session.at("SHELL_PID")), SIGTERM);
        if (m_shell->Wait(10000) < 0)
            m_shell.reset(); // killed
    }
    if (!m_runtime.empty()) {
        const std::string pid = ReadFile(m_runtime + "/system_bus.pid");
        if (!pid.empty())
            ::kill(std::stoi(pid), SIGTERM);
    }
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder);
}

std::string TestGnomeShell::NewFolder(const std::string& name) const {
    const std::string path = m_folder + "/" + name;
    std::filesystem::create_directories(path);
    ::chmod(path.c_str(), 0700);
    return path;
}

std::map<std::string, std::string> TestGnomeShell::ClientEnv() const {
    // The state folder under the session's own home: a bar started here
    // keeps its switch log there.
    std::map<std::string, std::string> env = {{"XDG_RUNTIME_DIR", m_runtime},
                                              {"HOME", m_home},
                                              {"XDG_STATE_HOME", ""},
                                              {"WAYLAND_DISPLAY", "wayland-0"},
                                              {"XDG_CURRENT_DESKTOP", "GNOME"},
                                              {"QT_QPA_PLATFORM", ""},
                                              {"SWAYSOCK", ""},
                                              {"I3SOCK", ""}};
    for (const char* name :
         {"DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS", "DBUS_SYSTEM_BUS_ADDRESS"})
        env[name] = m_session.count(name) ? m_session.at(name) : "";
    return env;
}

std::unique_ptr<BackgroundProcess> TestGnomeShell::Start(const std::vector<std::string>& argv,
                                                         std::map<std::string, std::string> env,
                                                         const std::string& output) const {
    std::map<std::string, std::string> all = ClientEnv();
    for (auto& [name, value] : env)
        all[name] = value;
    return std::make_unique<BackgroundProcess>(argv, all, output);
}

std::unique_ptr<BackgroundProcess>
TestGnomeShell::StartWaylandWindow(const std::string& title) const {
    auto window = Start({FindProgram("zenity"), "--info", "--title=" + title, "--text=" + title},
                        {{"GDK_BACKEND", "wayland"}});
    Shows(title);
    return window;
}

bool TestGnomeShell::Shows(const std::string& title) const {
    return WaitFor([&] { return Window(title).Found; }, 15000);
}

std::string TestGnomeShell::Gdbus(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{FindProgram("gdbus")};
    argv.insert(argv.end(), args.begin(), args.end());
    argv.insert(argv.begin() + 2, "--session");
    const ProcessResult result = RunProcess(argv, ClientEnv());
    return result.ExitCode == 0 ? result.Out : std::string();
}

bool TestGnomeShell::Activate(const std::string& title) const {
    return Gdbus({"call", "-d", "org.example.zanpel.Test", "-o", "/org/example/zanpel/Test", "-m",
                  "org.example.zanpel.Test.Activate", title})
               .find("true") != std::string::npos;
}

TShellWindow TestGnomeShell::Window(const std::string& title) const {
    std::string list = Gdbus({"call", "-d", "org.example.zanpel.Test", "-o",
                              "/org/example/zanpel/Test", "-m", "org.example.zanpel.Test.Windows"});
    // gdbus prints the string with its line ends escaped.
    for (size_t at; (at = list.find("\\n")) != std::string::npos;)
        list.replace(at, 2, "\n");
    static const std::regex line(
        R"((-?\d+) (-?\d+) (\d+) (\d+) above=(\w+) sticky=(\w+) class=(\S*) (.*))");
    std::istringstream lines(list);
    TShellWindow window;
    for (std::string text; std::getline(lines, text);) {
        std::smatch m;
        if (!std::regex_search(text, m, line))
            continue;
        std::string name = m[8];
        if (name.ends_with("',)"))
            name.resize(name.size() - 3);
        if (name != title && m[7] != title)
            continue;
        window = {
            true,           std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]),
            m[5] == "true", m[6] == "true"};
    }
    return window;
}

void TestGnomeShell::MovePointer(int x, int y) const {
    Gdbus({"call", "-d", "org.example.zanpel.Test", "-o", "/org/example/zanpel/Test", "-m",
           "org.example.zanpel.Test.MovePointer", std::to_string(x), std::to_string(y)});
}

bool TestGnomeShell::EnableExtension() const {
    return !Gdbus({"call", "-d", "org.gnome.Shell", "-o", "/org/gnome/Shell", "-m",
                   "org.gnome.Shell.Extensions.EnableExtension", OurExtensionUuid})
                .empty();
}

} // namespace zanpel::test
