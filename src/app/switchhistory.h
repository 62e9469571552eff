// The switch history window 「切換え履歴」: the bar's last switches by itself
// and why it made them, the newest at the bottom, following new switches
// while it is open. Not modal; Esc closes it. It only shows the log.
#pragma once

#include <QDialog>

class QLabel;
class QTableView;

namespace zanpel {

class TSwitchLog;
class TSwitchLogModel;

class TSwitchHistory : public QDialog {
    Q_OBJECT
public:
    explicit TSwitchHistory(const TSwitchLog& log, QWidget* parent = nullptr);

    // The log took an entry (and dropped its oldest when droppedOldest).
    void EntryAdded(bool droppedOldest);
    // Makes the newest entry the current row and scrolls to it.
    void ShowNewest();

    QTableView* Table() const { return m_table; }

private:
    void ShowWhereSaved();

    const TSwitchLog& m_log;
    TSwitchLogModel* m_model;
    QTableView* m_table;
    QLabel* m_saved;
};

} // namespace zanpel
