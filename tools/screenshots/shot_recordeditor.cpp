// The record editor on today's sample record of an item with several
// periods, and the work registration dialog it opens for a new period.
#include "records/textcodec.h"
#include "reports/timeedit.h"
#include "reports/workdefine.h"
#include "sampledata.h"
#include "settings/rangegridwidget.h"
#include "shotregistry.h"
#include "worklist/datalist.h"

#include <QTableView>

namespace zanpel::shots {
namespace {

// The editor with the model it works on; both go with the window.
class TEditorShot : public TTimeEdit {
public:
    TEditorShot(std::unique_ptr<TTimeEditModel> model)
        : TTimeEdit(*model, m_dialogs), m_model(std::move(model)) {}

private:
    TTimeEditScreenDialogs m_dialogs;
    std::unique_ptr<TTimeEditModel> m_model;
};

TShot RecordEditor(TShotContext& context) {
    const std::unique_ptr<TDataList> list = LoadSampleList(context.DataFolder, context.Clock);
    const std::string name = Utf8ToCp932("設計");
    TRecordEditRequest request{list->GetWorkCopy(Today(context.Clock), name),
                               list->GetCategories(name), false, &context.Clock};
    auto editor =
        std::make_unique<TEditorShot>(std::make_unique<TTimeEditModel>(request, context.Clock));
    TEditorShot* shown = editor.get();
    return {std::move(editor),
            [shown] { shown->findChild<QTableView*>("ListView")->selectRow(1); }};
}

TShot WorkRegistration(TShotContext& context) {
    const TNewPeriodRequest request{
        Utf8ToCp932("基本設計,詳細設計"), NowSeconds(context.Clock) / 60, {}};
    auto dialog = std::make_unique<TWorkDefine>(request);
    dialog->RangeGrid()->SetBeginTime(13 * 60 + 15);
    dialog->RangeGrid()->SetEndTime(13 * 60 + 45);
    dialog->ShowRange();
    return {std::move(dialog), {}};
}

const TShotRegistrar editor("record-editor", RecordEditor);
const TShotRegistrar registration("work-registration", WorkRegistration);

} // namespace
} // namespace zanpel::shots
