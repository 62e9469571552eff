// A label that names the field beside it: its buddy, so that a screen
// reader calls the field by the label's text.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace zanpel {

// A label with text, a child of parent, for field (and for the text field
// of field when it is an editable combo box).
QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent);

} // namespace zanpel
