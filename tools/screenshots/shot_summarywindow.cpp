// The monthly summary window on the sample month, with a day selected.
#include "reports/sumform.h"
#include "samplemonth.h"
#include "tracking/journalsource.h"

#include <QTableView>

namespace zanpel::shots {
namespace {

// A journal that opens, so that the sync button shows as on a machine with one.
class TOpenJournal final : public JournalSource {
public:
    int Open() override { return 0; }
    bool Previous(uint64_t&) override { return false; }
};

TShot SummaryWindow(TShotContext& context) {
    auto* sample = new TSampleMonth(context);
    TSumForm::Environment env;
    env.OpenJournal = [] { return std::make_unique<TOpenJournal>(); };
    auto form = std::make_unique<TSumForm>(sample->List(), sample->Settings(), context.Clock,
                                           sample->Dialogs(), env);
    sample->setParent(form.get());
    form->resize(667, 448);
    form->ShowMonth(sample->List().CurrentDate());
    QTableView* months = form->findChild<QTableView*>("MonthList");
    QTableView* days = form->findChild<QTableView*>("DayList");
    return {std::move(form), [months, days] {
                months->setFocus();
                months->selectRow(std::max(0, months->model()->rowCount() - 3));
                days->setFocus();
            }};
}

const TShotRegistrar summary("summary-window", SummaryWindow);

} // namespace
} // namespace zanpel::shots
