#include "app/switchlogmodel.h"

#include "app/switchlog.h"
#include "app/switchlogline.h"

namespace zanpel {

TSwitchLogModel::TSwitchLogModel(const TSwitchLog& log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log), m_rows(static_cast<int>(log.Entries().size())) {}

int TSwitchLogModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TSwitchLogModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString TSwitchLogModel::Text(int row, int column) const {
    const TSwitchEntry& entry = m_log.Entries().at(static_cast<size_t>(row));
    std::string text;
    switch (column) {
    case TimeColumn:
        text = SwitchTimeText(entry);
        break;
    case ItemColumn:
        text = entry.Item.empty() ? "(なし)" : EscapeLogText(entry.Item);
        break;
    case ReasonColumn:
        text = SwitchReasonText(entry);
        break;
    case ProgramColumn:
        text = EscapeLogText(entry.Program);
        break;
    default:
        text = EscapeLogText(entry.Title);
        break;
    }
    return QString::fromStdString(text);
}

QVariant TSwitchLogModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_rows ||
        static_cast<size_t>(index.row()) >= m_log.Entries().size())
        return {};
    // A long title or rule is cut in its cell; its tip shows it whole.
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() >= ReasonColumn))
        return Text(index.row(), index.column());
    return {};
}

QVariant TSwitchLogModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {"時刻", "作業項目", "理由", "プログラム", "ウィンドウ名"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(titles[section]) : QVariant();
}

void TSwitchLogModel::EntryAdded(bool droppedOldest) {
    if (droppedOldest && m_rows > 0) {
        beginRemoveRows({}, 0, 0);
        --m_rows;
        endRemoveRows();
    }
    beginInsertRows({}, m_rows, m_rows);
    ++m_rows;
    endInsertRows();
}

} // namespace zanpel
