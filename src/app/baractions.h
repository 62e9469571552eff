// The bar's actions with their captions, hints, images and short-cuts, its tool
// strip and its two pop-up menus, in the order the user sees them.
#pragma once

class QAction;
class QMenu;
class QWidget;

namespace zanpel {

class TToolStrip;

// Each action and menu keeps its object name from the window's description
// (in quotes where the C++ name differs).
struct TBarActions {
    QAction* ExitAction = nullptr;
    QAction* ReportAction = nullptr;
    QAction* SetupAction = nullptr;
    QAction* HideAction = nullptr;
    QAction* AppSwitchAction = nullptr; // "ApSwAction"
    QAction* AppListAction = nullptr;   // "ViewAction": shows the APP list
    QAction* AboutAction = nullptr;
    QAction* SwitchHistoryAction = nullptr; // 「切換え履歴」: the bar's own switches
    // Items of the button panel's menu with commands of their own.
    QAction* NewWork = nullptr;    // "N_NewWork"
    QAction* DeleteItem = nullptr; // "N_Delete"
    QAction* ResetItem = nullptr;  // "N_Reset"
    QAction* ResetAll = nullptr;   // "N_AllReset"
    // The menu key and Shift+F10: the panel's menu from the keyboard.
    QAction* MenuKeys = nullptr;
    // Items of the APP list's menu with commands of their own.
    QAction* DeleteLines = nullptr; // "N_Del": the selected lines
    QAction* ClearLines = nullptr;  // "N16": every line
    QMenu* PanelPopup = nullptr;    // "PopupMenu1": the button panel's menu
    QMenu* AppListPopup = nullptr;  // "EditPopup": the APP list's menu
};

// Creates every action on owner (so that their short-cuts work in its window)
// and both menus; connects nothing.
TBarActions CreateBarActions(QWidget* owner);

// Fills the tool strip, left to right, with the exit button and the actions.
void FillToolStrip(TToolStrip& strip, const TBarActions& actions);

} // namespace zanpel
