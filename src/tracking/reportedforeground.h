// The foreground of a desktop that tells no program about other windows
// itself, but runs a script or extension of ours that reports each change of
// the focused window: KWin and GNOME Shell on Wayland. The report names the
// window's process, so that a program name in a rule means what it means on
// X11: the program file of the process.
#pragma once

#include "tracking/foregroundsource.h"

#include <cstdint>
#include <memory>
#include <string>

namespace zanpel {

// Our GNOME Shell extension: its uuid, as installed under
// gnome-shell/extensions/, and the name it owns on the session bus while it
// is enabled.
inline constexpr const char* GnomeExtensionUuid = "zanpel@example.org";
inline constexpr const char* GnomeExtensionBusName = "org.example.zanpel.Foreground";

// The focused window as the desktop describes it (UTF-8 texts, as received).
// A report of all blanks: no window has the focus.
struct TWindowReport {
    std::string ResourceClass; // WM_CLASS's class on X11, the app_id on Wayland
    std::string Title;
    uint32_t Pid = 0; // 0 when the desktop does not know it
};

// The application of a reported window: the exe name of its process, or the
// resource class lowered and cut as an exe name when the process cannot be
// named; nothing for the windows of ownPid (this program's).
TForegroundApp AppOfReport(const TWindowReport& window, uint32_t ownPid,
                           const std::string& procRoot = "/proc");

// A source that the desktop's reports keep current. It is available while
// the desktop's reporter is there (SetAvailable, from the transport that
// watches it).
class TReportedForeground : public ForegroundSource {
public:
    explicit TReportedForeground(uint32_t ownPid, std::string procRoot = "/proc");

    bool Available() const override { return m_available; }
    const TForegroundApp& Foreground() const override { return m_app; }
    // 1 while a window has the focus (this program's too), else 0.
    uint64_t ActiveWindow() const override { return m_window; }

    void Report(const TWindowReport& window);
    // A reporter that goes away leaves nothing in front.
    void SetAvailable(bool available);

private:
    void Set(TForegroundApp app, uint64_t window);

    uint32_t m_ownPid;
    std::string m_procRoot;
    bool m_available = false;
    TForegroundApp m_app;
    uint64_t m_window = 0;
};

// Of two sources, the first while it is available, else the second: the
// desktop's reporter when it runs, else the X11 source that sees at least
// the windows of XWayland. Each comes with the windows it sees.
class TPreferredForeground final : public ForegroundSource {
public:
    TPreferredForeground(std::unique_ptr<ForegroundSource> preferred,
                         TForegroundCoverage preferredCoverage,
                         std::unique_ptr<ForegroundSource> fallback,
                         TForegroundCoverage fallbackCoverage);
    ~TPreferredForeground() override;
    TPreferredForeground(const TPreferredForeground&) = delete;
    TPreferredForeground& operator=(const TPreferredForeground&) = delete;

    bool Available() const override { return Current().Available(); }
    const TForegroundApp& Foreground() const override { return Current().Foreground(); }
    uint64_t ActiveWindow() const override { return Current().ActiveWindow(); }
    void Settle() override { Current().Settle(); }
    std::optional<TForegroundCoverage> Coverage() const override {
        return m_preferred->Available() ? m_preferredCoverage : m_fallbackCoverage;
    }

private:
    ForegroundSource& Current() const;

    std::unique_ptr<ForegroundSource> m_preferred;
    std::unique_ptr<ForegroundSource> m_fallback;
    TForegroundCoverage m_preferredCoverage;
    TForegroundCoverage m_fallbackCoverage;
};

} // namespace zanpel
