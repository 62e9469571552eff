// The report dialog as it opens from the summary of the sample month.
#include "records/textcodec.h"
#include "reports/reportdates.h"
#include "reports/workreportdialog.h"
#include "samplemonth.h"

namespace zanpel::shots {
namespace {

TShot ReportDialog(TShotContext& context) {
    auto* sample = new TSampleMonth(context);
    auto dialog = std::make_unique<TWorkReport>(sample->Dialogs());
    sample->setParent(dialog.get());
    TInitParam& settings = sample->Settings();
    settings.ReportFile = Utf8ToCp932("/home/user/報告/2026-11.txt");
    settings.ReportFlags = ReportStandardMemo | ReportCategoryList | ReportSubtotal;
    settings.ReportPeriod = rpWeek;
    dialog->Prepare(PrepareReportDates(sample->List(), Today(context.Clock)), settings);
    return {std::move(dialog), {}};
}

const TShotRegistrar report("work-report", ReportDialog);

} // namespace
} // namespace zanpel::shots
