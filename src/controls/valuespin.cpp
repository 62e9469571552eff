#include "controls/valuespin.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zanpel {
namespace {

// The character a key types for the typing rules, or 0 for keys they leave
// to the spin box (arrows, page keys, short-cuts).
char RuleKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace)
        return BackspaceKey;
    if (event.key() == Qt::Key_Delete)
        return DeleteKey;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    const QString text = event.text();
    if (text.size() != 1 || !text[0].isPrint())
        return 0;
    // Characters the rules do not know are dropped like letters.
    return text[0].unicode() < 128 ? static_cast<char>(text[0].unicode()) : '?';
}

} // namespace

TValueSpin::TValueSpin(QWidget* parent) : QSpinBox(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setRange(0, 0x7fff);
    lineEdit()->setText(QStringLiteral("0"));
}

void TValueSpin::SetTimeEdit(bool on) {
    if (on == m_format.TimeEdit)
        return;
    m_format.TimeEdit = on;
    m_format.Point = 2;
    Reformat();
}

void TValueSpin::SetPoint(int point) {
    m_format.Point = std::max(point, 0);
    Reformat();
}

void TValueSpin::Reformat() {
    lineEdit()->setText(textFromValue(value()));
}

QString TValueSpin::textFromValue(int value) const {
    return QString::fromStdString(FormatValue(value, m_format));
}

int TValueSpin::valueFromText(const QString& text) const {
    return ParseValue(text.toStdString(), m_format);
}

QValidator::State TValueSpin::validate(QString& input, int&) const {
    const QChar separator = QLatin1Char(m_format.Separator());
    if (input.count(separator) > 1)
        return QValidator::Invalid;
    for (const QChar c : input)
        if (!c.isDigit() && c != separator)
            return QValidator::Invalid;
    const int v = valueFromText(input);
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void TValueSpin::keyPressEvent(QKeyEvent* event) {
    QLineEdit* edit = lineEdit();
    const char key = RuleKey(*event);
    if (key == 0 || edit->hasSelectedText()) {
        QSpinBox::keyPressEvent(event);
        return;
    }
    event->accept();
    const std::optional<TTypedText> typed =
        TypeKey(edit->text().toStdString(), edit->cursorPosition(), key, m_format);
    if (!typed)
        return;
    edit->setText(QString::fromStdString(typed->Text));
    edit->setCursorPosition(typed->Caret);
}

} // namespace zanpel
