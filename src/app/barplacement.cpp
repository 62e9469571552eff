#include "app/barplacement.h"

#include "app/bargeometry.h"
#include "app/barwindow.h"
#include "app/tilingplacement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace zanpel {
namespace {

// Tries to put a misplaced bar back before giving its window manager the
// last word; a manager that keeps moving it is not fought for ever.
constexpr int MaxPlaceCorrections = 3;
constexpr int PlaceSettleMs = 150;

} // namespace

TBarPlacement::TBarPlacement(QWidget& window, Environment environment)
    : m_window(window), m_env(std::move(environment)), m_align(edRight) {
    m_window.installEventFilter(this);
}

TBarPlacement::~TBarPlacement() = default;

QRect TBarPlacement::ScreenRect() const {
    if (m_env.ScreenGeometry)
        return m_env.ScreenGeometry();
    const QScreen* s = m_window.screen();
    return s ? s->geometry() : QRect(0, 0, 800, 600);
}

int TBarPlacement::Thickness() const {
    // A tiling manager may make the window thicker than the bar it shows.
    const QSize size = m_tiling ? m_wanted.size() : m_window.size();
    return IsVerticalBar(m_align) ? size.width() : size.height();
}

void TBarPlacement::Dock(int align, int size) {
    m_dockSize = size;
    m_align = align;
    SetThickness(size);
}

void TBarPlacement::SetThickness(int value) {
    const QRect s = ScreenRect();
    // A window cannot be thinner than a pixel; the animation may ask for less.
    const TRect r = DockedRect(m_align, std::max(value, 1),
                               {s.left(), s.top(), s.left() + s.width(), s.top() + s.height()});
    PlaceWindow(QRect(r.Left, r.Top, r.Width(), r.Height()));
    if (Placed)
        Placed();
}

void TBarPlacement::AnimateThickness(int target) {
    for (const int t : ThicknessSteps(Thickness(), target, m_window.width())) {
        SetThickness(t);
        // Let the change be drawn, but handle no sockets meanwhile: a second
        // copy that waits for the end of this animation, or gave up on it,
        // is looked at once the animation is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
        if (m_env.AnimationStepMs > 0)
            QThread::msleep(static_cast<unsigned long>(m_env.AnimationStepMs));
    }
}

void TBarPlacement::PlaceWindow(const QRect& wanted) {
    m_wanted = wanted;
    m_placeCorrections = 0;
    // A tiling manager places the window itself, and Sway would centre a
    // floating window again at the window's own wish.
    if (m_tiling)
        m_tiling->Place(TRect::FromSize(wanted.x(), wanted.y(), wanted.width(), wanted.height()),
                        m_align);
    else
        m_window.setGeometry(wanted);
    JudgePlaceLater();
}

void TBarPlacement::Start() {
    StartTilingPlacement();
    WatchScreen();
}

bool TBarPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window) {
        if (event->type() == QEvent::Resize && m_tiling)
            m_tiling->Resized(IsVerticalBar(m_align) ? m_window.width() : m_window.height());
        else if (event->type() == QEvent::Move)
            JudgePlaceLater();
    }
    return QObject::eventFilter(watched, event);
}

void TBarPlacement::StartTilingPlacement() {
    if (m_env.TilingSocket.isEmpty() || m_tiling)
        return;
    m_tiling = std::make_unique<TTilingPlacement>(m_env.TilingSocket, m_window.winId(), m_env.Trace,
                                                  [this] {
                                                      // No manager to ask after all: the bar places
                                                      // itself. The object goes once this call,
                                                      // which it makes, has returned.
                                                      m_tiling.release()->deleteLater();
                                                      PlaceWindow(m_wanted);
                                                  });
    m_tiling->ToDevicePixels = [this](const TRect& logical) {
        const QPoint origin = ScreenRect().topLeft();
        return DeviceFromLogical(logical, {origin.x(), origin.y()}, m_window.devicePixelRatioF());
    };
    PlaceWindow(m_wanted);
}

void TBarPlacement::JudgePlaceLater() {
    // The window manager answers each of the animation's steps in its own
    // time, and may move the window without the toolkit hearing of it: the
    // place is judged once its answers have settled, from the window system.
    if (!m_placeCheck) {
        m_placeCheck = new QTimer(this);
        m_placeCheck->setSingleShot(true);
        m_placeCheck->setInterval(PlaceSettleMs);
        connect(m_placeCheck, &QTimer::timeout, this, &TBarPlacement::KeepOnScreen);
    }
    m_placeCheck->start();
}

void TBarPlacement::KeepOnScreen() {
    // Some window managers (openbox) move a window that starts on the last
    // column or row of the screen one pixel further, off the screen: the
    // hidden strip of a bar docked right or bottom would then never see the
    // mouse. The window is asked for again, reaching as far before the wanted
    // place as it was moved past it: it no longer starts on the last column,
    // so it stays, and it still covers the wanted pixels.
    if (!m_window.isVisible() || m_placeCorrections >= MaxPlaceCorrections || m_tiling)
        return;
    const QRect actual = PlacedGeometry(m_window);
    const QPoint shift = actual.topLeft() - m_wanted.topLeft();
    const QRect screen = ScreenRect();
    if (shift.isNull() || screen.contains(actual))
        return;
    ++m_placeCorrections;
    m_window.setGeometry(m_wanted.translated(-shift).united(m_wanted).intersected(screen));
}

void TBarPlacement::WatchScreen() {
    QWindow* window = m_window.windowHandle();
    if (window == nullptr || m_screenWatched)
        return;
    m_screenWatched = true;
    connect(window, &QWindow::screenChanged, this, &TBarPlacement::ScreenMoved);
    ScreenMoved(window->screen());
}

void TBarPlacement::ScreenMoved(QScreen* screen) {
    for (const QMetaObject::Connection& c : m_screenConnections)
        disconnect(c);
    m_screenConnections.clear();
    if (screen != nullptr) {
        m_screenConnections.push_back(
            connect(screen, &QScreen::geometryChanged, this, &TBarPlacement::FollowScreen));
        m_screenConnections.push_back(connect(screen, &QScreen::availableGeometryChanged, this,
                                              &TBarPlacement::FollowScreen));
    }
    FollowScreen();
}

void TBarPlacement::FollowScreen() {
    // The same edge and thickness on the screen as it is now; a hidden bar
    // stays a strip.
    SetThickness(m_barShown ? m_dockSize : 1);
}

} // namespace zanpel
