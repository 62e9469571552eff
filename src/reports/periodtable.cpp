#include "reports/periodtable.h"

#include "controls/qcp932.h"
#include "reports/timeeditmodel.h"

namespace zanpel {
namespace {

const char* const Headers[] = {"開始時間", "終了時間", "時分", "作業内容", "メモ"};
std::string TEditorRow::*const Columns[] = {&TEditorRow::Start, &TEditorRow::End,
                                            &TEditorRow::Duration, &TEditorRow::Category,
                                            &TEditorRow::Memo};

} // namespace

TPeriodTable::TPeriodTable(const TTimeEditModel& model, QObject* parent)
    : QAbstractTableModel(parent), m_model(model) {}

int TPeriodTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_model.Rows().size());
}

int TPeriodTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(std::size(Headers));
}

QVariant TPeriodTable::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount())
        return {};
    const TEditorRow& row = m_model.Rows()[static_cast<size_t>(index.row())];
    // A memo of several lines shows on the one line of its row.
    return FromCp932Lines(row.*Columns[index.column()])
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QVariant TPeriodTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= columnCount())
        return {};
    return QString::fromUtf8(Headers[section]);
}

void TPeriodTable::Reload() {
    beginResetModel();
    endResetModel();
}

} // namespace zanpel
