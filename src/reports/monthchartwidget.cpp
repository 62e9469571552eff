#include "reports/monthchartwidget.h"

#include "reports/chartlayout.h"
#include "reports/charttips.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace zanpel {

TMonthChartWidget::TMonthChartWidget(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("月間グラフ"));
}

bool TMonthChartWidget::InMonth(DayNumber day) const {
    return !m_chart.Days.empty() && day >= m_chart.Days.front().Date &&
           day <= m_chart.Days.back().Date;
}

void TMonthChartWidget::SetChart(TMonthChart chart) {
    m_chart = std::move(chart);
    if (!InMonth(m_selected))
        m_selected = 0;
    DescribeSelection();
    update();
}

void TMonthChartWidget::SetSelectedDay(DayNumber day) {
    // A record of another month in the month's file is on no day of it.
    if (!InMonth(day))
        day = 0;
    if (day == m_selected)
        return;
    m_selected = day;
    DescribeSelection();
    update();
}

TChartLook TMonthChartWidget::Look() const {
    TChartLook look = ChartLookOf(*this);
    look.Selected = m_selected;
    look.Focused = hasFocus();
    return look;
}

TChartLayout TMonthChartWidget::Layout() const {
    return LayOutChart(m_chart, QRectF(rect()), QFontMetricsF(Look().Font));
}

std::optional<QPoint> TMonthChartWidget::DayCenter(DayNumber day) const {
    if (!InMonth(day))
        return std::nullopt;
    const TChartLayout layout = Layout();
    return layout.Column(static_cast<size_t>(day - m_chart.Days.front().Date)).center().toPoint();
}

void TMonthChartWidget::ChooseDay(DayNumber day) {
    SetSelectedDay(day);
    emit DayChosen(day);
}

void TMonthChartWidget::DescribeSelection() {
    const bool chosen = InMonth(m_selected);
    setAccessibleDescription(
        chosen ? DayTip(m_chart, static_cast<size_t>(m_selected - m_chart.Days.front().Date))
               : QString());
}

bool TMonthChartWidget::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const TChartLayout layout = Layout();
    QString tip;
    if (const int day = layout.DayAt(help->pos()); day >= 0)
        tip = DayTip(m_chart, static_cast<size_t>(day));
    else if (const int entry = layout.EntryAt(help->pos()); entry >= 0)
        tip = EntryTip(m_chart, static_cast<size_t>(entry));
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, this);
    return true;
}

void TMonthChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintMonthChart(painter, m_chart, QRectF(rect()), Look());
}

void TMonthChartWidget::mousePressEvent(QMouseEvent* event) {
    const int day = Layout().DayAt(event->position());
    if (event->button() == Qt::LeftButton && day >= 0)
        ChooseDay(m_chart.Days[static_cast<size_t>(day)].Date);
    QWidget::mousePressEvent(event);
}

void TMonthChartWidget::keyPressEvent(QKeyEvent* event) {
    const int step = event->key() == Qt::Key_Left ? -1 : event->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || m_chart.Days.empty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const DayNumber first = m_chart.Days.front().Date;
    const DayNumber last = m_chart.Days.back().Date;
    const DayNumber from = m_selected != 0 ? m_selected : step > 0 ? first - 1 : last + 1;
    ChooseDay(std::clamp(from + step, first, last));
}

} // namespace zanpel
