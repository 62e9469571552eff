// The settings dialog on the sample settings: its first page with the rest
// periods, its second page with a definition that has rules selected, and
// the rule tester there with a match (and a rule line in red that can match
// nothing) and without one.
#include "records/textcodec.h"
#include "sampledata.h"
#include "settings/initparam.h"
#include "settings/setupform.h"
#include "shotregistry.h"
#include "worklist/datalist.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
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

// The page "作業項目" with 実装 selected, then changed by change once shown.
TShot TesterPage(TShotContext& context, std::function<void(TSetupForm&)> change) {
    std::unique_ptr<TSetupForm> form = SampleSetupForm(context);
    TSetupForm* shown = form.get();
    return {std::move(form), [shown, change = std::move(change)] {
                shown->findChild<QTabWidget*>("PageControl1")->setCurrentIndex(1);
                shown->findChild<QListWidget*>("WorkListBox")->setCurrentRow(2); // 実装
                change(*shown);
            }};
}

// The history's first line tried, an edited rule line that can match nothing.
TShot TesterMatch(TShotContext& context) {
    return TesterPage(context, [](TSetupForm& form) {
        form.findChild<QPlainTextEdit*>("AppList")->appendPlainText(QStringLiteral("code/(下書き"));
    });
}

// A window that no rule takes, and the nearest reasons.
TShot TesterNoMatch(TShotContext& context) {
    return TesterPage(context, [](TSetupForm& form) {
        form.findChild<QLineEdit*>("TryProgram")->setText(QStringLiteral("firefox"));
        form.findChild<QLineEdit*>("TryTitle")->setText(QStringLiteral("予定表 - Mozilla Firefox"));
    });
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
const TShotRegistrar testerMatch("settings-tester-match", TesterMatch);
const TShotRegistrar testerNoMatch("settings-tester-none", TesterNoMatch);

} // namespace
} // namespace zanpel::shots
