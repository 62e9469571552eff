// The pop-up menus of the button panel and of the APP list, and the about box.
#include "app/aboutbox.h"
#include "app/messagebox.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "records/datalist.h"
#include "tracking/foregroundsource.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QTimer>

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
    m_efTimer->stop();
    m_dialogs.Inform("設定画面はまだありません。設定は zanpel.ini と zanpel.wk2 を編集してください "
                     "(zanpel の終了後に)。");
    m_efTimer->start();
}

void TZanpelForm::ReportActionExecute() {
    m_efTimer->stop();
    m_dialogs.Inform(
        "集計とレポートの画面はまだありません。記録は zanpelctl export で書き出せます。");
    m_efTimer->start();
}

void TZanpelForm::AboutExecute() {
    m_efTimer->stop();
    TSessionInfo session = m_env.Session;
    if (!Foreground().Available())
        session.Coverage = TForegroundCoverage::None;
    TAboutBox box(m_env.DataFolder, this, session);
    box.exec();
    m_efTimer->start();
}

} // namespace zanpel
