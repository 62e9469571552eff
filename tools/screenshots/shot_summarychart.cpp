// The summary window's chart page on the sample month, a day chosen; the
// same with long item names and more items than keep their own colour; and
// on a dark palette.
#include "records/textcodec.h"
#include "reports/monthchartwidget.h"
#include "reports/sumform.h"
#include "samplemonth.h"

#include <QPalette>

namespace zanpel::shots {
namespace {

std::unique_ptr<TSumForm> ChartForm(TSampleMonth* sample, TShotContext& context) {
    auto form = std::make_unique<TSumForm>(sample->List(), sample->Settings(), context.Clock,
                                           sample->Dialogs(), TSumForm::Environment{});
    sample->setParent(form.get());
    form->resize(667, 448);
    form->ShowMonth(sample->List().CurrentDate());
    form->ShowPane(TSummaryPane::Chart);
    return form;
}

TShot ChooseADay(std::unique_ptr<TSumForm> form) {
    TSumForm* shown = form.get();
    return {std::move(form), [shown] {
                TMonthChartWidget& chart = shown->Chart();
                chart.setFocus();
                const DayNumber first = chart.Chart().Days.front().Date;
                chart.SetSelectedDay(first + 9);
            }};
}

TShot SummaryChart(TShotContext& context) {
    return ChooseADay(ChartForm(new TSampleMonth(context), context));
}

// Department-style names of 20 to 30 characters, and small items that share
// the grouped entry.
void RenameAndAddItems(TDataList& month) {
    const std::pair<const char*, const char*> renames[] = {
        {"実装", "二課向け新規顧客管理システム再構築プロジェクト第二期保守作業"},
        {"設計", "基幹業務システム刷新に伴う画面および帳票の詳細設計"},
        {"会議", "部門横断定例会議と議事録の作成"},
    };
    for (int i = 0; i < month.Count(); ++i)
        for (const auto& [from, to] : renames)
            if (month.WorkAt(i)->Name == Utf8ToCp932(from))
                month.WorkAt(i)->Name = Utf8ToCp932(to);
    const char* extra[] = {"問合せ対応", "見積作成", "社内研修",
                           "環境構築",   "障害調査", "資料整理"};
    const DayNumber first = month.CurrentDate() - DecodeDate(month.CurrentDate()).Day + 1;
    for (int i = 0; i < 6; ++i) {
        const DayNumber day = first + 1 + i * 2;
        TWorkInfo* record = month.AddWork({day, Utf8ToCp932(extra[i]), {}, 0, {}});
        const Seconds start = (18 + i % 2) * 3600;
        record->Periods.push_back({{}, {}, start, start + (6 - i) * 900});
        month.CalcTotal(*record);
    }
}

TShot SummaryChartLongNames(TShotContext& context) {
    auto form = ChartForm(new TSampleMonth(context), context);
    RenameAndAddItems(form->Summary().MonthData());
    form->RefreshViews();
    return ChooseADay(std::move(form));
}

// A dark palette as desktops set it, for the chart's colours and outlines.
QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::Base, QColor(0x2A, 0x2A, 0x2A));
    palette.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::PlaceholderText, QColor(0x99, 0x99, 0x99));
    palette.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    palette.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    palette.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    return palette;
}

TShot SummaryChartDark(TShotContext& context) {
    auto form = ChartForm(new TSampleMonth(context), context);
    form->setPalette(DarkPalette());
    return ChooseADay(std::move(form));
}

const TShotRegistrar chart("summary-chart", SummaryChart);
const TShotRegistrar longNames("summary-chart-long-names", SummaryChartLongNames);
const TShotRegistrar dark("summary-chart-dark", SummaryChartDark);

} // namespace
} // namespace zanpel::shots
