// A single-line edit with a square button at its right end, for a file name
// with a browse button. The button can copy the edit's text to the clipboard
// before it reports its click, and can stay usable while the edit is not.
#pragma once

#include <QIcon>
#include <QWidget>

class QLineEdit;
class QToolButton;

namespace zanpel {

class TEditButton : public QWidget {
    Q_OBJECT
public:
    explicit TEditButton(QWidget* parent = nullptr);

    QString Text() const;
    void SetText(const QString& text);
    void SetPasswordChar(QChar c); // a null character shows the text
    void SetGlyph(const QIcon& glyph);
    void SetFlatButton(bool on);
    void SetBevelWidth(int width); // the edit's inset inside the control
    // Copy the text to the clipboard when the button is pressed (on by default).
    bool AutoCopy = true;
    // The button stays usable while the control is disabled.
    void SetValidButton(bool on);

    // The control's own enabled state: the edit follows it, the button too
    // unless SetValidButton made it stay usable. (Disabling the widget itself through
    // QWidget::setEnabled disables both, as for any Qt widget.)
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);

    QLineEdit* Edit() const { return m_edit; }
    QToolButton* Button() const { return m_button; }
    QSize sizeHint() const override;

signals:
    void Change(const QString& text); // OnChange
    void BtnClick();                  // OnBtnClick

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ButtonClicked();
    void ApplyEnabled();
    void LayoutParts();

    QLineEdit* m_edit;
    QToolButton* m_button;
    int m_bevelWidth = 1;
    bool m_validButton = false;
    bool m_enabled = true;
};

} // namespace zanpel
