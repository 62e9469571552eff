// The month chart as a widget of the summary window: it paints the chart
// (chartpainter), tells the figures of a day or an entry in a tool tip, and
// chooses a day by a click or by the Left and Right keys, which the window
// follows in its tables.
#pragma once

#include "reports/chartpainter.h"
#include "reports/monthchart.h"

#include <QWidget>

namespace zanpel {

struct TChartLayout;

class TMonthChartWidget : public QWidget {
    Q_OBJECT
public:
    explicit TMonthChartWidget(QWidget* parent = nullptr);

    // A new month, or the same one anew; the chosen day stays if it is in it.
    void SetChart(TMonthChart chart);
    const TMonthChart& Chart() const { return m_chart; }
    // Marks day as chosen (the tables chose it), none for a day outside the
    // month; no signal.
    void SetSelectedDay(DayNumber day);
    DayNumber SelectedDay() const { return m_selected; }
    // How it paints now: its palette, font, chosen day and focus.
    TChartLook Look() const;
    // The middle of day's bar in the widget (where a test clicks); none
    // outside the month.
    std::optional<QPoint> DayCenter(DayNumber day) const;

    QSize sizeHint() const override { return {640, 400}; }
    QSize minimumSizeHint() const override { return {320, 260}; }

signals:
    // The user chose day, by a click or a key.
    void DayChosen(DayNumber day);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TChartLayout Layout() const;
    bool InMonth(DayNumber day) const;
    void ChooseDay(DayNumber day);
    void DescribeSelection();

    TMonthChart m_chart;
    DayNumber m_selected = 0;
};

} // namespace zanpel
