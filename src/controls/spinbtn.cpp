#include "controls/spinbtn.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace zanpel {

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRepeat(true);
    setAutoRepeatDelay(400);
    setAutoRepeatInterval(100);
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(true);
}

void TTimerSpeedButton::SetFocusFrame(bool on) {
    if (on == m_focusFrame)
        return;
    m_focusFrame = on;
    update();
}

void TTimerSpeedButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (!m_focusFrame)
        return;
    // A dotted frame 3 pixels inside, shifted with the face while pressed.
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(3, 3, -3, -3);
    if (isDown())
        option.rect.translate(1, 1);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

TSpinBtn::TSpinBtn(QWidget* parent)
    : QWidget(parent), m_up(new TTimerSpeedButton(this)), m_down(new TTimerSpeedButton(this)) {
    m_up->setObjectName("UpButton");
    m_down->setObjectName("DownButton");
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    setFocusPolicy(Qt::TabFocus);
    resize(20, 25);
    connect(m_up, &QToolButton::clicked, this, &TSpinBtn::UpClick);
    connect(m_down, &QToolButton::clicked, this, &TSpinBtn::DownClick);
    connect(m_up, &QToolButton::pressed, this, [this] { Pressed(true); });
    connect(m_down, &QToolButton::pressed, this, [this] { Pressed(false); });
}

void TSpinBtn::SetFlat(bool on) {
    m_up->setAutoRaise(on);
    m_down->setAutoRaise(on);
}

void TSpinBtn::SetAccessibleNames(const QString& pair, const QString& up, const QString& down) {
    setAccessibleName(pair);
    m_up->setAccessibleName(up);
    m_down->setAccessibleName(down);
}

void TSpinBtn::Pressed(bool up) {
    // Qt repeats the pressed signal with every repeat; the focus is then
    // where it went at the first.
    MarkFocus(up);
    QWidget* target = m_focusControl;
    if (target && (target->focusPolicy() & Qt::TabFocus) && target->isEnabled() &&
        !target->hasFocus())
        target->setFocus(Qt::MouseFocusReason);
    else if (!target && (focusPolicy() & Qt::TabFocus) && !hasFocus())
        setFocus(Qt::MouseFocusReason);
}

void TSpinBtn::MarkFocus(bool up) {
    m_focusedUp = up;
    UpdateFrames();
}

void TSpinBtn::UpdateFrames() {
    m_up->SetFocusFrame(hasFocus() && m_focusedUp);
    m_down->SetFocusFrame(hasFocus() && !m_focusedUp);
}

void TSpinBtn::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
        MarkFocus(true);
        m_up->click();
        break;
    case Qt::Key_Down:
        MarkFocus(false);
        m_down->click();
        break;
    case Qt::Key_Space:
        (m_focusedUp ? m_up : m_down)->click();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TSpinBtn::resizeEvent(QResizeEvent*) {
    const int w = std::max(width(), 15);
    const int half = height() / 2;
    m_up->setGeometry(0, 0, w, half);
    m_down->setGeometry(0, half, w, height() - half);
}

void TSpinBtn::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    UpdateFrames();
}

void TSpinBtn::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    UpdateFrames();
}

} // namespace zanpel
