#include "app/panelmenu.h"

#include "app/baractions.h"
#include "app/workbuttons.h"
#include "app/workbuttonswidget.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace zanpel {

TPanelMenu::TPanelMenu(const TBarActions& actions, TWorkTiming& timing, TWorkButtons& buttons,
                       TWorkButtonsWidget& buttonsWidget)
    : m_actions(actions), m_timing(timing), m_buttons(buttons), m_buttonsWidget(buttonsWidget) {
    connect(m_actions.NewWork, &QAction::triggered, this,
            [this] { RunMenuCommand(true, &TWorkTiming::N_NewWorkClick); });
    connect(m_actions.DeleteItem, &QAction::triggered, this,
            [this] { RunMenuCommand(true, &TWorkTiming::N_DeleteClick); });
    connect(m_actions.ResetItem, &QAction::triggered, this,
            [this] { RunMenuCommand(true, &TWorkTiming::N_ResetClick); });
    connect(m_actions.ResetAll, &QAction::triggered, this,
            [this] { RunMenuCommand(false, &TWorkTiming::N_AllResetClick); });
    connect(m_actions.PanelPopup, &QMenu::aboutToShow, this, [this] { m_menuOpen = true; });
    connect(m_actions.PanelPopup, &QMenu::aboutToHide, this, [this] {
        // The chosen command runs right after the menu hides; only then do
        // the short-cuts go back to targeting the running item.
        QTimer::singleShot(0, this, [this] {
            m_menuOpen = false;
            for (QAction* a : {m_actions.NewWork, m_actions.DeleteItem, m_actions.ResetItem})
                a->setEnabled(true);
        });
    });
}

void TPanelMenu::PopupMenu1Popup(QPoint atWorkButtons) {
    const TWorkTiming::MenuState state =
        m_timing.PopupMenu1Popup(m_buttons.ButtonAt(atWorkButtons.x(), atWorkButtons.y()));
    m_actions.DeleteItem->setEnabled(state.Delete);
    m_actions.ResetItem->setEnabled(state.Reset);
    m_actions.NewWork->setEnabled(state.NewWork);
}

void TPanelMenu::OpenAt(QPoint onScreen) {
    PopupMenu1Popup(m_buttonsWidget.mapFromGlobal(onScreen));
    m_actions.PanelPopup->popup(onScreen);
}

void TPanelMenu::OpenForFocusedItem() {
    const int focused = m_buttonsWidget.FocusedItem();
    QPoint at(-1, -1); // away from every button: the running one
    if (focused >= 0) {
        const TRect& cell = m_buttons.Buttons(focused).CellRect;
        at = QPoint(cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
    }
    PopupMenu1Popup(at);
    m_actions.PanelPopup->popup(
        m_buttonsWidget.mapToGlobal(focused >= 0 ? at : m_buttonsWidget.rect().center()));
}

void TPanelMenu::RunMenuCommand(bool needsTarget, void (TWorkTiming::*command)()) {
    if (!m_menuOpen && needsTarget) {
        // By short-cut: the command targets the running item, as the menu
        // would when opened away from every button.
        const TWorkTiming::MenuState state = m_timing.PopupMenu1Popup(nullptr);
        const bool allowed = command == &TWorkTiming::N_NewWorkClick  ? state.NewWork
                             : command == &TWorkTiming::N_DeleteClick ? state.Delete
                                                                      : state.Reset;
        if (!allowed)
            return;
    }
    (m_timing.*command)();
}

} // namespace zanpel
