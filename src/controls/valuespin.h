// The numeric edit with up-down arrows of the settings dialog: an integer
// shown as a time ("9:00") or with fixed decimals, read back from what was
// typed, with the typing rules of valuetext.h. Qt's spin box carries the
// range, the step and the arrows; this class adds the text.
#pragma once

#include "controls/valuetext.h"

#include <QSpinBox>

namespace zanpel {

class TValueSpin : public QSpinBox {
    Q_OBJECT
public:
    explicit TValueSpin(QWidget* parent = nullptr);

    int Point() const { return m_format.Point; }
    // Either change shows the value again in the new mode; a change of the
    // time mode also sets two places after the separator.
    void SetTimeEdit(bool on);
    void SetPoint(int point);

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Reformat();

    TValueFormat m_format;
};

} // namespace zanpel
