#include "support/wayland/swaysession.h"

#include "support/desktops/sessionenv.h"
#include "support/testsupport.h"
#include "support/x11/xserver.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace zanpel::test {
namespace {

std::string ConfigText(bool xwayland, int width, int height, const std::string& envFile) {
    std::ostringstream config;
    config << (xwayland ? "xwayland force\n" : "xwayland disable\n") << "output HEADLESS-1 mode "
           << width << "x" << height
           << "\n"
           // The session's variables, for the test: written once XWayland runs.
           << "exec sh -c 'echo WAYLAND_DISPLAY=$WAYLAND_DISPLAY; echo DISPLAY=$DISPLAY; "
              "echo SWAYSOCK=$SWAYSOCK' > "
           << envFile << ".new && mv " << envFile << ".new " << envFile << "\n";
    return config.str();
}

} // namespace

TestSway::TestSway(bool xwayland, int width, int height) {
    if (FindProgram("sway").empty()) {
        m_skip = true;
        m_error = "sway is not installed (scripts/setup installs it)";
        return;
    }
    m_uid = ::getuid();
    m_gid = ::getgid();
    if (m_uid == 0) {
        const passwd* nobody = ::getpwnam("nobody");
        if (nobody == nullptr || nobody->pw_uid == 0) {
            m_skip = true;
            m_error = "running as root without a user 'nobody' to run sway as";
            return;
        }
        m_uid = nobody->pw_uid;
        m_gid = nobody->pw_gid;
    }
    if (!Launch(xwayland, width, height) && m_error.empty())
        m_error = "sway did not start";
}

bool TestSway::Launch(bool xwayland, int width, int height) {
    char folder[] = "/tmp/zanpel-sway-XXXXXX";
    if (::mkdtemp(folder) == nullptr)
        return false;
    m_folder = folder;
    m_runtime = NewFolder("run");
    const std::string home = NewFolder("home");
    const std::string envFile = home + "/session";
    WriteFile(m_folder + "/config", ConfigText(xwayland, width, height, envFile));
    ::chmod((m_folder + "/config").c_str(), 0644);
    ::chmod(m_folder.c_str(), 0755);

    std::map<std::string, std::string> env = {
        {"HOME", home},
        {"XDG_RUNTIME_DIR", m_runtime},
        {"WLR_BACKENDS", "headless"},
        {"WLR_LIBINPUT_NO_DEVICES", "1"},
        {"WLR_RENDERER", "pixman"},
        {"WAYLAND_DISPLAY", ""},
        {"DISPLAY", ""},
        {"SWAYSOCK", ""},
        {"I3SOCK", ""},
        {"XDG_CONFIG_HOME", home},
    };
    m_sway = std::make_unique<BackgroundProcess>(
        AsUser({FindProgram("sway"), "-c", m_folder + "/config"}), env, m_folder + "/sway.log");
    if (!WaitFor([&] { return std::filesystem::exists(envFile); }, 20000)) {
        m_error = "sway did not start; its log:\n" + ReadFile(m_folder + "/sway.log");
        return false;
    }
    const auto values = ParseSessionEnv(ReadFile(envFile));
    m_waylandDisplay = values.count("WAYLAND_DISPLAY") ? values.at("WAYLAND_DISPLAY") : "";
    m_x11Display = values.count("DISPLAY") ? values.at("DISPLAY") : "";
    m_ipcSocket = values.count("SWAYSOCK") ? values.at("SWAYSOCK") : "";
    if (m_waylandDisplay.empty() || m_x11Display.empty() != !xwayland || m_ipcSocket.empty()) {
        m_error = "sway started without what was asked: " + ReadFile(envFile);
        return false;
    }
    // XWayland lets in only its own user; the test (root) asks as that user.
    if (xwayland && ::getuid() == 0) {
        const ProcessResult granted =
            RunProcess(AsUser({FindProgram("xhost"), "+si:localuser:root"}), ClientEnv());
        if (granted.ExitCode != 0) {
            m_error = "xhost could not let root into XWayland: " + granted.Err;
            return false;
        }
    }
    return true;
}

TestSway::~TestSway() {
    if (m_sway) {
        m_sway->Signal(SIGTERM);
        if (m_sway->Wait(5000) < 0)
            m_sway.reset(); // killed
    }
    if (!m_folder.empty())
        std::filesystem::remove_all(m_folder);
}

std::string TestSway::NewFolder(const std::string& name) const {
    const std::string path = m_folder + "/" + name;
    std::filesystem::create_directories(path);
    ::chmod(path.c_str(), 0700);
    GiveToUser(path);
    return path;
}

void TestSway::GiveToUser(const std::string& path) const {
    if (::getuid() != 0)
        return;
    [[maybe_unused]] int ignored = ::chown(path.c_str(), m_uid, m_gid);
    if (!std::filesystem::is_directory(path))
        return;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
        ignored = ::lchown(entry.path().c_str(), m_uid, m_gid);
}

std::map<std::string, std::string> TestSway::ClientEnv() const {
    return {{"XDG_RUNTIME_DIR", m_runtime},
            {"WAYLAND_DISPLAY", m_waylandDisplay},
            {"DISPLAY", m_x11Display},
            {"SWAYSOCK", m_ipcSocket},
            {"I3SOCK", m_ipcSocket},
            {"HOME", m_folder + "/home"},
            {"XDG_STATE_HOME", ""}, // the state folder under the session's own home
            {"XAUTHORITY", ""},
            {"QT_QPA_PLATFORM", ""}};
}

std::string TestSway::Runnable(const std::string& path) const {
    if (RunProcess(AsUser({FindProgram("test"), "-x", path})).ExitCode == 0)
        return path;
    const std::string copy = m_folder + "/" + std::filesystem::path(path).filename().string();
    std::filesystem::copy_file(path, copy, std::filesystem::copy_options::overwrite_existing);
    ::chmod(copy.c_str(), 0755);
    return copy;
}

std::vector<std::string> TestSway::AsUser(std::vector<std::string> argv) const {
    if (::getuid() != 0)
        return argv;
    std::vector<std::string> full{FindProgram("setpriv"), "--reuid=" + std::to_string(m_uid),
                                  "--regid=" + std::to_string(m_gid), "--clear-groups", "--"};
    full.insert(full.end(), argv.begin(), argv.end());
    return full;
}

std::unique_ptr<BackgroundProcess> TestSway::Start(const std::vector<std::string>& argv,
                                                   std::map<std::string, std::string> env) const {
    std::map<std::string, std::string> all = ClientEnv();
    for (auto& [name, value] : env)
        all[name] = value;
    return std::make_unique<BackgroundProcess>(AsUser(argv), all);
}

std::unique_ptr<BackgroundProcess> TestSway::StartFoot(const std::string& appId,
                                                       const std::string& title,
                                                       const std::string& command) const {
    auto foot =
        std::make_unique<BackgroundProcess>(AsUser({FindProgram("foot"), "--app-id=" + appId,
                                                    "--title=" + title, "--", "sh", "-c", command}),
                                            ClientEnv(), "/dev/null");
    WaitFor([&] { return FindSwayWindow(Tree(), "app_id", appId).Found; }, 15000);
    return foot;
}

std::string TestSway::Message(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{FindProgram("swaymsg"), "-s", m_ipcSocket};
    argv.insert(argv.end(), args.begin(), args.end());
    const ProcessResult result = RunProcess(argv);
    return result.ExitCode == 0 ? result.Out : std::string();
}

} // namespace zanpel::test
