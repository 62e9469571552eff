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
    bool ReadOnly() const;
    void SetReadOnly(bool on);
    QChar PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(QChar c); // a null character shows the text
    QColor EditColor() const;
    void SetEditColor(const QColor& color);
    QIcon Glyph() const { return m_glyph; }
    void SetGlyph(const QIcon& glyph);
    bool FlatButton() const;
    void SetFlatButton(bool on);
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int width);
    // Copy the text to the clipboard when the button is pressed (on by default).
    bool AutoCopy = true;
    // The button stays usable while the control is disabled.
    bool ValidButton() const { return m_validButton; }
    void SetValidButton(bool on);

    // The control's own enabled state: the edit follows it, the button too
    // unless ValidButton is set. (Disabling the widget itself through
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
    QIcon m_glyph;
    QChar m_passwordChar;
    int m_bevelWidth = 1;
    bool m_validButton = false;
    bool m_enabled = true;
};

} // namespace zanpel
