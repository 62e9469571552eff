// The options of the text work report: destination, period and content,
// started from the settings and stored back into them on "出力(&O)".
#pragma once

#include "reports/reportdates.h"
#include "reports/workreport.h"

#include <QDialog>

#include <memory>

class QRadioButton;

namespace Ui {
class WorkReport;
}

namespace zanpel {

class TInitParam;
class TReportDialogs;

class TWorkReport : public QDialog {
    Q_OBJECT
public:
    explicit TWorkReport(TReportDialogs& dialogs, QWidget* parent = nullptr);
    ~TWorkReport() override;

    // Fills the date lists and the captions from dates and every other choice
    // from settings. Choices without a day to show are disabled: the day and
    // week choices in a month without a record, the date choice in a month
    // without a computer-on day.
    void Prepare(const TReportDates& dates, const TInitParam& settings);
    // The file name (trimmed), the flags, the period and the close option.
    void StoreChoices(TInitParam& settings) const;
    TReportChoice Choice() const;
    bool ToClipboard() const;
    int PeriodIndex() const;

    // --- handlers
    void DateTermClick();
    void WorkDetailClick();
    void DestClick();
    void FileEditBtnClick();
    // "出力(&O)": closes with OK only for a choice that gives a report;
    // otherwise says why and stays open.
    void ExecBtnClick();

private:
    QRadioButton* PeriodButton(int index) const;
    uint16_t Flags() const;

    std::unique_ptr<Ui::WorkReport> m_ui;
    TReportDialogs& m_dialogs;
    DayNumber m_current = 0;
};

} // namespace zanpel
