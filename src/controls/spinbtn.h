// A pair of small arrow buttons, one above the other, that repeat while held
// (400 ms after the press, then every 100 ms, and once more on release). The
// settings dialog uses two: one adds and removes rest periods, one moves the
// edges of a range by a minute.
#pragma once

#include <QPointer>
#include <QToolButton>
#include <QWidget>

namespace zanpel {

// A flat arrow button with Qt's auto-repeat in the rhythm above; it draws a
// focus frame while its pair has the focus and it carries the mark.
class TTimerSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TTimerSpeedButton(QWidget* parent = nullptr);
    void SetFocusFrame(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_focusFrame = false;
};

class TSpinBtn : public QWidget {
    Q_OBJECT
public:
    explicit TSpinBtn(QWidget* parent = nullptr);

    // The control that takes the focus when a button is pressed (if it is a
    // tab stop and does not have it already); none: the pair itself.
    void SetFocusControl(QWidget* control) { m_focusControl = control; }
    void SetFlat(bool on);
    // What a screen reader calls the pair and each of its arrows, which
    // show no text of their own.
    void SetAccessibleNames(const QString& pair, const QString& up, const QString& down);

    TTimerSpeedButton* UpButton() const { return m_up; }
    TTimerSpeedButton* DownButton() const { return m_down; }
    bool FocusedUp() const { return m_focusedUp; }

signals:
    void UpClick();
    void DownClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void Pressed(bool up);
    void MarkFocus(bool up);
    void UpdateFrames();

    TTimerSpeedButton* m_up;
    TTimerSpeedButton* m_down;
    QPointer<QWidget> m_focusControl;
    bool m_focusedUp = true;
};

} // namespace zanpel
