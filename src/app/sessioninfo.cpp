#include "app/sessioninfo.h"

#include "tracking/reportedforeground.h"

namespace zanpel {
namespace {

bool Set(const char* value) {
    return value != nullptr && value[0] != '\0';
}

std::string PlatformLine(const TSessionInfo& session) {
    if (session.Platform == "xcb")
        return session.WaylandSession ? "XWayland (Wayland セッション)" : "X11";
    if (session.Platform == "wayland")
        return "Wayland";
    return session.Platform;
}

std::string PlacementLine(TPlacementMethod placement) {
    switch (placement) {
    case TPlacementMethod::Hints:
        return "ウィンドウマネージャのヒント (画面端の位置、最前面、全デスクトップ)";
    case TPlacementMethod::I3Ipc:
        return "i3 の IPC (フローティング、全ワークスペース、画面端の位置)";
    case TPlacementMethod::SwayIpc:
        return "Sway の IPC (フローティング、全ワークスペース、画面端の位置)";
    case TPlacementMethod::None:
        return "なし: Wayland では画面端への固定と最前面の表示に XWayland が必要です";
    }
    return {};
}

} // namespace

std::string GnomeExtensionHint() {
    const std::string uuid = GnomeExtensionUuid;
    return "GNOME の Wayland のウィンドウで切換えるには、Zanpel の GNOME Shell 拡張機能を"
           "有効にしてください:\n  gnome-extensions enable " +
           uuid +
           "\nソースから入れた Zanpel では、先に拡張機能を入れます:\n"
           "  zanpelctl gnome-extension install\n"
           "入れたばかりの拡張機能は、ログインし直すまで GNOME Shell に見えません。";
}

std::string CoverageText(TForegroundCoverage coverage) {
    switch (coverage) {
    case TForegroundCoverage::X11:
        return "X11 のウィンドウ";
    case TForegroundCoverage::X11AndWayland:
        return "X11 (XWayland) のウィンドウと Wayland のウィンドウ"
               " (Wayland ではプログラム名は app_id)";
    case TForegroundCoverage::Wayland:
        return "Wayland のウィンドウ (プログラム名は app_id)";
    case TForegroundCoverage::XWaylandOnly:
        return "XWayland のウィンドウのみ: このデスクトップは Wayland のウィンドウを"
               "他のプログラムに知らせないため、Wayland のアプリケーションでは切換わりません";
    case TForegroundCoverage::KWinScript:
        return "KWin スクリプト: X11 と Wayland のウィンドウ (プログラム名はウィンドウのプロセスの"
               "プログラムファイル名、分からない時は resourceClass)";
    case TForegroundCoverage::GnomeExtension:
        return "GNOME Shell 拡張機能: X11 と Wayland のウィンドウ "
               "(プログラム名はウィンドウのプロセスの"
               "プログラムファイル名、分からない時は WM_CLASS)";
    case TForegroundCoverage::GnomeWithoutExtension:
        return "XWayland のウィンドウのみ\n" + GnomeExtensionHint();
    case TForegroundCoverage::None:
        return "なし: このセッションではアプリケーションによる自動切換えは使えません。";
    }
    return {};
}

TForegroundCoverage LikelyCoverage(const char* waylandDisplay, const char* display,
                                   const char* currentDesktop, bool gnomeExtensionEnabled) {
    const std::string desktops = Set(currentDesktop) ? currentDesktop : "";
    if (Set(waylandDisplay)) {
        if (desktops.find("KDE") != std::string::npos)
            return TForegroundCoverage::KWinScript;
        if (desktops.find("GNOME") != std::string::npos)
            return gnomeExtensionEnabled ? TForegroundCoverage::GnomeExtension
                                         : TForegroundCoverage::GnomeWithoutExtension;
        return Set(display) ? TForegroundCoverage::X11AndWayland : TForegroundCoverage::Wayland;
    }
    return Set(display) ? TForegroundCoverage::X11 : TForegroundCoverage::None;
}

std::string PreferredQtPlatform(const char* waylandDisplay, const char* display,
                                const char* qpaPlatform) {
    // The user's own choice stands.
    if (Set(qpaPlatform))
        return {};
    return Set(waylandDisplay) && Set(display) ? "xcb" : "";
}

TPlacementMethod PlacementOf(const std::string& platform, const std::string& ipcSocket, bool sway) {
    if (platform == "wayland")
        return TPlacementMethod::None;
    if (platform == "xcb" && !ipcSocket.empty())
        return sway ? TPlacementMethod::SwayIpc : TPlacementMethod::I3Ipc;
    return TPlacementMethod::Hints;
}

std::string SessionText(const TSessionInfo& session) {
    return "表示: " + PlatformLine(session) + "\n配置: " + PlacementLine(session.Placement) +
           "\nアプリケーション検出: " + CoverageText(session.Coverage) + "\n離席の検出: " +
           (session.IdleSource.empty()
                ? std::string("なし: このセッションでは操作のない時間が分からないため、離席は"
                              "確認しません")
                : session.IdleSource);
}

std::string WaylandNoticeText() {
    return "Zanpel は Wayland で直接動いています。画面端への固定と、ほかのウィンドウより前に"
           "表示し続けることには XWayland が必要です (XWayland を有効にしてから起動すると、"
           "Zanpel は自動的にそちらを使います)。";
}

} // namespace zanpel
