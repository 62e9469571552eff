// Hiding the bar to a one-pixel strip once the mouse has left it, and showing
// it again when the mouse rests on the strip. The hide timer ("efTimer") looks
// every second whether the mouse is away; the show timer ("dispTimer") looks,
// half a second after the mouse moved onto the strip, whether it is still
// there. Neither hides a bar without items: it shows how to add the first.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>
#include <string>

class QTimer;
class QWidget;

namespace zanpel {

class TBarPlacement;
class TInitParam;
class TWorkButtons;

class TBarAutoHide : public QObject {
    Q_OBJECT
public:
    struct Environment {
        std::function<QPoint()> CursorPos; // the mouse on the screen
        // One line per hiding and showing (none: not traced).
        std::function<void(const std::string& line)> Trace;
        // XWayland knows where the mouse is only while it is over the bar.
        bool WaylandSession = false;
    };

    TBarAutoHide(QWidget& window, QTimer& hideTimer, QTimer& showTimer, TBarPlacement& placement,
                 const TInitParam& settings, const TWorkButtons& buttons, Environment environment);

    // Shows or hides every part of the bar but the window's own surface.
    std::function<void(bool shown)> ShowParts;
    bool PartsShown() const { return m_partsShown; }

    // The timers' handlers.
    void efTimerTimer() { HideIfMouseAway(); }
    void dispTimerTimer() { ShowIfMouseRests(); }

    void HideIfMouseAway();
    void ShowIfMouseRests();
    // Brings the bar back to its dock size at once.
    void ShowBar();
    // The same, without the trace line.
    void Unhide();
    // Whether the bar looks for the mouse to leave it; off while it is dragged
    // and while one of its dialogs is open.
    void SetHideTimer(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool MouseOnBar() const;
    // Where the mouse is, in the window system's logical pixels.
    QPoint Mouse() const;
    QRect BarRect() const;

    QWidget& m_window;
    QTimer& m_hideTimer;
    QTimer& m_showTimer;
    TBarPlacement& m_placement;
    const TInitParam& m_settings;
    const TWorkButtons& m_buttons;
    Environment m_env;
    bool m_partsShown = true;
    bool m_mouseInside = false; // between the window's enter and leave events
};

} // namespace zanpel
