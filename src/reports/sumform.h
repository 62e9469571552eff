// The monthly summary window: the computer-on days of one month with their
// hours and the overtime estimate, every record of the month day by day, and
// the periods of the selected record; beside these tables, on a page of its
// own, the month's chart. It shows the state of TMonthSummary and forwards
// its buttons there; the report, the chart's picture and the log sync start
// here.
#pragma once

#include "reports/monthsummary.h"
#include "reports/reportdialogs.h"
#include "reports/summarypane.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QTableView;

namespace Ui {
class SumForm;
}

namespace zanpel {

class AtomicWriter;
class JournalSource;
class TInitParam;
class TMonthChartWidget;
class TRowsModel;

class TSumForm : public QDialog {
    Q_OBJECT
public:
    struct Environment {
        // The system log; none (or a source that does not open) hides the sync.
        std::function<std::unique_ptr<JournalSource>()> OpenJournal;
        // The bar takes back a corrected copy of its month.
        TMonthSummary::HandBack ReplaceWorkList;
        // Called once, when the window is first drawn.
        std::function<void(const TSumForm&)> FirstFrame;
        // The program's state folder, where the window remembers whether the
        // tables or the chart were shown last; none: not remembered.
        std::string StateFolder;
        // Writes the report's and the chart's files; none: the standard one.
        AtomicWriter* OutputWriter = nullptr;
    };

    // list: the bar's work list; settings: read for the overtime, changed by
    // the report dialog.
    TSumForm(TDataList& list, TInitParam& settings, const Clock& clock, TReportDialogs& dialogs,
             Environment environment, QWidget* parent = nullptr);
    ~TSumForm() override;

    // Shows the month of list's current day and runs the window modally.
    int Execute(const TDataList& list);
    void ShowMonth(DayNumber day);
    void RefreshViews();
    // Selects the day list row of record and scrolls it into view.
    void SelectDayRecord(const TWorkInfo* record);

    // --- commands
    void CloseBtnClick();
    void SaveBtnClick();
    void ImportBtnClick();
    // "グラフを保存": the chart as PNG or SVG, by the name's suffix.
    void SaveChartClick();
    void ToolButton2Click() { ShowPreviousMonth(); } // ▲前月
    void ToolButton3Click() { ShowNextMonth(); }     // 次月▼
    void ToolButton5Click() { ShowCurrentMonth(); }  // ■今月(更新)
    void ShowPreviousMonth();
    void ShowNextMonth();
    // The month of today from the bar's own list, with what it holds now.
    void ShowCurrentMonth();

    TMonthSummary& Summary() { return m_summary; }
    // Where the middle of the command objectName is, in window coordinates
    // (for the trace that end-to-end tests click by); none when hidden.
    std::optional<QPoint> CommandCenter(const char* objectName) const;
    // The record of the selected day list row, or none.
    const TWorkInfo* SelectedRecord() const;
    TMonthChartWidget& Chart() { return *m_chart; }
    // Shows the tables or the chart, as the page's tab does.
    void ShowPane(TSummaryPane pane);

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MonthListSelectItem();
    void DayListSelectItem();
    void FillMonthList();
    void FillDayList();
    bool JournalOpens() const;
    // Selects the records of a day the chart chose: its computer-on record
    // in both lists, else its first record in the day list.
    void ChartDayChosen(DayNumber day);
    // The chart's commands shown with its page; true while it is shown.
    bool ShowChartCommands();
    // Shows the commands of the page the user chose, and remembers it.
    void PaneChanged();
    QString ChartFileName() const;

    std::unique_ptr<Ui::SumForm> m_ui;
    TDataList& m_list;
    TInitParam& m_settings;
    const Clock& m_clock;
    TReportDialogs& m_dialogs;
    Environment m_env;
    TReportDialogsReporter m_reporter;
    TMonthSummary m_summary;
    TRowsModel* m_monthModel;
    TRowsModel* m_dayModel;
    TRowsModel* m_periodModel;
    TMonthChartWidget* m_chart;
    bool m_firstFrameSeen = false;
};

} // namespace zanpel
