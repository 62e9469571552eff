// The switch history as rows for a view: one row per entry of the bar's
// switch log, oldest first, in the columns 時刻, 作業項目, 理由, プログラム and
// ウィンドウ名. The texts are those of zanpelctl why.
#pragma once

#include <QAbstractTableModel>

namespace zanpel {

class TSwitchLog;

class TSwitchLogModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TimeColumn, ItemColumn, ReasonColumn, ProgramColumn, TitleColumn, ColumnCount };

    explicit TSwitchLogModel(const TSwitchLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The log took an entry (and dropped its oldest when droppedOldest).
    void EntryAdded(bool droppedOldest);

private:
    QString Text(int row, int column) const;

    const TSwitchLog& m_log;
    int m_rows;
};

} // namespace zanpel
