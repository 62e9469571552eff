// The pop-up menus of the button panel and of the APP list, and the about box.
#include "app/aboutbox.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "records/clock.h"
#include "records/datalist.h"

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
    m_menuTarget = m_workButtons.ButtonAt(atWorkButtons.x(), atWorkButtons.y());
    if (!m_menuTarget)
        m_menuTarget = m_workButtons.Current();
    const TWorkInfo* rec = m_menuTarget ? m_list.Find(Today(m_clock), m_menuTarget->Name) : nullptr;
    const bool enabled = m_menuTarget && !m_list.IsLogin(rec);
    m_actions.N_Delete->setEnabled(enabled);
    m_actions.N_Reset->setEnabled(enabled);
    m_actions.N_NewWork->setEnabled(enabled && m_menuTarget == m_workButtons.Current());
}

void TZanpelForm::EditPopupPopup() {
    m_actions.N_Del->setEnabled(!m_appList->selectedItems().isEmpty());
}

void TZanpelForm::N_DelClick() {
    for (int i = m_appList->count() - 1; i >= 0; --i)
        if (m_appList->item(i)->isSelected())
            delete m_appList->takeItem(i);
}

void TZanpelForm::N16Click() { m_appList->clear(); }

void TZanpelForm::AppListClick() {
    const QListWidgetItem* item = m_appList->currentItem();
    m_appList->setToolTip(m_appList->count() > 0 && item ? item->text() : QString());
}

void TZanpelForm::AboutExecute() {
    m_efTimer->stop();
    TAboutBox box(m_env.DataFolder, this);
    box.exec();
    m_efTimer->start();
}

} // namespace zanpel
