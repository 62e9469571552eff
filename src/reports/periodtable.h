// The record editor's period list as a table model over the rows that
// TTimeEditModel computes.
#pragma once

#include <QAbstractTableModel>

namespace zanpel {

class TTimeEditModel;

class TPeriodTable : public QAbstractTableModel {
    Q_OBJECT
public:
    TPeriodTable(const TTimeEditModel& model, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The rows were rebuilt.
    void Reload();

private:
    const TTimeEditModel& m_model;
};

} // namespace zanpel
