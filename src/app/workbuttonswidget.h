// Draws the work button bar from its state (TWorkButtons) and forwards the
// clicks of its toggle and edit buttons back to it.
#pragma once

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QToolButton;

namespace zanpel {

class TWorkButtons;

// What the bar says while it has no work item.
QString EmptyBarHint();

// A work item's name as its button shows it in room: broken into the lines
// that fit, the last one elided when the name needs more, and an "&" kept
// from turning into a mnemonic.
QString FitButtonText(const QString& name, const QFont& font, QSize room);

class TWorkButtonsWidget : public QWidget {
    Q_OBJECT
public:
    TWorkButtonsWidget(TWorkButtons& state, QWidget* parent = nullptr);
    ~TWorkButtonsWidget() override;

    TWorkButtons& State() { return m_state; }
    // The widgets of button i (for tests and for the bar's menus).
    QToolButton* MainButton(int i) const;
    QLabel* TimeDisplay(int i) const;
    QToolButton* DetailButton(int i) const;

    // Brings the child widgets in line with the state.
    void Sync();

    // After each resize, one line per button: where its "編集" button is in
    // the window, so that tests on a real display can click it.
    std::function<void(const std::string& line)> Trace;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Parts {
        QToolButton* Main;
        QLabel* Time;
        QToolButton* Detail;
    };
    Parts CreateParts(int index);
    void UpdateParts(const Parts& parts, int index);

    TWorkButtons& m_state;
    std::vector<Parts> m_parts;
    bool m_syncQueued = false;
};

} // namespace zanpel
