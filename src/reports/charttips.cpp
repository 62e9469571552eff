#include "reports/charttips.h"

#include "controls/qcp932.h"

#include <QStringList>

namespace zanpel {
namespace {

QString Line(const QString& label, int64_t seconds) {
    return label + QStringLiteral("  ") + ClockText(seconds);
}

// A name as one line of the chart: a control character (a tab, a line end
// or one written by hand) shows as a space. No XML, and so no SVG file,
// may hold one.
QString WithoutControls(QString text) {
    for (QChar& c : text)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    return text;
}

} // namespace

QString HoursText(int64_t seconds) {
    return QString::number(static_cast<double>(seconds) / 3600.0, 'f', 1) + QLatin1Char('h');
}

QString ClockText(int64_t seconds) {
    const int64_t minutes = seconds / 60;
    return QString::asprintf("%lld:%02lld", static_cast<long long>(minutes / 60),
                             static_cast<long long>(minutes % 60));
}

QString EntryLabel(const TChartEntry& entry) {
    if (!entry.Others)
        return WithoutControls(FromCp932(entry.Name));
    return QStringLiteral("その他 (%1 項目)").arg(entry.Members.size());
}

QString EntryFigures(const TChartEntry& entry) {
    return HoursText(entry.Seconds) + QStringLiteral(" (") +
           QString::number(entry.Share * 100.0, 'f', 1) + QStringLiteral("%)");
}

QString DayTitle(DayNumber day) {
    static const QString weekdays = QStringLiteral("日月火水木金土");
    const CivilDate date = DecodeDate(day);
    return QStringLiteral("%1月%2日(%3)")
        .arg(date.Month)
        .arg(date.Day)
        .arg(weekdays.at(WeekdayOf(day)));
}

QString DayTip(const TMonthChart& chart, size_t day) {
    const TChartDay& shown = chart.Days.at(day);
    QStringList lines{DayTitle(shown.Date)};
    if (!shown.HasRecords) {
        lines << QStringLiteral("記録なし");
        return lines.join(QLatin1Char('\n'));
    }
    for (const TChartPart& part : shown.Stack)
        lines << Line(EntryLabel(chart.Entries.at(part.Entry)), part.Seconds);
    lines << Line(QStringLiteral("作業項目の計"), shown.ItemSeconds);
    if (shown.WorkedSeconds > 0)
        lines << Line(QStringLiteral("作業時間(休憩を除く)"), shown.WorkedSeconds);
    lines << Line(QStringLiteral("定時"), shown.ExpectedSeconds);
    if (shown.OvertimeSeconds > 0)
        lines << Line(QStringLiteral("残業"), shown.OvertimeSeconds);
    return lines.join(QLatin1Char('\n'));
}

QString EntryTip(const TMonthChart& chart, size_t entry) {
    const TChartEntry& shown = chart.Entries.at(entry);
    QString tip = EntryLabel(shown) + QStringLiteral("  ") + ClockText(shown.Seconds) +
                  QStringLiteral(" (") + QString::number(shown.Share * 100.0, 'f', 1) +
                  QStringLiteral("%)");
    constexpr size_t listed = 15; // a tip stays on the screen
    for (size_t i = 0; i < shown.Members.size() && i < listed; ++i)
        tip += QStringLiteral("\n・") + FromCp932(shown.Members[i]);
    if (shown.Members.size() > listed)
        tip += QStringLiteral("\n ほか %1 項目").arg(shown.Members.size() - listed);
    return tip;
}

} // namespace zanpel
