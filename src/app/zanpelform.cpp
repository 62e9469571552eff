#include "app/zanpelform.h"

#include "app/barcaption.h"
#include "app/baricons.h"
#include "app/switchhistory.h"
#include "app/toolstrip.h"
#include "app/workbuttonswidget.h"
#include "records/clock.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QListWidget>
#include <QTimer>

namespace zanpel {
namespace {

constexpr int CaptionExtent = 22;

TZanpelForm::Environment WithDefaults(TZanpelForm::Environment env) {
    if (!env.CursorPos)
        env.CursorPos = [] { return QCursor::pos(); };
    return env;
}

} // namespace

TZanpelForm::TZanpelForm(TInitParam& settings, TDataList& list, const Clock& clock,
                         TDialogs& dialogs, Environment environment, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings), m_list(list), m_clock(clock),
      m_env(WithDefaults(std::move(environment))), m_dialogs(dialogs), m_ui(*this, dialogs),
      m_workButtons(list.AppSwitch()), m_timing(list, m_workButtons, settings, clock, m_ui),
      m_editors(list, m_workButtons, m_timing, settings, clock, m_ui),
      m_away(*this, list, clock, m_timing, m_workButtons,
             {m_env.Idle, m_env.Trace, [this](const std::string& text) { m_ui.ShowError(text); }}),
      m_actions(CreateBarActions(this)),
      m_parts(CreateBarParts(*this, m_workButtons, m_actions, m_env.Trace)),
      m_placement(*this,
                  {m_env.ScreenGeometry, m_env.TilingSocket, m_env.Trace, m_env.AnimationStepMs}),
      m_seenApps(*this, *m_parts.ListSplitter, m_actions, m_workButtons, settings, m_placement,
                 {m_env.Foreground, m_env.Trace}),
      m_autoHide(*this, *m_parts.HideTimer, *m_parts.ShowTimer, m_placement, settings,
                 m_workButtons, {m_env.CursorPos, m_env.Trace, m_env.Session.WaylandSession}),
      m_edgeDrag(*this, *m_parts.Caption, *m_parts.ButtonPanel, m_placement, m_autoHide),
      m_panelMenu(m_actions, m_timing, m_workButtons, *m_parts.Buttons),
      m_switchLog(m_env.StateFolder) {
    setObjectName("ZanpelForm");
    setMouseTracking(true);
    resize(180, 590);
    ConnectActions();
    m_timing.Attach();
    m_editors.Attach();
    m_editors.IsAutostartOn = m_env.IsAutostartOn;
    m_editors.SetAutostart = m_env.SetAutostart;
    m_editors.OnSettingsApplied = [this] { m_away.SetThreshold(m_settings.AwayMinutes); };
    m_timing.OnAutoSwitch = [this](const TSwitchEntry& entry) { m_switchLog.Add(entry); };
    m_switchLog.OnProblem = [this](const std::string& problem) {
        if (m_env.Trace)
            m_env.Trace("switch log: " + problem);
    };
    m_switchLog.OnAdded = [this](bool droppedOldest) {
        if (m_history)
            m_history->EntryAdded(droppedOldest);
    };
}

void TZanpelForm::ConnectActions() {
    m_placement.Placed = [this] { LayoutChildren(); };
    m_seenApps.Resized = [this] { LayoutChildren(); };
    m_autoHide.ShowParts = [this](bool shown) {
        SetShownParts(shown);
        if (shown)
            LayoutChildren();
    };
    m_edgeDrag.DockBar = [this](int align) { DockBar(align, m_placement.DockSize()); };
    m_edgeDrag.Released = [this] { UpdateDateCaption(); };
    m_parts.ButtonPanel->installEventFilter(this); // a double click opens the settings
    connect(m_parts.WorkTimer, &QTimer::timeout, this, [this] { m_timing.WorkTimerTimer(); });
    connect(m_parts.SleepTimer, &QTimer::timeout, this, [this] {
        m_timing.CheckSleep();
        // A bar that stays shown is never laid out again: the date changes
        // here, within a second of midnight, running item or not.
        if (m_parts.Caption->ShownDay() != Today(m_clock))
            UpdateDateCaption();
    });
    m_timing.OnSleep = [this](const TSleep& sleep) {
        UpdateDateCaption();
        if (m_env.Trace)
            m_env.Trace("woke after " + std::to_string(sleep.Seconds) + " s");
    };
    m_timing.OnClockStep = [this](const TClockStep& step) {
        UpdateDateCaption();
        if (m_env.Trace)
            m_env.Trace("clock set by " + std::to_string(step.Seconds) + " s");
    };
    connect(m_actions.HideAction, &QAction::triggered, this, &TZanpelForm::HideActionExecute);
    connect(m_actions.AppSwitchAction, &QAction::triggered, this, &TZanpelForm::ApSwActionExecute);
    connect(m_actions.AppListAction, &QAction::triggered, this, &TZanpelForm::AppViewActionExecute);
    connect(m_actions.AboutAction, &QAction::triggered, this, &TZanpelForm::AboutExecute);
    connect(m_actions.SetupAction, &QAction::triggered, this, &TZanpelForm::SetupActionExecute);
    connect(m_actions.ReportAction, &QAction::triggered, this, &TZanpelForm::ReportActionExecute);
    connect(m_actions.SwitchHistoryAction, &QAction::triggered, this,
            &TZanpelForm::SwitchHistoryExecute);
    connect(m_actions.ExitAction, &QAction::triggered, this, &QWidget::close);
    connect(m_actions.MenuKeys, &QAction::triggered, this, [this] {
        if (m_autoHide.PartsShown())
            m_panelMenu.OpenForFocusedItem();
    });
}

void TZanpelForm::DockBar(int align, int size) {
    const DockLayout layout = DockLayoutFor(align);
    m_workButtons.SetListAlign(layout.ListAlign);
    m_workButtons.SetButtonAlign(layout.ButtonAlign);
    m_parts.Caption->SetTextRotate(layout.CaptionTurned ? TTextRotate::trLeft
                                                        : TTextRotate::trNone);
    m_parts.ListSplitter->SetVertical(IsVerticalBar(align));
    LayoutChildren();
    m_placement.Dock(align, size);
}

void TZanpelForm::resizeEvent(QResizeEvent*) {
    LayoutChildren();
    UpdateDateCaption();
}

void TZanpelForm::LayoutChildren() {
    QRect free = rect();
    const int align = m_placement.Align();
    const DockLayout layout = DockLayoutFor(align);
    TToolStrip* toolBar = m_parts.ToolBar;
    if (toolBar->isVisibleTo(this)) {
        const QSize hint = toolBar->sizeHint();
        if (layout.ToolBarEdge == edBottom) {
            toolBar->setGeometry(free.left(), free.bottom() + 1 - hint.height(), free.width(),
                                 hint.height());
            free.setBottom(free.bottom() - hint.height());
        } else {
            const int top = align == edBottom ? free.bottom() + 1 - hint.height() : free.top();
            toolBar->setGeometry(free.right() + 1 - hint.width(), top, hint.width(), hint.height());
            free.setRight(free.right() - hint.width());
        }
    }
    TBarCaption* caption = m_parts.Caption;
    if (caption->isVisibleTo(this)) {
        if (IsVerticalBar(align)) {
            caption->setGeometry(free.left(), free.top(), free.width(), CaptionExtent);
            free.setTop(free.top() + CaptionExtent);
        } else {
            caption->setGeometry(free.left(), free.top(), CaptionExtent, free.height());
            free.setLeft(free.left() + CaptionExtent);
        }
    }
    free = m_seenApps.PlaceAppList(free, align);
    m_parts.ButtonPanel->setGeometry(free.isValid() ? free : QRect(free.topLeft(), QSize(0, 0)));
    caption->FitText();
}

void TZanpelForm::SetShownParts(bool shown) {
    // A hidden bar is the form's own surface only, so that a mouse resting on
    // any part of the strip brings it back.
    m_parts.ButtonPanel->setVisible(shown);
    m_parts.Caption->setVisible(shown);
    m_parts.ToolBar->setVisible(shown);
    m_seenApps.SetVisible(shown && m_actions.AppListAction->isChecked());
}

void TZanpelForm::UpdateDateCaption() {
    setWindowTitle(m_parts.Caption->ShowDate(Today(m_clock)));
}

void TZanpelForm::SetAppSwitchMode(bool on) {
    m_workButtons.AppSwitchActive = on;
    m_actions.AppSwitchAction->setChecked(on);
    m_actions.AppSwitchAction->setIcon(
        MakeBarIcon(on ? BarIcon::AppSwitchOn : BarIcon::AppSwitchOff));
    m_actions.AppSwitchAction->setToolTip(on ? "APP切換有効" : "切換無効");
}

void TZanpelForm::SetAutoHide(bool on) {
    m_actions.HideAction->setChecked(on);
    m_settings.AutoHide = on;
    m_actions.HideAction->setIcon(MakeBarIcon(on ? BarIcon::AutoHideOn : BarIcon::AutoHideOff));
    m_actions.HideAction->setToolTip(on ? "自動的に隠す" : "隠さない");
}

void TZanpelForm::ShowFromSecondCopy() {
    if (m_placement.DockSize() < 10) // too thin to be seen
        m_placement.SetDockSize(142);
    m_autoHide.Unhide();
}

void TZanpelForm::HandOverItem(const std::string& name) {
    m_timing.PressItemByName(name);
    ShowFromSecondCopy();
}

bool TZanpelForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_parts.ButtonPanel && event->type() == QEvent::MouseButtonDblClick)
        SetupActionExecute();
    return QWidget::eventFilter(watched, event);
}

void TZanpelForm::contextMenuEvent(QContextMenuEvent* event) {
    QFrame* panel = m_parts.ButtonPanel;
    if (!panel->isVisible() || !panel->geometry().contains(event->pos()))
        return;
    m_panelMenu.OpenAt(event->globalPos());
}

void TZanpelForm::closeEvent(QCloseEvent* event) {
    event->accept();
    QCoreApplication::quit();
}

} // namespace zanpel
