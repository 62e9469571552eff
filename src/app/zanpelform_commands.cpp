// The commands of the tool bar and the menus that open the bar's windows or
// switch its modes.
#include "app/aboutbox.h"
#include "app/datafolder.h"
#include "app/messagebox.h"
#include "app/switchhistory.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "controls/windowplace.h"
#include "reports/sumform.h"
#include "settings/initparam.h"
#include "tracking/foregroundsource.h"
#include "tracking/idlesource.h"
#include "worklist/datalist.h"

#include <QAction>
#include <QTableView>

#include <chrono>

namespace zanpel {

void TZanpelForm::HideActionExecute(bool checked) {
    SetAutoHide(checked);
    if (!checked && !m_autoHide.PartsShown())
        m_autoHide.ShowBar();
}

void TZanpelForm::AppViewActionExecute(bool checked) {
    m_actions.AppListAction->setChecked(checked);
    m_seenApps.SetVisible(checked);
    m_settings.AppListVisible = checked;
    LayoutChildren();
}

void TZanpelForm::SetupActionExecute() {
    m_editors.SetupActionExecute(m_seenApps.AppListLines());
}

void TZanpelForm::TakeFocusBack() {
    if (!isVisible() || !m_autoHide.PartsShown())
        return;
    raise();
    activateWindow();
    TWorkButtonsWidget* buttons = m_parts.Buttons;
    if (buttons->FocusedItem() < 0)
        buttons->FocusItem(buttons->FocusIndex());
}

void TZanpelForm::ReportActionExecute() {
    const auto started = std::chrono::steady_clock::now();
    m_autoHide.SetHideTimer(false);
    TSumForm::Environment env;
    env.OpenJournal = m_env.OpenJournal;
    env.StateFolder = StateFolderOfProgram();
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
    m_autoHide.SetHideTimer(true);
    TakeFocusBack();
}

void TZanpelForm::SwitchHistoryExecute() {
    const bool first = !m_history;
    if (first)
        m_history = new TSwitchHistory(m_switchLog, this);
    m_history->ShowNewest();
    m_history->show();
    // Its first place is the screen's middle, not over the bar it belongs
    // to; later it opens where the user left it.
    if (first)
        MoveToScreenCentre(*m_history);
    m_history->raise();
    m_history->activateWindow();
    m_history->Table()->setFocus();
}

void TZanpelForm::AboutExecute() {
    m_autoHide.SetHideTimer(false);
    TSessionInfo session = m_env.Session;
    session.IdleSource = m_env.Idle ? m_env.Idle->Name() : std::string();
    // A desktop's reporter may have come or gone since the start.
    const ForegroundSource& foreground = m_seenApps.Foreground();
    session.Coverage = foreground.Available() ? foreground.Coverage().value_or(session.Coverage)
                                              : TForegroundCoverage::None;
    TAboutBox box(m_env.DataFolder, this, session, QString::fromStdString(m_switchLog.Problem()));
    box.exec();
    m_autoHide.SetHideTimer(true);
    TakeFocusBack();
}

} // namespace zanpel
