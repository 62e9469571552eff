// The question after an away spell, on the sample items.
#include "app/awaydialog.h"
#include "records/textcodec.h"
#include "shotregistry.h"

namespace zanpel::shots {
namespace {

TShot AwayDialog(TShotContext&) {
    const std::vector<std::string> items = {Utf8ToCp932("設計"), Utf8ToCp932("会議"),
                                            Utf8ToCp932("資料作成")};
    auto dialog = std::make_unique<TAwayDialog>(nullptr, items);
    const DayNumber day = MakeDate(2005, 3, 14);
    dialog->SetSpell(MakeDateTime(day, 10 * 3600 + 12 * 60),
                     MakeDateTime(day, 10 * 3600 + 47 * 60));
    return {std::move(dialog), {}};
}

const TShotRegistrar registrar("away-dialog", AwayDialog);

} // namespace
} // namespace zanpel::shots
