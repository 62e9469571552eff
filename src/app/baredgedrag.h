// Dragging the bar by its caption strip or its button panel: the inner edge
// sets the thickness, the other edges move the bar to the screen edge nearest
// the mouse. A rubber band shows where it goes and the caption shows where the
// mouse is; near an edge the cursor tells which drag a press would start.
#pragma once

#include "app/bargeometry.h"

#include <QCursor>
#include <QObject>

#include <functional>

class QMouseEvent;
class QRubberBand;
class QWidget;

namespace zanpel {

class TBarAutoHide;
class TBarCaption;
class TBarPlacement;

class TBarEdgeDrag : public QObject {
    Q_OBJECT
public:
    // Follows the mouse on caption and panel; the panel's cursor now is the
    // one shown away from the edges.
    TBarEdgeDrag(QWidget& window, TBarCaption& caption, QWidget& panel, TBarPlacement& placement,
                 TBarAutoHide& autoHide);
    ~TBarEdgeDrag() override;

    // Docks the bar at another edge, keeping its dock size.
    std::function<void(int align)> DockBar;
    // After every release of the mouse on caption or panel.
    std::function<void()> Released;

    // The handlers of the mouse on caption and panel; positions are the
    // control's.
    void ToolMouseDown(QMouseEvent* event) { BeginDrag(event); }
    void ToolMouseMove(QWidget* control, QMouseEvent* event) { FollowMouse(control, event); }
    void ToolMouseUp() { EndDrag(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BeginDrag(QMouseEvent* event);
    void FollowMouse(QWidget* control, QMouseEvent* event);
    void EndDrag();
    void SetEdgeCursor(QWidget* control, QPoint pos);

    QWidget& m_window;
    TBarCaption& m_caption;
    QWidget& m_panel;
    TBarPlacement& m_placement;
    TBarAutoHide& m_autoHide;
    QCursor m_defaultCursor;
    TBarDrag m_drag;
    QRubberBand* m_rubberBand = nullptr;
};

} // namespace zanpel
