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

    // The keyboard: the items are one stop of the tab chain, arrow keys,
    // Home and End move between them, Space and Enter press the one with
    // the focus. The item the focus is on (or goes to), -1 with no items.
    int FocusIndex() const;
    // The item whose button has the focus now, or -1.
    int FocusedItem() const;
    // Gives the keyboard focus to item i (within the items).
    void FocusItem(int i, Qt::FocusReason reason = Qt::OtherFocusReason);

    // After each resize, one line per button: where its "編集" button is in
    // the window, so that tests on a real display can click it.
    std::function<void(const std::string& line)> Trace;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Parts {
        QToolButton* Main;
        QLabel* Time;
        QToolButton* Detail;
        std::string Item; // the name of the item the buttons show
    };
    Parts CreateParts(int index);
    void UpdateParts(Parts& parts, int index);
    // What a screen reader says of an item: the parts' names, and the time
    // today in the item button's description.
    void NameParts(const Parts& parts, const QString& name);
    void TellTime(const Parts& parts, const QString& time);
    int IndexOfMain(const QToolButton* main) const; // -1 when it is none of ours
    void MainClicked(const QToolButton* main);
    // Only the item the focus would go to takes it by the tab key.
    void UpdateTabStop();
    bool ItemKey(int index, int key);

    TWorkButtons& m_state;
    std::vector<Parts> m_parts;
    std::vector<QRect> m_paintedCells; // the frames as last painted
    bool m_syncQueued = false;
    int m_clicks = 0;      // clicks on the items' buttons so far
    int m_focusIndex = -1; // the item the arrow keys went to; -1: the running one
};

} // namespace zanpel
