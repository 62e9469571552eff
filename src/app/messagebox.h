// Message boxes of the bar, behind an interface that tests answer.
#pragma once

#include "app/worktiming.h"
#include "records/errorreporter.h"
#include "reports/timeeditmodel.h"
#include "settings/setupoptions.h"

#include <optional>
#include <string>

class QWidget;

namespace zanpel {

class TDialogs {
public:
    virtual ~TDialogs() = default;
    // A confirmation with Yes and No; only Yes answers true. text is UTF-8.
    virtual bool Confirm(const std::string& text) = 0;
    // An error the user must see; text is UTF-8 with CR LF between lines.
    virtual void ShowError(const std::string& text) = 0;
    // The memo dialog, modal; none when cancelled.
    virtual std::optional<TMemoResult> AskMemo(const TMemoRequest& request) = 0;
    // A notice with an OK button; text is UTF-8.
    virtual void Inform(const std::string& text) = 0;
    // The settings dialog, modal; none when cancelled.
    virtual std::optional<TSetupResult> ShowSetup(const TSetupInput& input) = 0;
    // The record editor, modal; none when cancelled.
    virtual std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) = 0;
};

// Message boxes on the screen.
class TMessageBoxDialogs final : public TDialogs {
public:
    explicit TMessageBoxDialogs(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    bool Confirm(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override;
    void Inform(const std::string& text) override;
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override;
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override;

private:
    QWidget* m_parent;
};

// The work list's and the settings' errors, shown through the dialogs.
class TDialogReporter final : public ErrorReporter {
public:
    explicit TDialogReporter(TDialogs& dialogs) : m_dialogs(dialogs) {}
    void ReportError(const std::string& message) override { m_dialogs.ShowError(message); }

private:
    TDialogs& m_dialogs;
};

} // namespace zanpel
