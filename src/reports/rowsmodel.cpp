#include "reports/rowsmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

namespace zanpel {
namespace {

// The lists keep the narrow columns of the original layout; a cell's text
// gets one pixel on each side instead of the style's wider margin and is never
// cut short with "...", so that a time such as 08:50:00 fits its 55 pixels in
// the proportional IPA gothic too (whose digits are wider than those of the
// original's font). The style still draws the cell's background and selection.
class TCompactDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        const QString text = cell.text;
        cell.text.clear();
        const QWidget* widget = cell.widget;
        QStyle* style = widget ? widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        const QPalette::ColorGroup group =
            !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
            : (cell.state & QStyle::State_Active) ? QPalette::Active
                                                  : QPalette::Inactive;
        painter->save();
        painter->setClipRect(cell.rect);
        painter->setFont(cell.font);
        painter->setPen(cell.palette.color(group, (cell.state & QStyle::State_Selected)
                                                      ? QPalette::HighlightedText
                                                      : QPalette::Text));
        painter->drawText(cell.rect.adjusted(1, 0, -1, 0), static_cast<int>(cell.displayAlignment),
                          text);
        painter->restore();
    }
};

} // namespace

TRowsModel::TRowsModel(std::vector<TColumn> columns, QObject* parent)
    : QAbstractTableModel(parent), m_columns(std::move(columns)) {}

void TRowsModel::SetRows(std::vector<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int TRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant TRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const Row& row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return row.Cells.value(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[static_cast<size_t>(index.column())].Align |
                                   Qt::AlignVCenter);
    case Qt::ToolTipRole:
        return row.ToolTip.isEmpty() ? QVariant() : QVariant(row.ToolTip);
    default:
        return {};
    }
}

QVariant TRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    const TColumn& column = m_columns[static_cast<size_t>(section)];
    if (role == Qt::DisplayRole)
        return column.Caption;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(column.Align | Qt::AlignVCenter);
    return {};
}

void SetUpReportList(QTableView& view, TRowsModel& model, int fontPixels) {
    QFont font = view.font();
    font.setPixelSize(fontPixels);
    view.setFont(font);
    view.setModel(&model);
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode(QAbstractItemView::SingleSelection);
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setShowGrid(true);
    view.setSortingEnabled(false);
    view.setWordWrap(false);
    view.setTabKeyNavigation(false);
    view.setItemDelegate(new TCompactDelegate(&view));
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 4);
    QHeaderView* header = view.horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(model.Columns().back().Width == 0);
    for (size_t i = 0; i < model.Columns().size(); ++i)
        if (model.Columns()[i].Width > 0)
            header->resizeSection(static_cast<int>(i), model.Columns()[i].Width);
    // A list that loses the focus keeps showing its selection as it was.
    QPalette palette = view.palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    view.setPalette(palette);
}

int SelectedRow(const QTableView& view) {
    const QModelIndexList rows =
        view.selectionModel() ? view.selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

} // namespace zanpel
