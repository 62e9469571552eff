// Message boxes of the bar, behind an interface that tests answer.
#pragma once

#include "app/worktiming.h"
#include "records/errorreporter.h"
#include "reports/reportdialogs.h"
#include "reports/timeeditmodel.h"
#include "settings/setupoptions.h"

#include <optional>
#include <string>

class QWidget;

namespace zanpel {

// The summary window's dialogs (reports/reportdialogs.h) and the bar's own.
class TDialogs : public TReportDialogs {
public:
    // The memo dialog, modal; none when cancelled.
    virtual std::optional<TMemoResult> AskMemo(const TMemoRequest& request) = 0;
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
    // While silent (the program is on its way out before it ever ran), no
    // box opens: errors go to standard error, questions answer No.
    void SetSilent(bool silent) { m_silent = silent; }
    bool Confirm(const std::string& text) override;
    void ShowError(const std::string& text) override;
    std::optional<TMemoResult> AskMemo(const TMemoRequest& request) override;
    void Inform(const std::string& text) override;
    int ExecModal(QDialog& dialog) override;
    std::optional<QString> AskSaveFileName(QWidget* parent, const QString& fileName) override;
    std::optional<QString> AskChartFileName(QWidget* parent, const QString& fileName) override;
    void SetClipboardText(const QString& text) override;
    std::optional<TSetupResult> ShowSetup(const TSetupInput& input) override;
    std::optional<TRecordEditResult> EditRecord(const TRecordEditRequest& request) override;

private:
    QWidget* m_parent;
    bool m_silent = false;
};

// The work list's and the settings' errors, shown through the dialogs.
using TDialogReporter = TReportDialogsReporter;

} // namespace zanpel
