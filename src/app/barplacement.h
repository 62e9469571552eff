// Where the bar lies: the screen edge it is docked to, its thickness when
// shown (the dock size), whether it is shown or hidden to a strip, and the
// window's place on the screen. A tiling window manager of the i3 family is
// asked to place the window; a window manager that moves it off the screen is
// corrected; a change of the screen is followed.
#pragma once

#include <QObject>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QScreen;
class QTimer;
class QWidget;

namespace zanpel {

class TTilingPlacement;

class TBarPlacement : public QObject {
    Q_OBJECT
public:
    struct Environment {
        std::function<QRect()> ScreenGeometry; // none: the window's screen's
        QString TilingSocket;                  // empty: the bar places itself
        std::function<void(const std::string& line)> Trace;
        int AnimationStepMs = 3; // pause between animation steps
    };

    TBarPlacement(QWidget& window, Environment environment);
    ~TBarPlacement() override;

    int Align() const { return m_align; }
    int DockSize() const { return m_dockSize; }
    void SetDockSize(int size) { m_dockSize = size; }
    // Shown at the dock size, not hidden to a strip.
    bool BarShown() const { return m_barShown; }
    void SetBarShown(bool shown) { m_barShown = shown; }
    QRect ScreenRect() const;
    // The width of a bar docked left or right, else its height.
    int Thickness() const;

    // Docks the bar at the edge align, size thick; size becomes the dock size.
    void Dock(int align, int size);
    void SetThickness(int value);
    // Steps the thickness towards target, drawing each step.
    void AnimateThickness(int target);
    // Asks for the window at wanted.
    void PlaceWindow(const QRect& wanted);
    // Once the window is shown: the tiling manager, if any, takes over, and
    // the screen is followed.
    void Start();

    // After every change of the thickness, for the bar's parts to be laid out.
    std::function<void()> Placed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StartTilingPlacement();
    void JudgePlaceLater();
    void KeepOnScreen();
    void WatchScreen();
    void ScreenMoved(QScreen* screen);
    void FollowScreen();

    QWidget& m_window;
    Environment m_env;
    int m_align;
    int m_dockSize = 165;
    bool m_barShown = true;
    QRect m_wanted;                             // where the bar asked to be placed last
    std::unique_ptr<TTilingPlacement> m_tiling; // the manager that places the bar
    int m_placeCorrections = 0;                 // corrections of the window manager's place
    QTimer* m_placeCheck = nullptr;             // judges the place once the moves settle
    bool m_screenWatched = false;
    std::vector<QMetaObject::Connection> m_screenConnections;
};

} // namespace zanpel
