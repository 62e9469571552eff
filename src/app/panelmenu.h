// The button panel's menu ("PopupMenu1"): opened by the mouse on a button, or
// by the menu key or Shift+F10 for the item with the keyboard focus; its
// commands target that item. By their short-cuts, with the menu closed, they
// target the running item, as the menu would when opened away from every
// button.
#pragma once

#include "app/worktiming.h"

#include <QObject>
#include <QPoint>

namespace zanpel {

class TMultiButton;
class TWorkButtons;
class TWorkButtonsWidget;
struct TBarActions;

class TPanelMenu : public QObject {
    Q_OBJECT
public:
    // Connects the menu's commands.
    TPanelMenu(const TBarActions& actions, TWorkTiming& timing, TWorkButtons& buttons,
               TWorkButtonsWidget& buttonsWidget);

    // Enables the commands for the button at a point of the work buttons (or
    // the running one when there is none).
    void PopupMenu1Popup(QPoint atWorkButtons);
    TMultiButton* MenuTarget() const { return m_timing.MenuTarget(); }
    // Opens the menu at a point of the screen, for the button under it.
    void OpenAt(QPoint onScreen);
    // Opens the menu for the item with the keyboard focus (or the running one).
    void OpenForFocusedItem();

private:
    void RunMenuCommand(bool needsTarget, void (TWorkTiming::*command)());

    const TBarActions& m_actions;
    TWorkTiming& m_timing;
    TWorkButtons& m_buttons;
    TWorkButtonsWidget& m_buttonsWidget;
    bool m_menuOpen = false;
};

} // namespace zanpel
