// A tiny X11 client for the tests: one top-level window with a title, built
// twice under two program names so that the two windows belong to different
// programs. SIGUSR1 swaps its title for the second one (and back).
//
//   --title TEXT      _NET_WM_NAME (UTF-8); WM_NAME says "x-fallback"
//   --title2 TEXT     the title after SIGUSR1
//   --ct-title BYTES  no _NET_WM_NAME; WM_NAME is these COMPOUND_TEXT bytes
//   --no-pid          no _NET_WM_PID
//   --pid N           a _NET_WM_PID of N instead of the real one
//   --machine NAME    WM_CLIENT_MACHINE (default: this host's name)
//   --id-file PATH    where the window id goes once the window is mapped
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

volatile std::sig_atomic_t swapTitle = 0;

struct Options {
    std::string Title = "untitled";
    std::string Title2;
    std::string CompoundTitle;
    bool CompoundOnly = false;
    bool Pid = true;
    long FakePid = 0;
    std::string Machine;
    std::string IdFile;
};

Options Parse(int argc, char** argv) {
    Options o;
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    o.Machine = host;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--no-pid") {
            o.Pid = false;
            continue;
        }
        ++i;
        if (arg == "--title")
            o.Title = value;
        else if (arg == "--title2")
            o.Title2 = value;
        else if (arg == "--ct-title") {
            o.CompoundTitle = value;
            o.CompoundOnly = true;
        } else if (arg == "--pid")
            o.FakePid = std::atol(value);
        else if (arg == "--machine")
            o.Machine = value;
        else if (arg == "--id-file")
            o.IdFile = value;
    }
    return o;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

void SetText(xcb_connection_t* c, xcb_window_t w, xcb_atom_t property, xcb_atom_t type,
             const std::string& text) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, property, type, 8,
                        static_cast<uint32_t>(text.size()), text.data());
}

void SetTitle(xcb_connection_t* c, xcb_window_t w, const Options& o, const std::string& title) {
    if (o.CompoundOnly) {
        SetText(c, w, XCB_ATOM_WM_NAME, Atom(c, "COMPOUND_TEXT"), o.CompoundTitle);
        return;
    }
    SetText(c, w, Atom(c, "_NET_WM_NAME"), Atom(c, "UTF8_STRING"), title);
    SetText(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, "x-fallback");
}

void SetProcessFacts(xcb_connection_t* c, xcb_window_t w, const Options& o) {
    if (o.Pid) {
        const uint32_t pid = static_cast<uint32_t>(o.FakePid != 0 ? o.FakePid : ::getpid());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL,
                            32, 1, &pid);
    }
    SetText(c, w, XCB_ATOM_WM_CLIENT_MACHINE, XCB_ATOM_STRING, o.Machine);
    const uint32_t hints[9] = {1, 1}; // InputHint: the window takes the focus
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9,
                        hints);
}

void WriteId(const std::string& path, xcb_window_t w) {
    if (path.empty())
        return;
    const std::string temporary = path + ".tmp";
    if (std::FILE* f = std::fopen(temporary.c_str(), "w")) {
        std::fprintf(f, "%u\n", w);
        std::fclose(f);
        std::rename(temporary.c_str(), path.c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    const Options o = Parse(argc, argv);
    std::signal(SIGUSR1, [](int) { swapTitle = 1; });
    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c))
        return 2;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, screen->root, 40, 40, 320, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    SetProcessFacts(c, w, o);
    SetTitle(c, w, o, o.Title);
    xcb_map_window(c, w);
    xcb_flush(c);

    bool second = false;
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    while (!xcb_connection_has_error(c)) {
        ::poll(&fd, 1, 50);
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            if ((event->response_type & 0x7F) == XCB_MAP_NOTIFY)
                WriteId(o.IdFile, w);
            std::free(event);
        }
        if (swapTitle) {
            swapTitle = 0;
            second = !second;
            SetTitle(c, w, o, second ? o.Title2 : o.Title);
            xcb_flush(c);
        }
    }
    xcb_disconnect(c);
    return 0;
}
