#include "support/x11/xserver.h"

#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace zanpel::test {
namespace {

// Starts argv[0] (a full path) with DISPLAY set, its output thrown away.
// keepFd stays open in the child.
int Spawn(const std::vector<std::string>& argv, const std::string& display, int keepFd = -1) {
    const pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    for (int fd = 3; fd < 1024; ++fd)
        if (fd != keepFd)
            ::close(fd);
    std::map<std::string, std::string> env;
    if (!display.empty())
        env["DISPLAY"] = display;
    ExecWith(argv, env);
}

// SIGTERM, then SIGKILL when the process has not ended after a while.
void Stop(int& pid) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    for (int waited = 0; waited < 3000; waited += 10) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid) {
            pid = -1;
            return;
        }
        ::usleep(10 * 1000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

// The display number Xvfb writes to its -displayfd pipe when it is ready.
std::string ReadDisplayNumber(int fd) {
    std::string number;
    for (int waited = 0; waited < 20000;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) {
            waited += 100;
            continue;
        }
        char c = 0;
        if (::read(fd, &c, 1) != 1)
            break;
        if (c == '\n')
            return number;
        number += c;
    }
    return {};
}

} // namespace

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const std::string candidate = folder + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

TestXServer::TestXServer(const std::string& authFile, const std::string& screen) {
    const std::string xvfb = FindProgram("Xvfb");
    int pipe[2];
    if (xvfb.empty() || ::pipe(pipe) != 0)
        return;
    std::vector<std::string> argv{xvfb,        "-displayfd", std::to_string(pipe[1]),
                                  "-nolisten", "tcp",        "-noreset",
                                  "-screen",   "0",          screen};
    if (!authFile.empty()) {
        argv.push_back("-auth");
        argv.push_back(authFile);
    }
    m_xvfb = Spawn(argv, {}, pipe[1]);
    ::close(pipe[1]);
    const std::string number = ReadDisplayNumber(pipe[0]);
    ::close(pipe[0]);
    if (number.empty())
        Stop(m_xvfb);
    else
        m_display = ":" + number;
}

TestXServer::~TestXServer() {
    StopWindowManager();
    Stop(m_xvfb);
}

std::map<std::string, std::string> TestXServer::ClientEnv() const {
    return {{"DISPLAY", m_display}, {"WAYLAND_DISPLAY", ""}};
}

bool TestXServer::StartWindowManager() {
    const std::string openbox = FindProgram("openbox");
    if (openbox.empty() || m_display.empty())
        return false;
    m_wm = Spawn({openbox, "--sm-disable"}, m_display);
    // Ready once it manages a window: naming itself comes a little earlier.
    XProbe probe(m_display);
    if (!WaitFor([&] { return probe.WindowManagerRuns(); }, 10000))
        return false;
    const uint32_t window = probe.CreateOwnWindow("ready?", false);
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (WaitFor([&] { return probe.Manages(window); }, 2000))
            return true;
        probe.Map(window); // a request that came too early
    }
    return false;
}

void TestXServer::StopWindowManager() {
    Stop(m_wm);
}

bool ActivateWithXdotool(const std::string& display, XProbe& probe, uint32_t window) {
    for (int attempt = 0; attempt < 5; ++attempt) {
        RunProcess({FindProgram("xdotool"), "windowactivate", std::to_string(window)},
                   {{"DISPLAY", display}});
        if (WaitFor([&] { return probe.ActiveWindow() == window; }, 1000))
            return true;
    }
    return false;
}

struct XProbe::Connection {
    xcb_connection_t* c = nullptr;
    xcb_window_t root = XCB_NONE;
};

XProbe::XProbe(const std::string& display) : m_x(std::make_unique<Connection>()) {
    m_x->c = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(m_x->c))
        return;
    m_x->root = xcb_setup_roots_iterator(xcb_get_setup(m_x->c)).data->root;
}

XProbe::~XProbe() {
    xcb_disconnect(m_x->c);
}

bool XProbe::Connected() const {
    return xcb_connection_has_error(m_x->c) == 0;
}

uint32_t XProbe::Atom(const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        m_x->c, xcb_intern_atom(m_x->c, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const uint32_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

namespace {

std::vector<uint32_t> Cardinals(xcb_connection_t* c, xcb_window_t window, xcb_atom_t atom) {
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, atom, XCB_GET_PROPERTY_TYPE_ANY, 0, 4096), nullptr);
    std::vector<uint32_t> values;
    if (reply && reply->format == 32) {
        const auto* data = static_cast<const uint32_t*>(xcb_get_property_value(reply));
        values.assign(data, data + xcb_get_property_value_length(reply) / 4);
    }
    std::free(reply);
    return values;
}

} // namespace

bool XProbe::WindowManagerRuns() {
    return !Cardinals(m_x->c, m_x->root, Atom("_NET_SUPPORTING_WM_CHECK")).empty();
}

uint32_t XProbe::ActiveWindow() {
    const std::vector<uint32_t> active = Cardinals(m_x->c, m_x->root, Atom("_NET_ACTIVE_WINDOW"));
    return active.empty() ? 0 : active[0];
}

std::vector<uint32_t> XProbe::ClientList() {
    return Cardinals(m_x->c, m_x->root, Atom("_NET_CLIENT_LIST"));
}

bool XProbe::Manages(uint32_t window) {
    const std::vector<uint32_t> managed = ClientList();
    return std::find(managed.begin(), managed.end(), window) != managed.end();
}

void XProbe::Map(uint32_t window) {
    xcb_map_window(m_x->c, window);
    xcb_flush(m_x->c);
}

uint32_t XProbe::WindowPid(uint32_t window) {
    const std::vector<uint32_t> pid = Cardinals(m_x->c, window, Atom("_NET_WM_PID"));
    return pid.empty() ? 0 : pid[0];
}

uint32_t XProbe::CreateOwnWindow(const std::string& title, bool withPid) {
    xcb_connection_t* c = m_x->c;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, m_x->root, 400, 300, 200, 100, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 8,
                        static_cast<uint32_t>(title.size()), title.data());
    if (withPid) {
        const auto pid = static_cast<uint32_t>(::getpid());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 32,
                            1, &pid);
    }
    xcb_map_window(c, w);
    xcb_flush(c);
    return w;
}

void XProbe::RequestActivation(uint32_t window) {
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = Atom("_NET_ACTIVE_WINDOW");
    event.data.data32[0] = 2; // from a pager: the window manager obeys
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_x->c, 0, m_x->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(m_x->c);
}

void XProbe::WarpPointer(int x, int y) {
    xcb_warp_pointer(m_x->c, XCB_NONE, m_x->root, 0, 0, 0, 0, static_cast<int16_t>(x),
                     static_cast<int16_t>(y));
    xcb_flush(m_x->c);
}

std::optional<XProbe::Place> XProbe::WindowPlace(uint32_t window) {
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(m_x->c, xcb_get_geometry(m_x->c, window), nullptr);
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(
        m_x->c, xcb_translate_coordinates(m_x->c, window, m_x->root, 0, 0), nullptr);
    std::optional<Place> place;
    if (geometry && at)
        place = Place{at->dst_x, at->dst_y, geometry->width, geometry->height};
    std::free(geometry);
    std::free(at);
    return place;
}

void XProbe::PretendWindowManager() {
    xcb_connection_t* c = m_x->c;
    const xcb_window_t check = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, check, m_x->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t checkAtom = Atom("_NET_SUPPORTING_WM_CHECK");
    for (const xcb_window_t window : {check, m_x->root})
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, checkAtom, XCB_ATOM_WINDOW, 32, 1,
                            &check);
    const xcb_atom_t active = Atom("_NET_ACTIVE_WINDOW");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, m_x->root, Atom("_NET_SUPPORTED"), XCB_ATOM_ATOM,
                        32, 1, &active);
    xcb_flush(c);
}

void XProbe::PublishActiveWindow(uint32_t window) {
    xcb_change_property(m_x->c, XCB_PROP_MODE_REPLACE, m_x->root, Atom("_NET_ACTIVE_WINDOW"),
                        XCB_ATOM_WINDOW, 32, 1, &window);
    xcb_flush(m_x->c);
}

void XProbe::WatchActiveWindow() {
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_x->c, m_x->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_x->c);
    Atom("_NET_ACTIVE_WINDOW"); // a round trip: the selection is in place
}

std::optional<std::chrono::steady_clock::time_point> XProbe::NextActiveChange(int timeoutMs) {
    const xcb_atom_t active = Atom("_NET_ACTIVE_WINDOW");
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(m_x->c)) {
            const bool hit = (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY &&
                             reinterpret_cast<xcb_property_notify_event_t*>(event)->atom == active;
            std::free(event);
            if (hit)
                return std::chrono::steady_clock::now();
        }
        pollfd p{xcb_get_file_descriptor(m_x->c), POLLIN, 0};
        ::poll(&p, 1, 5);
    }
    return std::nullopt;
}

} // namespace zanpel::test
