// The bar window: borderless, always on top, docked to a screen edge, with the
// caption strip, the work buttons, the APP list and the tool bar. It hides to
// a one-pixel strip when the mouse leaves it and can be dragged to another
// edge or resized by its inner edge. The arithmetic lives in bargeometry.h;
// this class applies it to widgets.
#pragma once

#include "app/baractions.h"
#include "app/bareditors.h"
#include "app/bargeometry.h"
#include "app/sessioninfo.h"
#include "app/workbuttons.h"
#include "app/worktiming.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QFrame;
class QListWidget;
class QRubberBand;
class QScreen;
class QTimer;
class QToolBar;

namespace zanpel {

class Clock;
class ErrorReporter;
class ForegroundSource;
class JournalSource;
class TBevelLabel;
class TDataList;
class TInitParam;
class TWorkButtonsWidget;

class TDialogs;
class TTilingPlacement;

class TZanpelForm : public QWidget, private TTimingUi, private TBarEditorsUi {
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
    };

    TZanpelForm(TInitParam& settings, TDataList& list, const Clock& clock, TDialogs& dialogs,
                Environment environment, QWidget* parent = nullptr);
    ~TZanpelForm() override;

    // --- start and end (zanpelform_create.cpp)
    // Builds the bar from the settings file and the work definitions, docks
    // it and shows it. settingsFile: the full path of zanpel.ini.
    void FormCreate(const std::string& settingsFile, ErrorReporter& reporter);
    // Copies the bar's state into the settings before they are saved.
    void FormDestroy();

    // --- docking and showing
    void DockBar(int align, int size);
    void PlaceAppList(int align);
    void SetThickness(int value);
    void AnimateThickness(int target);
    void ShowBar();
    void SetAppSwitchMode(bool on) override;
    void SetAutoHide(bool on) override;
    void UpdateDateCaption();
    int Align() const { return m_align; }
    int DockSize() const { return m_dockSize; }
    bool BarShown() const { return m_barShown; }
    int Thickness() const;
    QRect ScreenRect() const;

    // --- a second copy was started: show the bar, press a named item
    void ShowFromSecondCopy();
    void HandOverItem(const std::string& name);

    // --- timers and handlers
    void efTimerTimer();
    void dispTimerTimer();
    void HideActionExecute(bool checked);
    void ApSwActionExecute(bool checked);
    void AppViewActionExecute(bool checked);
    void AboutExecute();
    // The settings dialog; the bar is rebuilt when it is confirmed.
    void SetupActionExecute();
    // The monthly summary window, on the month saved just before.
    void ReportActionExecute();
    void EditPopupPopup();
    void N_DelClick();
    void N16Click();
    void AppListClick();
    void Splitter1Moved(int extent);
    // --- the foreground application (zanpelform_detect.cpp)
    // Runs DetectForegroundPass on every idle pass of the event loop.
    void InstallDetectForeground();
    void DetectForegroundPass();
    // The APP list lines (CP932), for the history "履歴から↑" that the
    // settings dialog offers while rules are edited.
    std::vector<std::string> AppListLines() const;
    // The source in use: the environment's, or a null source.
    const ForegroundSource& Foreground() const;
    // The button that the panel's menu was opened on (or the current one).
    void PopupMenu1Popup(QPoint atWorkButtons);
    // The panel's menu by the menu key or Shift+F10, for the item with the
    // keyboard focus (or the running one).
    void PopupMenuByKey();
    // After one of the bar's own dialogs: the bar becomes the active window
    // again with the focus on its items, so that its short-cuts work.
    void TakeFocusBack();
    TMultiButton* MenuTarget() const { return m_timing.MenuTarget(); }

    TWorkButtons& WorkButtons() { return m_workButtons; }
    TWorkTiming& Timing() { return m_timing; }
    TBarEditors& Editors() { return m_editors; }
    QTimer* WorkTimer() const { return m_workTimer; }
    TWorkButtonsWidget* WorkButtonsWidget() const { return m_workButtonsWidget; }
    const TBarActions& Actions() const { return m_actions; }
    QTimer* EfTimer() const { return m_efTimer; }
    QTimer* DispTimer() const { return m_dispTimer; }
    QListWidget* AppList() const { return m_appList; }
    QFrame* ToolPanel() const { return m_toolPanel; }
    TBevelLabel* Label1() const { return m_label1; }
    QToolBar* ToolBar1() const { return m_toolBar; }
    QWidget* Splitter1() const { return m_splitter; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // TTimingUi
    void SetWorkTimer(bool on) override;
    void SetEfTimer(bool on) override;
    void SetBarEnabled(bool on) override;
    bool Confirm(const std::string& text) override;
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override;
    // TBarEditorsUi
    void ShowError(const std::string& text) override;
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override;
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override;
    // A menu command by its short-cut targets the running item.
    void RunMenuCommand(bool allowed, void (TWorkTiming::*command)());

    // Following the screen (zanpelform_screen.cpp).
    void PlaceWindow(const QRect& wanted);
    void StartTilingPlacement();
    void KeepOnScreen();
    void JudgePlaceLater();
    void WatchScreen();
    void ScreenMoved(QScreen* screen);
    void FollowScreen();

    void CreateChildren();
    void ConnectActions();
    void LayoutChildren();
    void FitCaption();
    void SetShownParts(bool shown);
    bool MouseOnBar() const;
    QRect BarRect() const; // the bar on the screen
    // Dragging the edges (zanpelform_drag.cpp).
    void ToolMouseDown(QWidget* control, QMouseEvent* event);
    void ToolMouseMove(QWidget* control, QMouseEvent* event);
    void ToolMouseUp(QWidget* control, QMouseEvent* event);
    void SetEdgeCursor(QWidget* control, QPoint pos);

    TInitParam& m_settings;
    TDataList& m_list;
    const Clock& m_clock;
    Environment m_env;
    TDialogs& m_dialogs;
    TWorkButtons m_workButtons;
    TWorkTiming m_timing;
    TBarEditors m_editors;
    TBarActions m_actions;
    bool m_menuOpen = false;
    bool m_idleDue = true;    // the loop woke since the last idle pass
    bool m_detecting = false; // an idle pass is running
    bool m_detectInstalled = false;

    TBevelLabel* m_label1 = nullptr;
    QFrame* m_toolPanel = nullptr;
    TWorkButtonsWidget* m_workButtonsWidget = nullptr;
    QWidget* m_splitter = nullptr;
    QToolBar* m_toolBar = nullptr;
    QListWidget* m_appList = nullptr;
    QTimer* m_efTimer = nullptr;
    QTimer* m_workTimer = nullptr;
    QTimer* m_dispTimer = nullptr;
    QTimer* m_sleepTimer = nullptr;
    QRubberBand* m_rubberBand = nullptr;

    int m_align = edRight;
    int m_dockSize = 165;
    bool m_barShown = true;
    bool m_partsShown = true;
    bool m_mouseInside = false;                 // between the window's enter and leave events
    QRect m_wanted;                             // where the bar asked to be placed last
    std::unique_ptr<TTilingPlacement> m_tiling; // the manager that places the bar
    int m_placeCorrections = 0;                 // corrections of the window manager's place
    QTimer* m_placeCheck = nullptr;             // judges the place once the moves settle
    bool m_screenWatched = false;
    std::vector<QMetaObject::Connection> m_screenConnections;
    QCursor m_defaultCursor;
    TBarDrag m_drag;
};

} // namespace zanpel
