#include "app/switchhistory.h"

#include "app/switchlog.h"
#include "app/switchlogmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace zanpel {

TSwitchHistory::TSwitchHistory(const TSwitchLog& log, QWidget* parent)
    : QDialog(parent), m_log(log), m_model(new TSwitchLogModel(log, this)),
      m_table(new QTableView(this)), m_saved(new QLabel(this)) {
    setObjectName("SwitchHistory");
    setWindowTitle(QStringLiteral("切換え履歴"));
    setModal(false);
    m_table->setObjectName("SwitchTable");
    m_table->setAccessibleName(QStringLiteral("切換え履歴"));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false); // Tab goes on to the button
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideRight);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    QHeaderView* header = m_table->horizontalHeader();
    header->setStretchLastSection(true);
    header->setSectionResizeMode(QHeaderView::Interactive);
    m_table->resizeColumnsToContents();
    const int widths[] = {0, 90, 150, 90};
    for (int column = TSwitchLogModel::ItemColumn; column < TSwitchLogModel::TitleColumn; ++column)
        header->resizeSection(column, std::max(header->sectionSize(column), widths[column]));
    m_saved->setObjectName("SavedIn");
    m_saved->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QPushButton(QStringLiteral("閉じる"), this);
    close->setObjectName("CloseButton");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_saved, 1);
    bottom->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(bottom);
    resize(900, 340);
    ShowWhereSaved();
}

void TSwitchHistory::ShowWhereSaved() {
    const std::string& problem = m_log.Problem();
    const std::string path = m_log.FilePath();
    m_saved->setText(!problem.empty() ? QString::fromStdString(problem)
                     : path.empty()
                         ? QStringLiteral("保存先: なし (終了までこのバーが記憶するだけです)")
                         : QStringLiteral("保存先: ") + QString::fromStdString(path));
}

void TSwitchHistory::ShowNewest() {
    const int rows = m_model->rowCount();
    if (rows > 0) {
        m_table->setCurrentIndex(m_model->index(rows - 1, 0));
        m_table->scrollToBottom();
    }
}

void TSwitchHistory::EntryAdded(bool droppedOldest) {
    // The list follows the new entry only when it showed the newest before:
    // a user reading older ones (by the keyboard or the scroll bar) keeps
    // the place.
    const QScrollBar* bar = m_table->verticalScrollBar();
    const int current = m_table->currentIndex().row();
    const bool atNewest =
        bar->value() == bar->maximum() && (current < 0 || current == m_model->rowCount() - 1);
    m_model->EntryAdded(droppedOldest);
    ShowWhereSaved();
    if (atNewest)
        ShowNewest();
}

} // namespace zanpel
