#include "app/zanpelform.h"

#include "app/baricons.h"
#include "app/tilingplacement.h"
#include "app/workbuttonswidget.h"
#include "controls/bevellabel.h"
#include "records/clock.h"
#include "settings/initparam.h"
#include "worklist/datalist.h"

#include <QAction>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace zanpel {
namespace {

constexpr int CaptionExtent = 22;
constexpr int SplitterExtent = 3;
constexpr int CaptionMargin = 3;    // the strip's bevel and a little air
constexpr int MinCaptionPixels = 7; // smaller than this nobody reads

// The 3-pixel bar between the buttons and the APP list; dragging it sizes the list.
class TSplitterHandle : public QWidget {
public:
    TSplitterHandle(QWidget* parent, std::function<void(int delta)> moved)
        : QWidget(parent), m_moved(std::move(moved)) {}
    void SetVertical(bool vertical) {
        m_vertical = vertical;
        setCursor(vertical ? Qt::SplitVCursor : Qt::SplitHCursor);
    }

protected:
    void mousePressEvent(QMouseEvent* e) override { m_last = e->globalPosition().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (!(e->buttons() & Qt::LeftButton))
            return;
        const QPoint now = e->globalPosition().toPoint();
        // The list lies after the splitter: moving towards the list shrinks it.
        m_moved(m_vertical ? m_last.y() - now.y() : m_last.x() - now.x());
        m_last = now;
    }

private:
    std::function<void(int)> m_moved;
    bool m_vertical = true;
    QPoint m_last;
};

} // namespace

TZanpelForm::TZanpelForm(TInitParam& settings, TDataList& list, const Clock& clock,
                         TDialogs& dialogs, Environment environment, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_settings(settings), m_list(list), m_clock(clock), m_env(std::move(environment)),
      m_dialogs(dialogs), m_workButtons(list.AppSwitch()),
      m_timing(list, m_workButtons, settings, clock, *this),
      m_editors(list, m_workButtons, m_timing, settings, clock, *this) {
    setObjectName("ZanpelForm");
    setMouseTracking(true);
    resize(180, 590);
    if (!m_env.CursorPos)
        m_env.CursorPos = [] { return QCursor::pos(); };
    m_actions = CreateBarActions(this);
    CreateChildren();
    ConnectActions();
    m_timing.Attach();
    m_editors.Attach();
    m_editors.IsAutostartOn = m_env.IsAutostartOn;
    m_editors.SetAutostart = m_env.SetAutostart;
}

TZanpelForm::~TZanpelForm() {
    delete m_rubberBand;
}

void TZanpelForm::CreateChildren() {
    m_label1 = new TBevelLabel(this);
    m_label1->setObjectName("Label1");
    m_label1->SetSingleLine(true);
    m_label1->SetAlignment(Qt::AlignCenter);
    m_label1->SetBevelOuter(TBevelCut::bvSpace);
    m_label1->SetColor(palette().color(QPalette::Highlight));
    m_label1->SetFontColor(Qt::white);

    m_toolPanel = new QFrame(this);
    m_toolPanel->setObjectName("ToolPanel");
    m_toolPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_toolPanel->setLineWidth(2);
    m_toolPanel->setMouseTracking(true);
    m_workButtons.SetAllowAllUp(true);
    m_workButtons.SetStyle(TListButtonStyle::tbsCheck);
    m_workButtons.SetFlat(true);
    m_workButtonsWidget = new TWorkButtonsWidget(m_workButtons, m_toolPanel);
    m_workButtonsWidget->Trace = m_env.Trace;
    auto* panelLayout = new QVBoxLayout(m_toolPanel);
    panelLayout->setContentsMargins(3, 3, 3, 3);
    panelLayout->addWidget(m_workButtonsWidget);

    auto* splitter = new TSplitterHandle(this, [this](int delta) {
        const bool vertical = IsVerticalBar(m_align);
        const int current = vertical ? m_appList->height() : m_appList->width();
        Splitter1Moved(std::max(current + delta, 0));
    });
    m_splitter = splitter;
    m_splitter->setObjectName("Splitter1");

    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName("ToolBar1");
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    FillToolBar(m_toolBar, m_actions);

    m_appList = new QListWidget(this);
    m_appList->setObjectName("AppList");
    m_appList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_appList->setContextMenuPolicy(Qt::CustomContextMenu);
    m_appList->hide();
    m_splitter->hide();

    m_efTimer = new QTimer(this);
    m_efTimer->setObjectName("efTimer");
    m_efTimer->setInterval(1000);
    m_dispTimer = new QTimer(this);
    m_dispTimer->setObjectName("dispTimer");
    m_dispTimer->setInterval(500);
    m_dispTimer->start();
    m_workTimer = new QTimer(this);
    m_workTimer->setObjectName("WorkTimer");
    m_workTimer->setInterval(200);
    // A sleep of the machine is seen also while nothing runs.
    m_sleepTimer = new QTimer(this);
    m_sleepTimer->setObjectName("SleepTimer");
    m_sleepTimer->setInterval(1000);
    m_sleepTimer->start();

    for (QWidget* tool : {static_cast<QWidget*>(m_label1), static_cast<QWidget*>(m_toolPanel)})
        tool->installEventFilter(this);
    m_defaultCursor = m_toolPanel->cursor();
}

void TZanpelForm::ConnectActions() {
    connect(m_efTimer, &QTimer::timeout, this, &TZanpelForm::efTimerTimer);
    connect(m_dispTimer, &QTimer::timeout, this, &TZanpelForm::dispTimerTimer);
    connect(m_workTimer, &QTimer::timeout, this, [this] { m_timing.WorkTimerTimer(); });
    connect(m_sleepTimer, &QTimer::timeout, this, [this] { m_timing.CheckSleep(); });
    m_timing.OnSleep = [this](const TSleep& sleep) {
        UpdateDateCaption();
        if (m_env.Trace)
            m_env.Trace("woke after " + std::to_string(sleep.Seconds) + " s");
    };
    connect(m_actions.N_NewWork, &QAction::triggered, this,
            [this] { RunMenuCommand(true, &TWorkTiming::N_NewWorkClick); });
    connect(m_actions.N_Delete, &QAction::triggered, this,
            [this] { RunMenuCommand(true, &TWorkTiming::N_DeleteClick); });
    connect(m_actions.N_Reset, &QAction::triggered, this,
            [this] { RunMenuCommand(true, &TWorkTiming::N_ResetClick); });
    connect(m_actions.N_AllReset, &QAction::triggered, this,
            [this] { RunMenuCommand(false, &TWorkTiming::N_AllResetClick); });
    connect(m_actions.PopupMenu1, &QMenu::aboutToShow, this, [this] { m_menuOpen = true; });
    connect(m_actions.PopupMenu1, &QMenu::aboutToHide, this, [this] {
        // The chosen command runs right after the menu hides; only then do
        // the short-cuts go back to targeting the running item.
        QTimer::singleShot(0, this, [this] {
            m_menuOpen = false;
            for (QAction* a : {m_actions.N_NewWork, m_actions.N_Delete, m_actions.N_Reset})
                a->setEnabled(true);
        });
    });
    connect(m_actions.HideAction, &QAction::triggered, this, &TZanpelForm::HideActionExecute);
    connect(m_actions.ApSwAction, &QAction::triggered, this, &TZanpelForm::ApSwActionExecute);
    connect(m_actions.ViewAction, &QAction::triggered, this, &TZanpelForm::AppViewActionExecute);
    connect(m_actions.AboutAction, &QAction::triggered, this, &TZanpelForm::AboutExecute);
    connect(m_actions.SetupAction, &QAction::triggered, this, &TZanpelForm::SetupActionExecute);
    connect(m_actions.ReportAction, &QAction::triggered, this, &TZanpelForm::ReportActionExecute);
    connect(m_actions.ExitAction, &QAction::triggered, this, &QWidget::close);
    connect(m_actions.MenuKeys, &QAction::triggered, this, &TZanpelForm::PopupMenuByKey);
    connect(m_actions.N_Del, &QAction::triggered, this, &TZanpelForm::N_DelClick);
    connect(m_actions.N16, &QAction::triggered, this, &TZanpelForm::N16Click);
    connect(m_appList, &QListWidget::itemClicked, this, &TZanpelForm::AppListClick);
    connect(m_appList, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        EditPopupPopup();
        m_actions.EditPopup->popup(m_appList->viewport()->mapToGlobal(at));
    });
}

int TZanpelForm::Thickness() const {
    // A tiling manager may make the window thicker than the bar it shows.
    const QSize size = m_tiling ? m_wanted.size() : this->size();
    return IsVerticalBar(m_align) ? size.width() : size.height();
}

void TZanpelForm::DockBar(int align, int size) {
    m_dockSize = size;
    const DockLayout layout = DockLayoutFor(align);
    m_workButtons.SetListAlign(layout.ListAlign);
    m_workButtons.SetButtonAlign(layout.ButtonAlign);
    m_label1->SetTextRotate(layout.CaptionTurned ? TTextRotate::trLeft : TTextRotate::trNone);
    m_toolBar->setOrientation(Qt::Horizontal);
    static_cast<TSplitterHandle*>(m_splitter)->SetVertical(IsVerticalBar(align));
    PlaceAppList(align);
    m_align = align;
    SetThickness(size);
}

void TZanpelForm::PlaceAppList(int) {
    // The sizes come from the settings at every layout; nothing else to keep.
    LayoutChildren();
}

void TZanpelForm::SetThickness(int value) {
    const QRect s = ScreenRect();
    // A window cannot be thinner than a pixel; the animation may ask for less.
    const TRect r = DockedRect(m_align, std::max(value, 1),
                               {s.left(), s.top(), s.left() + s.width(), s.top() + s.height()});
    PlaceWindow(QRect(r.Left, r.Top, r.Width(), r.Height()));
    LayoutChildren();
}

void TZanpelForm::resizeEvent(QResizeEvent*) {
    if (m_tiling)
        m_tiling->Resized(IsVerticalBar(m_align) ? width() : height());
    LayoutChildren();
    UpdateDateCaption();
}

void TZanpelForm::LayoutChildren() {
    QRect free = rect();
    const bool vertical = IsVerticalBar(m_align);
    const DockLayout layout = DockLayoutFor(m_align);
    if (m_toolBar->isVisibleTo(this)) {
        const QSize hint = m_toolBar->sizeHint();
        if (layout.ToolBarEdge == edBottom) {
            m_toolBar->setGeometry(free.left(), free.bottom() + 1 - hint.height(), free.width(),
                                   hint.height());
            free.setBottom(free.bottom() - hint.height());
        } else {
            const int top = m_align == edBottom ? free.bottom() + 1 - hint.height() : free.top();
            m_toolBar->setGeometry(free.right() + 1 - hint.width(), top, hint.width(),
                                   hint.height());
            free.setRight(free.right() - hint.width());
        }
    }
    if (m_label1->isVisibleTo(this)) {
        if (vertical) {
            m_label1->setGeometry(free.left(), free.top(), free.width(), CaptionExtent);
            free.setTop(free.top() + CaptionExtent);
        } else {
            m_label1->setGeometry(free.left(), free.top(), CaptionExtent, free.height());
            free.setLeft(free.left() + CaptionExtent);
        }
    }
    if (m_appList->isVisibleTo(this)) {
        const int extent =
            AppListExtent(vertical ? m_settings.AppListHeight : m_settings.AppListWidth);
        if (vertical) {
            m_appList->setGeometry(free.left(), free.bottom() + 1 - extent, free.width(), extent);
            free.setBottom(free.bottom() - extent);
            m_splitter->setGeometry(free.left(), free.bottom() + 1 - SplitterExtent, free.width(),
                                    SplitterExtent);
            free.setBottom(free.bottom() - SplitterExtent);
        } else {
            m_appList->setGeometry(free.right() + 1 - extent, free.top(), extent, free.height());
            free.setRight(free.right() - extent);
            m_splitter->setGeometry(free.right() + 1 - SplitterExtent, free.top(), SplitterExtent,
                                    free.height());
            free.setRight(free.right() - SplitterExtent);
        }
    }
    m_toolPanel->setGeometry(free.isValid() ? free : QRect(free.topLeft(), QSize(0, 0)));
    FitCaption();
}

void TZanpelForm::FitCaption() {
    // A thin bar has little room for the date, above all a horizontal one,
    // whose caption runs across its thickness: the text gets smaller rather
    // than cut.
    const bool turned = m_label1->TextRotate() == TTextRotate::trLeft;
    const int room = (turned ? m_label1->height() : m_label1->width()) - 2 * CaptionMargin;
    QFont font = this->font();
    for (int pixels = QFontInfo(font).pixelSize();
         pixels > MinCaptionPixels &&
         QFontMetrics(font).horizontalAdvance(m_label1->Caption()) > room;)
        font.setPixelSize(--pixels);
    m_label1->setFont(font);
}

void TZanpelForm::Splitter1Moved(int extent) {
    (IsVerticalBar(m_align) ? m_settings.AppListHeight : m_settings.AppListWidth) = extent;
    LayoutChildren();
}

void TZanpelForm::UpdateDateCaption() {
    const CivilDate d = DecodeDate(Today(m_clock));
    const QString text = QString::asprintf("%02d月%02d日 ", d.Month, d.Day);
    m_label1->SetCaption(text);
    setWindowTitle(text);
    FitCaption();
}

void TZanpelForm::SetAppSwitchMode(bool on) {
    m_workButtons.AppSwitchActive = on;
    m_actions.ApSwAction->setChecked(on);
    m_actions.ApSwAction->setIcon(MakeBarIcon(on ? BarIcon::AppSwitchOn : BarIcon::AppSwitchOff));
    m_actions.ApSwAction->setToolTip(on ? "APP切換有効" : "切換無効");
}

void TZanpelForm::SetAutoHide(bool on) {
    m_actions.HideAction->setChecked(on);
    m_settings.AutoHide = on;
    m_actions.HideAction->setIcon(MakeBarIcon(on ? BarIcon::AutoHideOn : BarIcon::AutoHideOff));
    m_actions.HideAction->setToolTip(on ? "自動的に隠す" : "隠さない");
}

void TZanpelForm::HideActionExecute(bool checked) {
    SetAutoHide(checked);
    if (!checked && !m_toolPanel->isVisibleTo(this))
        ShowBar();
}

void TZanpelForm::ApSwActionExecute(bool checked) {
    SetAppSwitchMode(checked);
}

void TZanpelForm::AppViewActionExecute(bool checked) {
    m_actions.ViewAction->setChecked(checked);
    m_appList->setVisible(checked);
    m_settings.AppListVisible = checked;
    m_splitter->setVisible(checked);
    PlaceAppList(m_align);
}

} // namespace zanpel
