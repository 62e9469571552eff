// The bar window: borderless, always on top, docked to a screen edge, with the
// caption strip, the work buttons, the APP list and the tool bar. The form
// builds its parts and wires them together; its place on the screen, hiding,
// dragging, the APP list and the button panel's menu are objects of their own
// that it owns.
#pragma once

#include "app/awayquestions.h"
#include "app/baractions.h"
#include "app/barautohide.h"
#include "app/baredgedrag.h"
#include "app/bareditors.h"
#include "app/barparts.h"
#include "app/barplacement.h"
#include "app/barui.h"
#include "app/panelmenu.h"
#include "app/seenappspanel.h"
#include "app/sessioninfo.h"
#include "app/switchlog.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>

namespace zanpel {

class Clock;
class ErrorReporter;
class ForegroundSource;
class IdleSource;
class JournalSource;
class TDataList;
class TDialogs;
class TInitParam;
class TSwitchHistory;

class TZanpelForm : public QWidget {
    Q_OBJECT
public:
    struct Environment {
        std::function<QPoint()> CursorPos; // the mouse on the screen
        int AnimationStepMs = 3;           // pause between animation steps
        QString DataFolder;                // shown in the about box
        // Starts the start-up sync of the log-on times (off the user-interface
        // thread); none when the program has no system log to read.
        std::function<void()> StartLogSync;
        // Names the application in the foreground; none: a null source.
        std::shared_ptr<ForegroundSource> Foreground;
        // Tells spells without input and screen locks; none: nothing is asked.
        std::shared_ptr<IdleSource> Idle;
        // One line per event worth following from outside (ZANPEL_TRACE).
        std::function<void(const std::string& line)> Trace;
        // The geometry of the bar's screen; none: the screen's own.
        std::function<QRect()> ScreenGeometry;
        // The system log for the summary's sync; none: the sync is not offered.
        std::function<std::unique_ptr<JournalSource>()> OpenJournal;
        // Start at log-in, offered by the settings dialog when both are set.
        std::function<bool()> IsAutostartOn;
        std::function<std::string(bool on)> SetAutostart; // an error text, empty on success
        // What the session lets the bar do, for the about box.
        TSessionInfo Session;
        // The IPC socket of a tiling window manager of the i3 family that
        // places the bar; empty: the bar places itself.
        QString TilingSocket;
        // The program's state folder, where the switch log is kept; empty:
        // the history of switches stays in memory.
        std::string StateFolder;
    };

    TZanpelForm(TInitParam& settings, TDataList& list, const Clock& clock, TDialogs& dialogs,
                Environment environment, QWidget* parent = nullptr);

    // --- start and end (zanpelform_create.cpp)
    // Builds the bar from the settings file and the work definitions, docks
    // it and shows it. settingsFile: the full path of zanpel.ini.
    void FormCreate(const std::string& settingsFile, ErrorReporter& reporter);
    // Copies the bar's state into the settings before they are saved.
    void FormDestroy();

    // --- the bar's layout and modes
    // Docks the bar at the edge align, size thick, its parts arranged for it.
    void DockBar(int align, int size);
    void SetAppSwitchMode(bool on);
    void SetAutoHide(bool on);
    void UpdateDateCaption();

    // --- a second copy was started: show the bar, press a named item
    void ShowFromSecondCopy();
    void HandOverItem(const std::string& name);

    // --- the commands of the tool bar and the menus (zanpelform_commands.cpp)
    void HideActionExecute(bool checked);
    void ApSwActionExecute(bool checked) { SetAppSwitchMode(checked); }
    void AppViewActionExecute(bool checked);
    void AboutExecute();
    // The settings dialog; the bar is rebuilt when it is confirmed.
    void SetupActionExecute();
    // The monthly summary window, on the month saved just before.
    void ReportActionExecute();
    // The switch history window, opened once and brought up again.
    void SwitchHistoryExecute();
    // After one of the bar's own dialogs: the bar becomes the active window
    // again with the focus on its items, so that its short-cuts work.
    void TakeFocusBack();

    const TBarParts& Parts() const { return m_parts; }
    const TBarActions& Actions() const { return m_actions; }
    TWorkButtons& WorkButtons() { return m_workButtons; }
    TWorkTiming& Timing() { return m_timing; }
    TBarPlacement& Placement() { return m_placement; }
    TBarAutoHide& AutoHide() { return m_autoHide; }
    TSeenAppsPanel& SeenApps() { return m_seenApps; }
    TPanelMenu& PanelMenu() { return m_panelMenu; }
    TSwitchLog& SwitchLog() { return m_switchLog; }
    TSwitchHistory* SwitchHistory() const { return m_history; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectActions();
    void LayoutChildren();
    void SetShownParts(bool shown);

    TInitParam& m_settings;
    TDataList& m_list;
    const Clock& m_clock;
    Environment m_env;
    TDialogs& m_dialogs;
    TBarUi m_ui;
    TWorkButtons m_workButtons;
    TWorkTiming m_timing;
    TBarEditors m_editors;
    TAwayQuestions m_away;
    TBarActions m_actions;
    TBarParts m_parts;
    TBarPlacement m_placement;
    TSeenAppsPanel m_seenApps;
    TBarAutoHide m_autoHide;
    TBarEdgeDrag m_edgeDrag;
    TPanelMenu m_panelMenu;
    TSwitchLog m_switchLog;
    TSwitchHistory* m_history = nullptr; // made at its first opening
};

} // namespace zanpel
