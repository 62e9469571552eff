// Dragging the bar's edges: the inner edge sets its thickness, the others move
// it to the screen edge nearest the mouse. A rubber band shows where it goes.
#include "app/zanpelform.h"
#include "controls/bevellabel.h"

#include <QFrame>
#include <QMouseEvent>
#include <QRubberBand>
#include <QTimer>

namespace zanpel {
namespace {

TRect ToTRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

} // namespace

bool TZanpelForm::eventFilter(QObject* watched, QEvent* event) {
    auto* control = qobject_cast<QWidget*>(watched);
    if (control != m_label1 && control != m_toolPanel)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        ToolMouseDown(control, static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseMove:
        ToolMouseMove(control, static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonRelease:
        ToolMouseUp(control, static_cast<QMouseEvent*>(event));
        break;
    case QEvent::MouseButtonDblClick:
        if (control == m_toolPanel)
            SetupActionExecute();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TZanpelForm::ToolMouseDown(QWidget*, QMouseEvent* event) {
    m_barShown = true;
    if (event->buttons() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    const QPoint at = event->position().toPoint();
    if (!m_drag.Begin({at.x(), at.y()}, width(), height(), m_align, ToTRect(geometry())))
        return;
    m_efTimer->stop();
    if (!m_rubberBand)
        m_rubberBand = new QRubberBand(QRubberBand::Rectangle, nullptr);
}

void TZanpelForm::SetEdgeCursor(QWidget* control, QPoint pos) {
    const int edge = NearestEdge(pos.x(), pos.y(), height(), width());
    Qt::CursorShape shape = m_defaultCursor.shape();
    if (IsMoveEdge(m_align, edge))
        shape = Qt::SizeAllCursor;
    else if (IsInnerEdge(m_align, edge))
        shape = (edge == edLeft || edge == edRight) ? Qt::SizeHorCursor : Qt::SizeVerCursor;
    setCursor(shape);
    control->setCursor(shape);
}

void TZanpelForm::ToolMouseMove(QWidget* control, QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (!m_drag.Dragging()) {
        SetEdgeCursor(control, pos);
        return;
    }
    const QPoint screenPos = control->mapToGlobal(pos);
    m_label1->SetCaption(QString::asprintf("(%d,%d)", screenPos.x(), screenPos.y()));
    FitCaption();
    const TRect r = m_drag.Move({pos.x(), pos.y()}, {screenPos.x(), screenPos.y()},
                                ToTRect(ScreenRect()), m_dockSize);
    m_rubberBand->setGeometry(ToQRect(r));
    m_rubberBand->show();
}

void TZanpelForm::ToolMouseUp(QWidget*, QMouseEvent*) {
    m_barShown = true;
    if (m_drag.Dragging()) {
        if (m_rubberBand)
            m_rubberBand->hide();
        const TBarDrag::Result result = m_drag.End();
        if (result.DockSize)
            m_dockSize = *result.DockSize;
        else if (result.DockTarget != edNone)
            DockBar(result.DockTarget, m_dockSize);
        if (result.DockSize || result.DockTarget != edNone)
            PlaceWindow(ToQRect(result.Rect));
    }
    m_efTimer->start();
    UpdateDateCaption();
}

} // namespace zanpel
