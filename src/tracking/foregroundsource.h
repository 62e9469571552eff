// The application the user works in: the exe name of the program that owns
// the foreground window and that window's title. A source keeps this pair
// current from the window system's own notifications, so that reading it
// costs nothing; the bar reads it on every idle pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zanpel {

inline constexpr size_t MaxExeNameBytes = 260;
inline constexpr size_t MaxTitleBytes = 255;

// CP932 texts. ExeName is the lower-case base name of the program file, at
// most MaxExeNameBytes; it is empty when no program can be named, and for the
// windows of this program itself. Title has at most MaxTitleBytes.
struct TForegroundApp {
    std::string ExeName;
    std::string Title;
    bool operator==(const TForegroundApp&) const = default;
};

// Which windows the foreground sources of a session can see.
enum class TForegroundCoverage {
    None,                  // none: no application switching
    X11,                   // every window of an X11 session
    X11AndWayland,         // X11 windows (XWayland) and Wayland windows (app_id)
    Wayland,               // Wayland windows only: the program runs without XWayland
    XWaylandOnly,          // a Wayland desktop that lists its windows to no program
    KWinScript,            // every window, from our KWin script (KDE Plasma on Wayland)
    GnomeExtension,        // every window, from our GNOME Shell extension
    GnomeWithoutExtension, // GNOME on Wayland, our extension not enabled:
                           // the windows of XWayland until it is
};

class ForegroundSource {
public:
    virtual ~ForegroundSource() = default;
    // False when this session has no way to identify applications.
    virtual bool Available() const = 0;
    virtual const TForegroundApp& Foreground() const = 0;
    // The window in front as this source names it, also when it names no
    // program (a window of this program); 0 when none of its windows is.
    virtual uint64_t ActiveWindow() const { return 0; }
    // Brings the answer up to date with the window system at once, at the
    // cost of a round trip, for a source that has to agree with another.
    virtual void Settle() {}
    // Which windows the source sees now, for a source that sees more while a
    // desktop's reporter runs; none: what the session's sources saw at the
    // start.
    virtual std::optional<TForegroundCoverage> Coverage() const { return std::nullopt; }
    // Called whenever Foreground() or ActiveWindow() has changed.
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void Changed() const {
        if (m_onChange)
            m_onChange();
    }

private:
    std::function<void()> m_onChange;
};

// The source of a session without application identification: no
// application is ever in the foreground.
class NullForegroundSource final : public ForegroundSource {
public:
    bool Available() const override { return false; }
    const TForegroundApp& Foreground() const override { return m_none; }

private:
    TForegroundApp m_none;
};

// The exe name of a program file: the base name of path (file name bytes,
// taken as UTF-8) in CP932, ASCII letters lowered, at most MaxExeNameBytes.
std::string ExeNameOfPath(std::string_view path);

// text (CP932) cut to at most maxBytes, never inside a double-byte character.
std::string CutCp932(std::string_view text, size_t maxBytes);

// The application of a Wayland window, which names no process: the program
// name is its app_id (UTF-8), lowered and cut as an exe name; the title is
// converted as an X11 title is. No program is named without an app_id.
TForegroundApp AppOfToplevel(std::string_view appId, std::string_view title);

TForegroundCoverage CoverageOf(bool x11Source, bool waylandSource, bool waylandSession);

} // namespace zanpel
