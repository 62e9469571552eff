// Building the bar at start and handing its state back at the end.
#include "app/barwindow.h"
#include "app/zanpelform.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <QAction>

namespace zanpel {

void TZanpelForm::FormCreate(const std::string& settingsFile, ErrorReporter& reporter) {
    move(m_placement.ScreenRect().right() + 1, 0); // off-screen until docked
    m_settings.Load(settingsFile, reporter);
    m_workButtons.AppSwitchActive = true;
    m_list.ContinueCategory = m_settings.ContinueCategory;
    m_list.SetMergeSeconds(m_settings.MergeSeconds);
    m_list.SetNoCountSeconds(m_settings.NoCountSeconds);
    if (m_settings.SyncSysLog && m_env.StartLogSync)
        m_env.StartLogSync(); // its result arrives once the journal has been read
    if (m_settings.BarAlign == 0)
        m_settings.BarAlign = edRight;
    m_actions.AppListAction->setChecked(m_settings.AppListVisible);
    SetShownParts(true);
    DockBar(m_settings.BarAlign, m_settings.BarSize);
    m_workButtons.LoadButtons(m_list.AppSwitch());
    if (m_settings.AutoRestSwitch && m_workButtons.ButtonCount() > 0) // an empty bar says so
        m_timing.EnsureRestItem();
    m_timing.LoadRestRanges();
    m_timing.RefreshButtons();
    m_away.SetThreshold(m_settings.AwayMinutes);
    m_switchLog.Load(); // before the start's own switch is added
    if (m_settings.StartWithLast)
        m_timing.StartSelection(m_settings.SelectedWork);
    show();
    PrepareBarWindow(*this);
    m_placement.Start();
    m_ui.SetWorkTimer(m_workButtons.Current() != nullptr);
    m_seenApps.InstallDetectForeground();
    SetAppSwitchMode(m_settings.AppSwitchMode);
    SetAutoHide(m_settings.AutoHide);
    UpdateDateCaption();
    // Auto-hide runs from the showing: some window managers (GNOME's,
    // KDE's) never activate a new tool window, and the bar would wait for a
    // click before it ever hides.
    m_autoHide.SetHideTimer(true);
}

void TZanpelForm::FormDestroy() {
    if (m_settings.SaveWindowPos) {
        m_settings.BarSize = m_placement.DockSize();
        m_settings.BarAlign = m_placement.Align();
    }
    const TMultiButton* current = m_workButtons.Current();
    m_settings.SelectedWork = current ? current->Name : std::string();
    m_settings.AppSwitchMode = m_workButtons.AppSwitchActive;
    m_settings.NoCountSeconds = m_list.NoCountSeconds();
}

} // namespace zanpel
