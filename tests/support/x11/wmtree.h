// Reading the window tree of a tiling window manager of the i3 family
// (i3-msg / swaymsg -t get_tree) in the tests.
#pragma once

#include <string>

namespace zanpel::test {

// What the tree says about one window.
struct TSwayWindow {
    bool Found = false;
    std::string Shell; // Sway: "xdg_shell" or "xwayland"
    std::string AppId;
    std::string Name;
    bool Floating = false;
    bool Sticky = false;
    bool Focused = false;
    int X = 0, Y = 0, Width = 0, Height = 0;
    long long Window = 0; // the X11 window
};

// The first window of the tree whose key (a field of the window's node or
// of its window_properties, such as "app_id" or "class") has value.
TSwayWindow FindSwayWindow(const std::string& tree, const std::string& key,
                           const std::string& value);

} // namespace zanpel::test
