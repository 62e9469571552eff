// The bar's dialogs, answered by the test: those of the summary as
// FakeReportDialogs answers them, the memo dialog cancelled, and the settings
// dialog and the record editor as EditorDialogAnswers answers them.
#pragma once

#include "app/messagebox.h"
#include "support/editordialoganswers.h"
#include "support/fakereportdialogs.h"

#include <optional>

namespace zanpel::test {

class FakeDialogs : public EditorDialogAnswers<ReportDialogAnswers<TDialogs>> {
public:
    std::optional<TMemoResult> AskMemo(const TMemoRequest&) override { return std::nullopt; }
};

} // namespace zanpel::test
