// The memo dialog as it opens when an item starts.
#include "records/textcodec.h"
#include "reports/taskdlg.h"
#include "shotregistry.h"

namespace zanpel::shots {
namespace {

TShot MemoDialog(TShotContext&) {
    auto dialog = std::make_unique<TTaskDlg>();
    dialog->SetCategoryList(Utf8ToCp932("基本設計,詳細設計"));
    dialog->SetCategory(Utf8ToCp932("詳細設計"));
    dialog->SetMemo(Utf8ToCp932("画面遷移の見直し"));
    dialog->SetTimeText(QStringLiteral("14:25:00- ..."));
    return {std::move(dialog), {}};
}

const TShotRegistrar registrar("memo-dialog", MemoDialog);

} // namespace
} // namespace zanpel::shots
