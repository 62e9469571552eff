// Dialogs that a widget test leaves unanswered: every question is a No.
#pragma once

#include "app/messagebox.h"

namespace zanpel::test {

class NoDialogs : public TDialogs {
public:
    bool Confirm(const std::string&) override { return false; }
    void ShowError(const std::string&) override {}
    void Inform(const std::string&) override {}
    std::optional<TMemoResult> AskMemo(const TMemoRequest&) override { return std::nullopt; }
    int ExecModal(QDialog&) override { return 0; }
    std::optional<QString> AskSaveFileName(QWidget*, const QString&) override { return {}; }
    void SetClipboardText(const QString&) override {}
    std::optional<TSetupResult> ShowSetup(const TSetupInput&) override { return std::nullopt; }
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest&) override {
        return std::nullopt;
    }
};

} // namespace zanpel::test
