#include "controls/editbutton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QToolButton>

namespace zanpel {

TEditButton::TEditButton(QWidget* parent) : QWidget(parent) {
    m_edit = new QLineEdit(this);
    m_edit->setObjectName("Edit");
    m_button = new QToolButton(this);
    m_button->setObjectName("Button");
    m_button->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_edit);
    setFocusPolicy(Qt::StrongFocus);
    connect(m_edit, &QLineEdit::textChanged, this, &TEditButton::Change);
    connect(m_button, &QToolButton::clicked, this, &TEditButton::ButtonClicked);
    resize(sizeHint());
}

QString TEditButton::Text() const {
    return m_edit->text();
}

void TEditButton::SetText(const QString& text) {
    m_edit->setText(text);
}

void TEditButton::SetPasswordChar(QChar c) {
    m_edit->setEchoMode(c.isNull() ? QLineEdit::Normal : QLineEdit::Password);
}

void TEditButton::SetGlyph(const QIcon& glyph) {
    m_button->setIcon(glyph);
}

void TEditButton::SetFlatButton(bool on) {
    m_button->setAutoRaise(on);
}

void TEditButton::SetBevelWidth(int width) {
    m_bevelWidth = std::max(0, width);
    LayoutParts();
}

void TEditButton::SetValidButton(bool on) {
    m_validButton = on;
    ApplyEnabled();
}

void TEditButton::SetEnabled(bool on) {
    m_enabled = on;
    ApplyEnabled();
}

void TEditButton::ApplyEnabled() {
    m_edit->setEnabled(m_enabled);
    m_button->setEnabled(m_enabled || m_validButton);
}

QSize TEditButton::sizeHint() const {
    const QSize edit = m_edit->sizeHint();
    const int height = edit.height() + 2 * m_bevelWidth;
    return {edit.width() + height + m_bevelWidth, height};
}

void TEditButton::resizeEvent(QResizeEvent*) {
    LayoutParts();
}

void TEditButton::LayoutParts() {
    const int side = height();
    m_button->setGeometry(width() - side, 0, side, side);
    m_edit->setGeometry(m_bevelWidth, m_bevelWidth, std::max(0, width() - side - m_bevelWidth),
                        std::max(0, side - 2 * m_bevelWidth));
}

void TEditButton::ButtonClicked() {
    // The text is copied before the handler runs, which may replace it.
    if (AutoCopy)
        QGuiApplication::clipboard()->setText(m_edit->text());
    emit BtnClick();
}

} // namespace zanpel
