// The settings dialog on the sample settings: its first page with the rest
// periods, and its second page with a definition that has rules selected.
#include "records/textcodec.h"
#include "sampledata.h"
#include "settings/initparam.h"
#include "settings/setupform.h"
#include "shotregistry.h"
#include "worklist/datalist.h"

#include <QListWidget>
#include <QTabWidget>

#include <functional>

namespace zanpel::shots {
namespace {

std::unique_ptr<TSetupForm>
SampleSetupForm(TShotContext& context, const std::function<void(TSetupOptions&)>& change = {}) {
    TInitParam settings;
    settings.Load(context.DataFolder + "/zanpel.ini", SampleReporter());
    const std::unique_ptr<TDataList> list = LoadSampleList(context.DataFolder, context.Clock);
    TSetupInput input;
    input.Definitions = &list->AppSwitch();
    input.Options = OptionsFrom(settings, *list, true);
    if (change)
        change(input.Options);
    input.History = {Utf8ToCp932("code/main.cpp - 実装"), Utf8ToCp932("soffice.bin/設計書.odt")};
    input.Now = &context.Clock;
    input.IsAutostartOn = [] { return true; };
    input.SetAutostart = [](bool) { return std::string(); };
    return std::make_unique<TSetupForm>(input);
}

TShot GeneralPage(TShotContext& context) {
    return {SampleSetupForm(context), {}};
}

TShot WorkItemsPage(TShotContext& context) {
    std::unique_ptr<TSetupForm> form = SampleSetupForm(context);
    TSetupForm* shown = form.get();
    return {std::move(form), [shown] {
                shown->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
                shown->findChild<QListWidget*>("WorkListBox")->setCurrentRow(2); // 実装
            }};
}

// Values the summary cannot count right: the warning under the page, with
// the room it needs.
TShot WarningPage(TShotContext& context) {
    return {SampleSetupForm(context,
                            [](TSetupOptions& options) {
                                options.WorkDayBegin = 18 * 60;
                                options.WorkDayEnd = 9 * 60;
                                options.RestTimes = "720:780,750:800";
                            }),
            {}};
}

const TShotRegistrar general("settings-general", GeneralPage);
const TShotRegistrar warning("settings-warning", WarningPage);
const TShotRegistrar items("settings-work-items", WorkItemsPage);

} // namespace
} // namespace zanpel::shots
