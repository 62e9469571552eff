// zanpel_startup_watch: starts a program on the X display and times its
// first window from the outside, the same way for any program: from just
// before the fork to the server's first Expose of a window of the process
// (_NET_WM_PID), and to the first drawing into it (DAMAGE). A while after
// that drawing it reads the process's memory and, if asked, its CPU time and
// wake-ups (context switches of all its threads) over some seconds; then it
// ends the program with SIGTERM. One line of key=value pairs on standard
// output:
//   exposed_ms drawn_ms rss_kb anon_kb file_kb [cpu_ms switches]
//   zanpel_startup_watch [--memory-after MS] [--idle SECONDS] -- PROGRAM [ARG...]
#include <dirent.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>

namespace {

double NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const auto cookie = xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// The process that says it owns the window, or none.
std::optional<pid_t> WindowPid(xcb_connection_t* c, xcb_window_t window, xcb_atom_t pidAtom) {
    const auto cookie = xcb_get_property(c, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(c, cookie, nullptr);
    std::optional<pid_t> pid;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = static_cast<pid_t>(*static_cast<uint32_t*>(xcb_get_property_value(reply)));
    std::free(reply);
    return pid;
}

// Fields of /proc/PID/status in kB, by name.
std::map<std::string, long> StatusKb(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::map<std::string, long> fields;
    std::string line;
    while (std::getline(in, line)) {
        const auto colon = line.find(':');
        if (colon != std::string::npos && line.find(" kB") != std::string::npos)
            fields[line.substr(0, colon)] = std::atol(line.c_str() + colon + 1);
    }
    return fields;
}

struct Activity {
    double CpuMs = 0;
    long Switches = 0;
};

// CPU time and context switches of every thread of the process.
Activity ActivityOf(pid_t pid) {
    Activity total;
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    DIR* dir = opendir(tasks.c_str());
    if (!dir)
        return total;
    const double tickMs = 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        const std::string task = tasks + "/" + entry->d_name;
        std::ifstream stat(task + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const auto close = text.rfind(')');
        if (close != std::string::npos) {
            // After the name: state is field 3; utime and stime are 14 and 15.
            std::istringstream fields(text.substr(close + 2));
            std::string field;
            for (int index = 3; index <= 15 && fields >> field; ++index)
                if (index == 14 || index == 15)
                    total.CpuMs += static_cast<double>(std::atol(field.c_str())) * tickMs;
        }
        std::ifstream status(task + "/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
                line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
                total.Switches += std::atol(line.c_str() + line.find(':') + 1);
    }
    closedir(dir);
    return total;
}

void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(50000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

struct Watch {
    xcb_connection_t* C = nullptr;
    xcb_atom_t PidAtom = XCB_ATOM_NONE;
    uint8_t DamageEvent = 0;
    pid_t Child = 0;
    std::set<xcb_window_t> Others; // root windows of other processes
    double ExposedMs = -1;
    double DrawnMs = -1;

    bool IsChilds(xcb_window_t window) {
        if (Others.count(window))
            return false;
        if (WindowPid(C, window, PidAtom) == Child)
            return true;
        Others.insert(window);
        return false;
    }

    // A new window on the root: its exposures and drawings are followed.
    void Follow(xcb_window_t window) {
        const uint32_t mask = XCB_EVENT_MASK_EXPOSURE;
        xcb_change_window_attributes(C, window, XCB_CW_EVENT_MASK, &mask);
        xcb_damage_create(C, xcb_generate_id(C), window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(C);
    }

    void Handle(xcb_generic_event_t* event, double startMs) {
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            Follow(reinterpret_cast<xcb_create_notify_event_t*>(event)->window);
        } else if (type == XCB_EXPOSE && ExposedMs < 0) {
            const auto* expose = reinterpret_cast<xcb_expose_event_t*>(event);
            if (IsChilds(expose->window))
                ExposedMs = NowMs() - startMs;
        } else if (type == DamageEvent + XCB_DAMAGE_NOTIFY && DrawnMs < 0) {
            const auto* damage = reinterpret_cast<xcb_damage_notify_event_t*>(event);
            if (IsChilds(damage->drawable))
                DrawnMs = NowMs() - startMs;
        }
    }
};

int Usage() {
    std::fprintf(stderr, "usage: zanpel_startup_watch [--memory-after MS] [--idle SECONDS]"
                         " -- PROGRAM [ARG...]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int memoryAfterMs = 2000;
    int idleSeconds = 0;
    int first = 1;
    for (; first < argc && std::strcmp(argv[first], "--") != 0; first += 2) {
        if (first + 1 >= argc)
            return Usage();
        if (std::strcmp(argv[first], "--memory-after") == 0)
            memoryAfterMs = std::atoi(argv[first + 1]);
        else if (std::strcmp(argv[first], "--idle") == 0)
            idleSeconds = std::atoi(argv[first + 1]);
        else
            return Usage();
    }
    if (first + 1 >= argc)
        return Usage();

    Watch watch;
    watch.C = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(watch.C)) {
        std::fprintf(stderr, "zanpel_startup_watch: no X display\n");
        return 1;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(watch.C, &xcb_damage_id);
    if (!damage || !damage->present) {
        std::fprintf(stderr, "zanpel_startup_watch: the X server has no DAMAGE\n");
        return 1;
    }
    std::free(xcb_damage_query_version_reply(
        watch.C,
        xcb_damage_query_version(watch.C, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    watch.DamageEvent = damage->first_event;
    watch.PidAtom = Atom(watch.C, "_NET_WM_PID");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(watch.C)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(watch.C, root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(watch.C, xcb_get_input_focus(watch.C), nullptr));

    const double startMs = NowMs();
    watch.Child = fork();
    if (watch.Child == 0) {
        execvp(argv[first + 1], argv + first + 1);
        std::perror("zanpel_startup_watch: exec");
        _exit(127);
    }
    constexpr double GiveUpMs = 20000;
    pollfd fd{xcb_get_file_descriptor(watch.C), POLLIN, 0};
    while (watch.DrawnMs < 0 && NowMs() - startMs < GiveUpMs) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(watch.C)) {
            watch.Handle(event, startMs);
            std::free(event);
        }
        if (watch.DrawnMs < 0)
            poll(&fd, 1, 100);
    }
    if (watch.DrawnMs < 0) {
        std::fprintf(stderr, "zanpel_startup_watch: no window drawn in %.0f ms\n", GiveUpMs);
        Stop(watch.Child);
        return 1;
    }
    const double sampleAt = startMs + watch.DrawnMs + memoryAfterMs;
    if (const double wait = sampleAt - NowMs(); wait > 0)
        usleep(static_cast<useconds_t>(wait * 1000));
    std::map<std::string, long> status = StatusKb(watch.Child);
    std::printf("exposed_ms=%.1f drawn_ms=%.1f rss_kb=%ld anon_kb=%ld file_kb=%ld", watch.ExposedMs,
                watch.DrawnMs, status["VmRSS"], status["RssAnon"], status["RssFile"]);
    if (idleSeconds > 0) {
        const Activity before = ActivityOf(watch.Child);
        sleep(static_cast<unsigned>(idleSeconds));
        const Activity after = ActivityOf(watch.Child);
        std::printf(" cpu_ms=%.0f switches=%ld", after.CpuMs - before.CpuMs,
                    after.Switches - before.Switches);
    }
    std::printf("\n");
    Stop(watch.Child);
    xcb_disconnect(watch.C);
    return 0;
}
