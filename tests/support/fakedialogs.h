// The bar's dialogs, answered by the test: those of the summary as
// FakeReportDialogs answers them, the memo dialog cancelled, and the settings
// dialog and the record editor as EditorDialogAnswers answers them; the
// memo dialog answers what Memo does, where a test sets it.
#pragma once

#include "app/messagebox.h"
#include "support/editordialoganswers.h"
#include "support/fakereportdialogs.h"

#include <functional>
#include <optional>

namespace zanpel::test {

class FakeDialogs : public EditorDialogAnswers<ReportDialogAnswers<TDialogs>> {
public:
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override {
        return Memo ? Memo(request) : std::nullopt;
    }

    std::function<std::optional<TMemoResult>(const TMemoRequest&)> Memo;
};

} // namespace zanpel::test
