#include "app/barparts.h"

#include "app/baractions.h"
#include "app/barcaption.h"
#include "app/toolstrip.h"
#include "app/workbuttons.h"
#include "app/workbuttonswidget.h"

#include <QFrame>
#include <QListWidget>
#include <QMouseEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace zanpel {

TSplitterHandle::TSplitterHandle(QWidget* parent) : QWidget(parent) {}

void TSplitterHandle::SetVertical(bool vertical) {
    m_vertical = vertical;
    setCursor(vertical ? Qt::SplitVCursor : Qt::SplitHCursor);
}

void TSplitterHandle::mousePressEvent(QMouseEvent* event) {
    m_last = event->globalPosition().toPoint();
}

void TSplitterHandle::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint now = event->globalPosition().toPoint();
    // The list lies after the splitter: moving towards the list shrinks it.
    if (Moved)
        Moved(m_vertical ? m_last.y() - now.y() : m_last.x() - now.x());
    m_last = now;
}

namespace {

QTimer* CreateTimer(QWidget& bar, const char* name, int intervalMs) {
    auto* timer = new QTimer(&bar);
    timer->setObjectName(name);
    timer->setInterval(intervalMs);
    return timer;
}

} // namespace

TBarParts CreateBarParts(QWidget& bar, TWorkButtons& buttons, const TBarActions& actions,
                         std::function<void(const std::string&)> trace) {
    TBarParts parts;
    parts.Caption = new TBarCaption(&bar);

    parts.ButtonPanel = new QFrame(&bar);
    parts.ButtonPanel->setObjectName("ToolPanel");
    parts.ButtonPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    parts.ButtonPanel->setLineWidth(2);
    parts.ButtonPanel->setAccessibleName("作業項目");
    parts.ButtonPanel->setMouseTracking(true);
    buttons.SetAllowAllUp(true);
    buttons.SetStyle(TListButtonStyle::tbsCheck);
    buttons.SetFlat(true);
    parts.Buttons = new TWorkButtonsWidget(buttons, parts.ButtonPanel);
    parts.Buttons->Trace = std::move(trace);
    auto* panelLayout = new QVBoxLayout(parts.ButtonPanel);
    panelLayout->setContentsMargins(3, 3, 3, 3);
    panelLayout->addWidget(parts.Buttons);

    parts.ListSplitter = new TSplitterHandle(&bar);
    parts.ListSplitter->setObjectName("Splitter1");

    parts.ToolBar = new TToolStrip(&bar);
    parts.ToolBar->setObjectName("ToolBar1");
    FillToolStrip(*parts.ToolBar, actions);

    parts.ListSplitter->hide();

    parts.HideTimer = CreateTimer(bar, "efTimer", 1000);
    parts.ShowTimer = CreateTimer(bar, "dispTimer", 500);
    parts.ShowTimer->start();
    parts.WorkTimer = CreateTimer(bar, "WorkTimer", 200);
    parts.SleepTimer = CreateTimer(bar, "SleepTimer", 1000);
    parts.SleepTimer->start();
    return parts;
}

QListWidget* CreateAppList(QWidget& bar) {
    auto* list = new QListWidget(&bar);
    list->setObjectName("AppList");
    list->setAccessibleName("APPリスト");
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->hide();
    return list;
}

} // namespace zanpel
