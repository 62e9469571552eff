// The children of the bar window, from its outer edge in: the caption strip,
// the panel of the work buttons, the splitter and list of the applications
// seen in front, the tool buttons, and the timers. Each keeps the object name that
// the window's description gives it; the C++ names say what each is.
#pragma once

#include <QWidget>

#include <functional>
#include <string>

class QFrame;
class QListWidget;
class QTimer;

namespace zanpel {

class TBarCaption;
class TToolStrip;
class TWorkButtons;
class TWorkButtonsWidget;
struct TBarActions;

// The 3-pixel bar between the work buttons and the APP list; dragging it
// sizes the list, which lies after it.
class TSplitterHandle : public QWidget {
public:
    explicit TSplitterHandle(QWidget* parent);
    // The bar runs top to bottom: the handle is dragged up and down.
    void SetVertical(bool vertical);
    // The list grows by delta pixels (shrinks when negative).
    std::function<void(int delta)> Moved;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool m_vertical = true;
    QPoint m_last;
};

struct TBarParts {
    TBarCaption* Caption = nullptr;          // "Label1": the date, or the mouse while dragging
    QFrame* ButtonPanel = nullptr;           // "ToolPanel": holds the work buttons
    TWorkButtonsWidget* Buttons = nullptr;   // the work buttons, filling the panel
    TSplitterHandle* ListSplitter = nullptr; // "Splitter1": sizes the APP list
    TToolStrip* ToolBar = nullptr;           // "ToolBar1": the tool buttons
    QTimer* HideTimer = nullptr;             // "efTimer": hides the bar once the mouse has left it
    QTimer* ShowTimer = nullptr;  // "dispTimer": shows it when the mouse rests on the strip
    QTimer* WorkTimer = nullptr;  // "WorkTimer": the timing engine's tick
    QTimer* SleepTimer = nullptr; // "SleepTimer": looks for a sleep also while nothing runs
};

// Creates the children on the bar window, in the order above, with their
// design settings; the splitter of the APP list starts hidden, and the list
// itself is made only when it is first shown. Sets the work
// buttons' style. Connects nothing.
TBarParts CreateBarParts(QWidget& bar, TWorkButtons& buttons, const TBarActions& actions,
                         std::function<void(const std::string&)> trace);

// The APP list "AppList" on the bar window, hidden.
QListWidget* CreateAppList(QWidget& bar);

} // namespace zanpel
