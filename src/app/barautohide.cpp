#include "app/barautohide.h"

#include "app/barplacement.h"
#include "app/workbuttons.h"
#include "settings/initparam.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace zanpel {

TBarAutoHide::TBarAutoHide(QWidget& window, QTimer& hideTimer, QTimer& showTimer,
                           TBarPlacement& placement, const TInitParam& settings,
                           const TWorkButtons& buttons, Environment environment)
    : m_window(window), m_hideTimer(hideTimer), m_showTimer(showTimer), m_placement(placement),
      m_settings(settings), m_buttons(buttons), m_env(std::move(environment)) {
    connect(&m_hideTimer, &QTimer::timeout, this, &TBarAutoHide::efTimerTimer);
    connect(&m_showTimer, &QTimer::timeout, this, &TBarAutoHide::dispTimerTimer);
    m_window.installEventFilter(this);
}

void TBarAutoHide::HideIfMouseAway() {
    if (!m_partsShown || !m_settings.AutoHide)
        return;
    // A bar without items shows how to add the first one: it stays until
    // the user has read it and made one.
    if (m_buttons.ButtonCount() == 0)
        return;
    if (MouseOnBar())
        return;
    m_hideTimer.stop();
    m_partsShown = false;
    ShowParts(false);
    m_placement.AnimateThickness(3);
    m_placement.SetThickness(1);
    m_placement.SetBarShown(false);
    if (m_env.Trace)
        m_env.Trace("bar hidden");
}

void TBarAutoHide::ShowIfMouseRests() {
    m_showTimer.stop();
    if (m_partsShown)
        return;
    if (BarRect().adjusted(-1, -1, 1, 1).contains(Mouse()))
        ShowBar();
}

void TBarAutoHide::ShowBar() {
    Unhide();
    if (m_env.Trace)
        m_env.Trace("bar shown");
}

void TBarAutoHide::Unhide() {
    m_window.raise();
    m_window.activateWindow();
    m_placement.SetBarShown(true);
    m_placement.AnimateThickness(m_placement.DockSize());
    m_partsShown = true;
    ShowParts(true);
    m_hideTimer.start();
}

void TBarAutoHide::SetHideTimer(bool on) {
    if (on)
        m_hideTimer.start();
    else
        m_hideTimer.stop();
}

bool TBarAutoHide::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_window)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Enter:
        m_mouseInside = true;
        break;
    case QEvent::Leave:
        m_mouseInside = false;
        break;
    case QEvent::MouseMove:
        if (!m_partsShown && !m_placement.BarShown())
            m_showTimer.start();
        break;
    case QEvent::ActivationChange:
        if (m_window.isActiveWindow())
            m_hideTimer.start();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool TBarAutoHide::MouseOnBar() const {
    // XWayland learns where the mouse is only while it is over one of its
    // own windows: once it has left the bar for a Wayland window, the last
    // place it knows is still on the bar. Its leave event says the truth.
    if (m_env.WaylandSession && !m_mouseInside)
        return false;
    return BarRect().contains(Mouse());
}

QPoint TBarAutoHide::Mouse() const {
    // Above a scale factor of 1 the last device pixels of a screen round to
    // the first logical pixel beyond it, where no screen is: such a point is
    // the screen's last pixel, on a bar docked at that edge. A point on a
    // screen beside it stays where it is.
    const QPoint mouse = m_env.CursorPos();
    const QRect screen = m_placement.ScreenRect();
    if (screen.contains(mouse) || QGuiApplication::screenAt(mouse) != nullptr)
        return mouse;
    return {std::clamp(mouse.x(), screen.left(), screen.right()),
            std::clamp(mouse.y(), screen.top(), screen.bottom())};
}

QRect TBarAutoHide::BarRect() const {
    // The window's own rectangle: the bar has no frame, and the frame that
    // Qt works out from the window manager is now and then a single pixel
    // (openbox, a bar docked at the top), which would hide the bar under
    // the mouse.
    return m_window.geometry();
}

} // namespace zanpel
