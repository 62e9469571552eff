// What the bar takes from the desktop session at the start, and what the
// about box says about it.
#include "app/sessioninfo.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

TEST(QtPlatform, AWaylandSessionWithXWaylandRunsTheBarOnXWayland) {
    EXPECT_EQ(PreferredQtPlatform("wayland-1", ":0", nullptr), "xcb");
    // The user's choice stands; without XWayland Qt takes Wayland itself;
    // an X11 session needs no choice.
    EXPECT_EQ(PreferredQtPlatform("wayland-1", ":0", "wayland"), "");
    EXPECT_EQ(PreferredQtPlatform("wayland-1", nullptr, nullptr), "");
    EXPECT_EQ(PreferredQtPlatform("wayland-1", "", nullptr), "");
    EXPECT_EQ(PreferredQtPlatform(nullptr, ":0", nullptr), "");
    EXPECT_EQ(PreferredQtPlatform("wayland-1", ":0", ""), "xcb");
}

TEST(BarPlacement, ATilingManagerPlacesTheBarOnlyThroughX11) {
    EXPECT_EQ(PlacementOf("xcb", "/run/sway-ipc.sock", true), TPlacementMethod::SwayIpc);
    EXPECT_EQ(PlacementOf("xcb", "/run/i3/ipc-socket", false), TPlacementMethod::I3Ipc);
    EXPECT_EQ(PlacementOf("xcb", "", false), TPlacementMethod::Hints);
    EXPECT_EQ(PlacementOf("wayland", "/run/sway-ipc.sock", true), TPlacementMethod::None);
    EXPECT_EQ(PlacementOf("offscreen", "", false), TPlacementMethod::Hints);
}

TEST(SessionText, SaysWhatTheBarCanDoAndWhy) {
    TSessionInfo sway{"xcb", true, TPlacementMethod::SwayIpc, TForegroundCoverage::X11AndWayland,
                      "Wayland の org_kde_kwin_idle"};
    std::string text = SessionText(sway);
    EXPECT_NE(text.find("離席の検出: Wayland の org_kde_kwin_idle"), std::string::npos);
    EXPECT_NE(text.find("XWayland"), std::string::npos);
    EXPECT_NE(text.find("Sway の IPC"), std::string::npos);
    EXPECT_NE(text.find("app_id"), std::string::npos);

    // GNOME: XWayland windows only, and the reason.
    TSessionInfo gnome{"xcb", true, TPlacementMethod::Hints, TForegroundCoverage::XWaylandOnly, {}};
    text = SessionText(gnome);
    EXPECT_NE(text.find("XWayland のウィンドウのみ"), std::string::npos);
    EXPECT_NE(text.find("知らせない"), std::string::npos);

    TSessionInfo native{"wayland", true, TPlacementMethod::None, TForegroundCoverage::None, {}};
    text = SessionText(native);
    EXPECT_NE(text.find("表示: Wayland"), std::string::npos);
    EXPECT_NE(text.find("XWayland が必要"), std::string::npos);
    EXPECT_NE(text.find("自動切換えは使えません"), std::string::npos);
    // Without an idle source nothing is asked, and the box says so.
    EXPECT_NE(text.find("離席の検出: なし"), std::string::npos);
    EXPECT_NE(WaylandNoticeText().find("XWayland"), std::string::npos);

    EXPECT_NE(SessionText({}).find("表示: X11\n"), std::string::npos);
}

} // namespace
} // namespace zanpel::test
