// The bar's actions with their captions, hints, images and short-cuts, its tool
// bar and its two pop-up menus, in the order the user sees them.
#pragma once

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace zanpel {

struct TBarActions {
    QAction* ExitAction = nullptr;
    QAction* ReportAction = nullptr;
    QAction* SetupAction = nullptr;
    QAction* HideAction = nullptr;
    QAction* ApSwAction = nullptr;
    QAction* ViewAction = nullptr;
    QAction* AboutAction = nullptr;
    // Items of the button panel's menu with commands of their own.
    QAction* N_NewWork = nullptr;
    QAction* N_Delete = nullptr;
    QAction* N_Reset = nullptr;
    QAction* N_AllReset = nullptr;
    // The menu key and Shift+F10: the panel's menu from the keyboard.
    QAction* MenuKeys = nullptr;
    // Items of the APP list's menu with commands of their own.
    QAction* N_Del = nullptr;
    QAction* N16 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* EditPopup = nullptr;
};

// Creates every action on owner (so that their short-cuts work in its window)
// and both menus; connects nothing.
TBarActions CreateBarActions(QWidget* owner);

// Fills the tool bar, left to right, with the exit button and the actions.
void FillToolBar(QToolBar* bar, const TBarActions& actions);

} // namespace zanpel
