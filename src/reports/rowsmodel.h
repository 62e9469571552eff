// A read-only table of text rows for the report-style lists of the summary:
// fixed columns with captions, widths and alignments, one tool tip per row.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

class QTableView;

namespace zanpel {

struct TColumn {
    QString Caption;
    int Width = 0; // 0: takes the rest of the width
    Qt::Alignment Align = Qt::AlignLeft;
};

class TRowsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TRowsModel(std::vector<TColumn> columns, QObject* parent = nullptr);

    struct Row {
        QStringList Cells;
        QString ToolTip;
    };
    void SetRows(std::vector<Row> rows);
    void Clear() { SetRows({}); }
    const std::vector<TColumn>& Columns() const { return m_columns; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<TColumn> m_columns;
    std::vector<Row> m_rows;
};

// Makes view a report-style list of model: whole rows selected one at a
// time, read only, grid lines, no sorting, the selection still plain to see
// when the list loses the focus, the columns of the model.
void SetUpReportList(QTableView& view, TRowsModel& model, int fontPixels);

// The row selected in view, or -1.
int SelectedRow(const QTableView& view);

} // namespace zanpel
