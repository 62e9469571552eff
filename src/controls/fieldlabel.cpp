#include "controls/fieldlabel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace zanpel {

QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    // The text field of an editable combo box is a control of its own.
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        combo->lineEdit()->setAccessibleName(text);
    return label;
}

} // namespace zanpel
