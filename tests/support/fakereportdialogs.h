// The summary's and the report's dialogs, answered by the test: a question
// gets Answer, errors and notices are noted, a modal window gets what OnExec
// answers (rejected without it), either save dialog gets SaveAnswer, and what
// goes to the clipboard is noted.
#pragma once

#include "reports/reportdialogs.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zanpel::test {

// The answers on top of Dialogs, TReportDialogs or an interface that extends it.
template <class Dialogs> class ReportDialogAnswers : public Dialogs {
public:
    bool Confirm(const std::string& text) override {
        Asked.push_back(text);
        return Answer;
    }
    void ShowError(const std::string& text) override { Errors.push_back(text); }
    void Inform(const std::string& text) override { Notices.push_back(text); }
    int ExecModal(QDialog& dialog) override { return OnExec ? OnExec(dialog) : QDialog::Rejected; }
    std::optional<QString> AskSaveFileName(QWidget*, const QString& fileName) override {
        SaveAsked.push_back(fileName);
        return SaveAnswer;
    }
    std::optional<QString> AskChartFileName(QWidget*, const QString& fileName) override {
        SaveAsked.push_back(fileName);
        return SaveAnswer;
    }
    void SetClipboardText(const QString& text) override { Clipboard.push_back(text); }

    bool Answer = false;
    std::function<int(QDialog&)> OnExec;
    std::optional<QString> SaveAnswer;
    std::vector<std::string> Asked;
    std::vector<std::string> Errors;
    std::vector<std::string> Notices;
    std::vector<QString> SaveAsked;
    std::vector<QString> Clipboard;
};

using FakeReportDialogs = ReportDialogAnswers<TReportDialogs>;

} // namespace zanpel::test
