// The dialogs that the summary window and the report dialog open, behind an
// interface that tests answer: confirmations and errors, modal windows, the
// save dialogs and the clipboard. The bar's dialogs implement it.
#pragma once

#include "records/errorreporter.h"

#include <QString>

#include <optional>
#include <string>

class QDialog;
class QWidget;

namespace zanpel {

class TReportDialogs {
public:
    virtual ~TReportDialogs() = default;
    // A confirmation with Yes and No; only Yes answers true. text is UTF-8.
    virtual bool Confirm(const std::string& text) = 0;
    // An error the user must see; text is UTF-8 with CR LF between lines.
    virtual void ShowError(const std::string& text) = 0;
    // A notice with an OK button; text is UTF-8.
    virtual void Inform(const std::string& text) = 0;
    // Shows dialog modally and answers its result (QDialog::Accepted, ...).
    virtual int ExecModal(QDialog& dialog) = 0;
    // The save dialog for a text report, starting at fileName; none when
    // cancelled.
    virtual std::optional<QString> AskSaveFileName(QWidget* parent, const QString& fileName) = 0;
    // The save dialog for the chart's picture (PNG or SVG), starting at
    // fileName; none when cancelled.
    virtual std::optional<QString> AskChartFileName(QWidget* parent, const QString& fileName) = 0;
    // Puts text on the clipboard.
    virtual void SetClipboardText(const QString& text) = 0;
};

// Errors of the work list shown through the dialogs.
class TReportDialogsReporter final : public ErrorReporter {
public:
    explicit TReportDialogsReporter(TReportDialogs& dialogs) : m_dialogs(dialogs) {}
    void ReportError(const std::string& message) override { m_dialogs.ShowError(message); }

private:
    TReportDialogs& m_dialogs;
};

} // namespace zanpel
