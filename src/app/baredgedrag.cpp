#include "app/baredgedrag.h"

#include "app/barautohide.h"
#include "app/barcaption.h"
#include "app/barplacement.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QWidget>

namespace zanpel {
namespace {

TRect ToTRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

TBarEdgeDrag::TBarEdgeDrag(QWidget& window, TBarCaption& caption, QWidget& panel,
                           TBarPlacement& placement, TBarAutoHide& autoHide)
    : m_window(window), m_caption(caption), m_panel(panel), m_placement(placement),
      m_autoHide(autoHide), m_defaultCursor(panel.cursor()) {
    m_caption.installEventFilter(this);
    m_panel.installEventFilter(this);
}

TBarEdgeDrag::~TBarEdgeDrag() {
    delete m_rubberBand;
}

bool TBarEdgeDrag::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (control != &m_caption && control != &m_panel)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        ToolMouseDown(static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        ToolMouseMove(control, static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        ToolMouseUp();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void TBarEdgeDrag::BeginDrag(QMouseEvent* event) {
    m_placement.SetBarShown(true);
    if (event->buttons() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    const QPoint at = event->position().toPoint();
    if (!m_drag.Begin({at.x(), at.y()}, m_window.width(), m_window.height(), m_placement.Align(),
                      ToTRect(m_window.geometry())))
        return;
    m_autoHide.SetHideTimer(false);
    if (!m_rubberBand)
        m_rubberBand = new QRubberBand(QRubberBand::Rectangle, nullptr);
}

void TBarEdgeDrag::FollowMouse(QWidget* control, QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!m_drag.Dragging()) {
        SetEdgeCursor(control, pos);
        return;
    }
    const QPoint screenPos = control->mapToGlobal(pos);
    m_caption.ShowPosition(screenPos);
    const TRect r = m_drag.Move({pos.x(), pos.y()}, {screenPos.x(), screenPos.y()},
                                ToTRect(m_placement.ScreenRect()), m_placement.DockSize());
    m_rubberBand->setGeometry(ToQRect(r));
    m_rubberBand->show();
}

void TBarEdgeDrag::EndDrag() {
    m_placement.SetBarShown(true);
    if (m_drag.Dragging()) {
        if (m_rubberBand)
            m_rubberBand->hide();
        const TBarDrag::Result result = m_drag.End();
        if (result.DockSize)
            m_placement.SetDockSize(*result.DockSize);
        else if (result.DockTarget != edNone)
            DockBar(result.DockTarget);
        if (result.DockSize || result.DockTarget != edNone)
            m_placement.PlaceWindow(ToQRect(result.Rect));
    }
    m_autoHide.SetHideTimer(true);
    if (Released)
        Released();
}

void TBarEdgeDrag::SetEdgeCursor(QWidget* control, QPoint pos) {
    const int edge = NearestEdge(pos.x(), pos.y(), m_window.height(), m_window.width());
    Qt::CursorShape shape = m_defaultCursor.shape();
    const int align = m_placement.Align();
    if (IsMoveEdge(align, edge))
        shape = Qt::SizeAllCursor;
    else if (IsInnerEdge(align, edge))
        shape = (edge == edLeft || edge == edRight) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    m_window.setCursor(shape);
    control->setCursor(shape);
}

} // namespace zanpel
