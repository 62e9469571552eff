// The work registration dialog "作業登録" of the record editor: a range of
// today picked on a time range grid, a category and a memo. "登録(&U)"
// closes it only when the request's check accepts the range; otherwise it
// says why and stays open.
#pragma once

#include "reports/timeeditmodel.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zanpel {

class TRangeGrid;

class TWorkDefine : public QDialog {
    Q_OBJECT
public:
    explicit TWorkDefine(const TNewPeriodRequest& request, QWidget* parent = nullptr);

    // What the dialog holds now (CP932 texts).
    TNewPeriod Period() const;
    TRangeGrid* RangeGrid() const { return m_grid; } // "RangeGrid1"
    void EnterBtnClick();
    // Where a refusal is said; a message box unless replaced (tests).
    std::function<void(const QString& text)> ShowRefusal;
    // Shows the grid's range in the label (after the mouse picked one).
    void ShowRange();

protected:
    // Opens centred on the screen, not over the bar and its running item.
    void showEvent(QShowEvent* event) override;

private:
    TNewPeriodRequest m_request;
    TRangeGrid* m_grid;
    QLabel* m_rangeLabel;
    QComboBox* m_themeList;
    QPlainTextEdit* m_memo;
    QPushButton* m_enterBtn;
    QPushButton* m_cancelBtn;
};

} // namespace zanpel
