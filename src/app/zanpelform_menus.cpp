// The pop-up menus of the button panel and of the APP list, and the about box.
#include "app/aboutbox.h"
#include "app/messagebox.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "reports/sumform.h"
#include "tracking/foregroundsource.h"
#include "worklist/datalist.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

#include <chrono>

namespace zanpel {

void TZanpelForm::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_toolPanel->isVisible() || !m_toolPanel->geometry().contains(event->pos()))
        return;
    PopupMenu1Popup(m_workButtonsWidget->mapFromGlobal(event->globalPos()));
    m_actions.PopupMenu1->popup(event->globalPos());
}

void TZanpelForm::PopupMenu1Popup(QPoint atWorkButtons) {
    const TWorkTiming::MenuState state =
        m_timing.PopupMenu1Popup(m_workButtons.ButtonAt(atWorkButtons.x(), atWorkButtons.y()));
    m_actions.N_Delete->setEnabled(state.Delete);
    m_actions.N_Reset->setEnabled(state.Reset);
    m_actions.N_NewWork->setEnabled(state.NewWork);
}

void TZanpelForm::PopupMenuByKey() {
    if (!m_partsShown)
        return;
    const int focused = m_workButtonsWidget->FocusedItem();
    QPoint at(-1, -1); // away from every button: the running one
    if (focused >= 0) {
        const TRect& cell = m_workButtons.Buttons(focused).CellRect;
        at = QPoint(cell.Left + cell.Width() / 2, cell.Top + cell.Height() / 2);
    }
    PopupMenu1Popup(at);
    m_actions.PopupMenu1->popup(
        m_workButtonsWidget->mapToGlobal(focused >= 0 ? at : m_workButtonsWidget->rect().center()));
}

void TZanpelForm::RunMenuCommand(bool needsTarget, void (TWorkTiming::*command)()) {
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

void TZanpelForm::EditPopupPopup() {
    m_actions.N_Del->setEnabled(!m_appList->selectedItems().isEmpty());
}

void TZanpelForm::N_DelClick() {
    for (int i = m_appList->count() - 1; i >= 0; --i)
        if (m_appList->item(i)->isSelected())
            delete m_appList->takeItem(i);
}

void TZanpelForm::N16Click() {
    m_appList->clear();
}

void TZanpelForm::AppListClick() {
    const QListWidgetItem* item = m_appList->currentItem();
    m_appList->setToolTip(m_appList->count() > 0 && item ? item->text() : QString());
}

void TZanpelForm::SetupActionExecute() {
    m_editors.SetupActionExecute(AppListLines());
}

void TZanpelForm::TakeFocusBack() {
    if (!isVisible() || !m_partsShown)
        return;
    raise();
    activateWindow();
    if (m_workButtonsWidget->FocusedItem() < 0)
        m_workButtonsWidget->FocusItem(m_workButtonsWidget->FocusIndex());
}

void TZanpelForm::ReportActionExecute() {
    const auto started = std::chrono::steady_clock::now();
    m_efTimer->stop();
    TSumForm::Environment env;
    env.OpenJournal = m_env.OpenJournal;
    env.ReplaceWorkList = [this](const TDataList& corrected) {
        m_timing.ReplaceWorkList(corrected);
    };
    env.FirstFrame = [this, started](const TSumForm& form) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started);
        if (!m_env.Trace)
            return;
        m_env.Trace("summary shown after " + std::to_string(ms.count()) + " ms");
        for (const char* command : {"ImportBtn", "ToolButton2", "ToolButton3"})
            if (const std::optional<QPoint> at = form.CommandCenter(command))
                m_env.Trace("summary " + std::string(command) + " at " + std::to_string(at->x()) +
                            "," + std::to_string(at->y()));
    };
    {
        TSumForm form(m_list, m_settings, m_clock, m_dialogs, std::move(env), this);
        m_list.SaveIfAllowed(); // the window reads the month from its file
        form.Execute(m_list);
    }
    m_efTimer->start();
    TakeFocusBack();
}

void TZanpelForm::AboutExecute() {
    m_efTimer->stop();
    TSessionInfo session = m_env.Session;
    if (!Foreground().Available())
        session.Coverage = TForegroundCoverage::None;
    TAboutBox box(m_env.DataFolder, this, session);
    box.exec();
    m_efTimer->start();
    TakeFocusBack();
}

} // namespace zanpel
