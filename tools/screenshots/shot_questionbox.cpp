// A question box as the program builds it, with its Japanese buttons: the
// settings dialog asking about an item that was typed but not added.
#include "controls/messageboxes.h"
#include "shotregistry.h"

namespace zanpel::shots {
namespace {

TShot QuestionBox(TShotContext&) {
    return {MakeMessageBox(nullptr, QMessageBox::Question,
                           QStringLiteral("作業項目「打合せ」はまだ追加されていません。\n"
                                          "追加してから更新しますか？"),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                           QMessageBox::Yes),
            {}};
}

const TShotRegistrar registrar("question-box", QuestionBox);

} // namespace
} // namespace zanpel::shots
