// Keeping the bar on its screen: where the window manager really put it, a
// change of the screen's size, and a move to another screen.
#include "app/barwindow.h"
#include "app/tilingplacement.h"
#include "app/zanpelform.h"

#include <QMoveEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace zanpel {
namespace {

// Tries to put a misplaced bar back before giving its window manager the
// last word; a manager that keeps moving it is not fought for ever.
constexpr int MaxPlaceCorrections = 3;
constexpr int PlaceSettleMs = 150;

} // namespace

QRect TZanpelForm::ScreenRect() const {
    if (m_env.ScreenGeometry)
        return m_env.ScreenGeometry();
    const QScreen* s = screen();
    return s ? s->geometry() : QRect(0, 0, 800, 600);
}

void TZanpelForm::PlaceWindow(const QRect& wanted) {
    m_wanted = wanted;
    m_placeCorrections = 0;
    // A tiling manager places the window itself, and Sway would centre a
    // floating window again at the window's own wish.
    if (m_tiling)
        m_tiling->Place(TRect::FromSize(wanted.x(), wanted.y(), wanted.width(), wanted.height()),
                        m_align);
    else
        setGeometry(wanted);
    JudgePlaceLater();
}

void TZanpelForm::StartTilingPlacement() {
    if (m_env.TilingSocket.isEmpty() || m_tiling)
        return;
    m_tiling = std::make_unique<TTilingPlacement>(m_env.TilingSocket, winId(), m_env.Trace, [this] {
        // No manager to ask after all: the bar places itself. The object
        // goes once this call, which it makes, has returned.
        m_tiling.release()->deleteLater();
        PlaceWindow(m_wanted);
    });
    m_tiling->ToDevicePixels = [this](const TRect& logical) {
        const QPoint origin = ScreenRect().topLeft();
        return DeviceFromLogical(logical, {origin.x(), origin.y()}, devicePixelRatioF());
    };
    PlaceWindow(m_wanted);
}

void TZanpelForm::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    JudgePlaceLater();
}

void TZanpelForm::JudgePlaceLater() {
    // The window manager answers each of the animation's steps in its own
    // time, and may move the window without the toolkit hearing of it: the
    // place is judged once its answers have settled, from the window system.
    if (!m_placeCheck) {
        m_placeCheck = new QTimer(this);
        m_placeCheck->setSingleShot(true);
        m_placeCheck->setInterval(PlaceSettleMs);
        connect(m_placeCheck, &QTimer::timeout, this, &TZanpelForm::KeepOnScreen);
    }
    m_placeCheck->start();
}

void TZanpelForm::KeepOnScreen() {
    // Some window managers (openbox) move a window that starts on the last
    // column or row of the screen one pixel further, off the screen: the
    // hidden strip of a bar docked right or bottom would then never see the
    // mouse. The window is asked for again, reaching as far before the wanted
    // place as it was moved past it: it no longer starts on the last column,
    // so it stays, and it still covers the wanted pixels.
    if (!isVisible() || m_placeCorrections >= MaxPlaceCorrections || m_tiling)
        return;
    const QRect actual = PlacedGeometry(*this);
    const QPoint shift = actual.topLeft() - m_wanted.topLeft();
    const QRect screen = ScreenRect();
    if (shift.isNull() || screen.contains(actual))
        return;
    ++m_placeCorrections;
    setGeometry(m_wanted.translated(-shift).united(m_wanted).intersected(screen));
}

void TZanpelForm::WatchScreen() {
    QWindow* window = windowHandle();
    if (window == nullptr || m_screenWatched)
        return;
    m_screenWatched = true;
    connect(window, &QWindow::screenChanged, this, &TZanpelForm::ScreenMoved);
    ScreenMoved(window->screen());
}

void TZanpelForm::ScreenMoved(QScreen* screen) {
    for (const QMetaObject::Connection& c : m_screenConnections)
        disconnect(c);
    m_screenConnections.clear();
    if (screen != nullptr) {
        m_screenConnections.push_back(
            connect(screen, &QScreen::geometryChanged, this, &TZanpelForm::FollowScreen));
        m_screenConnections.push_back(
            connect(screen, &QScreen::availableGeometryChanged, this, &TZanpelForm::FollowScreen));
    }
    FollowScreen();
}

void TZanpelForm::FollowScreen() {
    // The same edge and thickness on the screen as it is now; a hidden bar
    // stays a strip.
    SetThickness(m_barShown ? m_dockSize : 1);
}

} // namespace zanpel
