#include "app/seenappspanel.h"

#include "app/applistlines.h"
#include "app/baractions.h"
#include "app/bargeometry.h"
#include "app/barparts.h"
#include "app/barplacement.h"
#include "app/foregrounddetector.h"
#include "records/textcodec.h"
#include "settings/initparam.h"
#include "tracking/foregroundsource.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QListWidget>
#include <QMenu>

#include <chrono>
#include <optional>

namespace zanpel {
namespace {

constexpr int SplitterExtent = 3;

} // namespace

TSeenAppsPanel::TSeenAppsPanel(QWidget& bar, TSplitterHandle& splitter, const TBarActions& actions,
                               TWorkButtons& buttons, TInitParam& settings,
                               const TBarPlacement& placement, Environment environment)
    : m_bar(bar), m_splitter(splitter), m_actions(actions), m_buttons(buttons),
      m_settings(settings), m_placement(placement), m_env(std::move(environment)) {
    m_splitter.Moved = [this](int delta) {
        const bool vertical = IsVerticalBar(m_placement.Align());
        const int current = vertical ? ListBox().height() : ListBox().width();
        Splitter1Moved(std::max(current + delta, 0));
    };
    connect(m_actions.DeleteLines, &QAction::triggered, this, &TSeenAppsPanel::N_DelClick);
    connect(m_actions.ClearLines, &QAction::triggered, this, &TSeenAppsPanel::N16Click);
}

QListWidget& TSeenAppsPanel::ListBox() {
    if (m_list != nullptr)
        return *m_list;
    m_list = CreateAppList(m_bar);
    connect(m_list, &QListWidget::itemClicked, this, &TSeenAppsPanel::AppListClick);
    connect(m_list, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
        EditPopupPopup();
        m_actions.AppListPopup->popup(m_list->viewport()->mapToGlobal(at));
    });
    TAppListLines lines(*m_list);
    for (const std::string& line : m_unshown.Lines)
        lines.Append(line);
    if (m_unshown.Current >= 0)
        lines.SelectOnly(m_unshown.Current);
    m_unshown = {};
    return *m_list;
}

const ForegroundSource& TSeenAppsPanel::Foreground() const {
    static const NullForegroundSource none;
    if (m_env.Foreground)
        return *m_env.Foreground;
    return none;
}

std::vector<std::string> TSeenAppsPanel::AppListLines() const {
    if (m_list == nullptr)
        return m_unshown.Lines;
    std::vector<std::string> lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines.push_back(TAppListLines::LineOf(*m_list->item(i)));
    return lines;
}

void TSeenAppsPanel::InstallDetectForeground() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread());
    if (dispatcher == nullptr || m_detectInstalled)
        return;
    m_detectInstalled = true;
    // The loop says aboutToBlock before it waits and awake when it wakes. A
    // pass has something new to see only when the loop woke since the last
    // one, so the work is done once per wake, however often the loop asks.
    connect(dispatcher, &QAbstractEventDispatcher::awake, this, [this] { m_idleDue = true; });
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
            &TSeenAppsPanel::DetectForegroundPass);
}

void TSeenAppsPanel::DetectForegroundPass() {
    // The switching step runs the selection road, which may show a dialog
    // whose own loop comes back here: that pass waits for this one to end.
    if (!m_idleDue || m_detecting)
        return;
    m_idleDue = false;
    m_detecting = true;
    struct Running {
        bool& Flag;
        ~Running() { Flag = false; }
    } running{m_detecting};
    const int before = m_buttons.ItemIndex();
    std::optional<TAppListLines> listed;
    if (m_list != nullptr)
        listed.emplace(*m_list);
    TAppLines& lines = listed ? static_cast<TAppLines&>(*listed) : m_unshown;
    const TDetectResult result = DetectForeground(Foreground(), m_buttons, lines);
    if (!m_env.Trace)
        return;
    if (result.LineChanged)
        m_env.Trace("app " + Cp932ToUtf8(lines.Line(result.Line)));
    const TMultiButton* current = m_buttons.Current();
    if (m_buttons.ItemIndex() != before && current != nullptr) {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
        m_env.Trace("switched " + Cp932ToUtf8(current->Name) + " at " + std::to_string(micros));
    }
}

void TSeenAppsPanel::SetVisible(bool visible) {
    if (visible || m_list != nullptr)
        ListBox().setVisible(visible);
    m_splitter.setVisible(visible);
}

QRect TSeenAppsPanel::PlaceAppList(QRect free, int align) {
    if (m_list == nullptr || !m_list->isVisibleTo(&m_bar))
        return free;
    const bool vertical = IsVerticalBar(align);
    const int extent = AppListExtent(vertical ? m_settings.AppListHeight : m_settings.AppListWidth);
    if (vertical) {
        m_list->setGeometry(free.left(), free.bottom() + 1 - extent, free.width(), extent);
        free.setBottom(free.bottom() - extent);
        m_splitter.setGeometry(free.left(), free.bottom() + 1 - SplitterExtent, free.width(),
                               SplitterExtent);
        free.setBottom(free.bottom() - SplitterExtent);
    } else {
        m_list->setGeometry(free.right() + 1 - extent, free.top(), extent, free.height());
        free.setRight(free.right() - extent);
        m_splitter.setGeometry(free.right() + 1 - SplitterExtent, free.top(), SplitterExtent,
                               free.height());
        free.setRight(free.right() - SplitterExtent);
    }
    return free;
}

void TSeenAppsPanel::EnableDeleteForSelection() {
    m_actions.DeleteLines->setEnabled(!ListBox().selectedItems().isEmpty());
}

void TSeenAppsPanel::DeleteSelectedLines() {
    QListWidget& list = ListBox();
    for (int i = list.count() - 1; i >= 0; --i)
        if (list.item(i)->isSelected())
            delete list.takeItem(i);
}

void TSeenAppsPanel::ClearSeenApplications() {
    ListBox().clear();
}

void TSeenAppsPanel::ShowCurrentLineAsHint() {
    QListWidget& list = ListBox();
    const QListWidgetItem* item = list.currentItem();
    list.setToolTip(list.count() > 0 && item ? item->text() : QString());
}

void TSeenAppsPanel::SetListExtent(int extent) {
    (IsVerticalBar(m_placement.Align()) ? m_settings.AppListHeight : m_settings.AppListWidth) =
        extent;
    if (Resized)
        Resized();
}

} // namespace zanpel
