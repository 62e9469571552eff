// Auto-hide to a one-pixel strip, and showing the bar again.
#include "app/zanpelform.h"
#include "controls/bevellabel.h"
#include "settings/initparam.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFrame>
#include <QListWidget>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <QToolBar>

namespace zanpel {

void TZanpelForm::AnimateThickness(int target) {
    for (const int t : ThicknessSteps(Thickness(), target, width())) {
        SetThickness(t);
        // Let the change be drawn, but handle no sockets meanwhile: a second
        // copy that waits for the end of this animation, or gave up on it,
        // is looked at once the animation is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        if (m_env.AnimationStepMs > 0)
            QThread::msleep(static_cast<unsigned long>(m_env.AnimationStepMs));
    }
}

void TZanpelForm::SetShownParts(bool shown) {
    // A hidden bar is the form's own surface only, so that a mouse resting on
    // any part of the strip brings it back.
    m_partsShown = shown;
    m_toolPanel->setVisible(shown);
    m_label1->setVisible(shown);
    m_toolBar->setVisible(shown);
    m_appList->setVisible(shown && m_actions.ViewAction->isChecked());
    m_splitter->setVisible(shown && m_actions.ViewAction->isChecked());
}

bool TZanpelForm::MouseOnBar() const {
    // XWayland learns where the mouse is only while it is over one of its
    // own windows: once it has left the bar for a Wayland window, the last
    // place it knows is still on the bar. Its leave event says the truth.
    if (m_env.Session.WaylandSession && !m_mouseInside)
        return false;
    return BarRect().contains(m_env.CursorPos());
}

QRect TZanpelForm::BarRect() const {
    // The window's own rectangle: the bar has no frame, and the frame that
    // Qt works out from the window manager is now and then a single pixel
    // (openbox, a bar docked at the top), which would hide the bar under
    // the mouse.
    return geometry();
}

void TZanpelForm::enterEvent(QEnterEvent* event) {
    m_mouseInside = true;
    QWidget::enterEvent(event);
}

void TZanpelForm::leaveEvent(QEvent* event) {
    m_mouseInside = false;
    QWidget::leaveEvent(event);
}

void TZanpelForm::efTimerTimer() {
    if (!m_toolPanel->isVisibleTo(this) || !m_settings.AutoHide)
        return;
    // A bar without items shows how to add the first one: it stays until
    // the user has read it and made one.
    if (m_workButtons.ButtonCount() == 0)
        return;
    if (MouseOnBar())
        return;
    m_efTimer->stop();
    SetShownParts(false);
    AnimateThickness(3);
    SetThickness(1);
    m_barShown = false;
    if (m_env.Trace)
        m_env.Trace("bar hidden");
}

void TZanpelForm::mouseMoveEvent(QMouseEvent* event) {
    if (!m_toolPanel->isVisibleTo(this) && !m_barShown)
        m_dispTimer->start();
    QWidget::mouseMoveEvent(event);
}

void TZanpelForm::dispTimerTimer() {
    m_dispTimer->stop();
    if (m_toolPanel->isVisibleTo(this))
        return;
    if (BarRect().adjusted(-1, -1, 1, 1).contains(m_env.CursorPos()))
        ShowBar();
}

void TZanpelForm::ShowBar() {
    raise();
    activateWindow();
    m_barShown = true;
    AnimateThickness(m_dockSize);
    SetShownParts(true);
    LayoutChildren();
    m_efTimer->start();
    if (m_env.Trace)
        m_env.Trace("bar shown");
}

} // namespace zanpel
