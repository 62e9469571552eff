#include "app/messagebox.h"

#include "records/clock.h"
#include "reports/taskdlg.h"
#include "reports/timeedit.h"
#include "settings/setupform.h"

#include <QMessageBox>

namespace zanpel {

bool TMessageBoxDialogs::Confirm(const std::string& text) {
    return QMessageBox::question(m_parent, QStringLiteral("Zanpel"), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void TMessageBoxDialogs::Inform(const std::string& text) {
    QMessageBox::information(m_parent, QStringLiteral("Zanpel"), QString::fromStdString(text));
}

void TMessageBoxDialogs::ShowError(const std::string& text) {
    QString message = QString::fromStdString(text);
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox::critical(m_parent, QStringLiteral("Zanpel"), message);
}

} // namespace zanpel

namespace zanpel {

std::optional<TMemoResult> TMessageBoxDialogs::AskMemo(const TMemoRequest& request) {
    TTaskDlg dlg(m_parent);
    dlg.SetCategoryList(request.Categories);
    dlg.SetCategory(request.Category);
    dlg.SetMemo(request.Memo);
    dlg.SetTimeText(QString::fromStdString(request.TimeText));
    if (!request.Caption.empty())
        dlg.setWindowTitle(QString::fromStdString(request.Caption));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return TMemoResult{dlg.Category(), dlg.Memo(), dlg.CategoryList()};
}

std::optional<TSetupResult> TMessageBoxDialogs::ShowSetup(const TSetupInput& input) {
    TSetupForm form(input, m_parent);
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.Result();
}

std::optional<TRecordEditResult> TMessageBoxDialogs::EditRecord(const TRecordEditRequest& request) {
    static const SystemClock systemClock;
    TTimeEditModel model(request, request.Now ? *request.Now : systemClock);
    TTimeEditScreenDialogs dialogs;
    TTimeEdit editor(model, dialogs, m_parent);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return model.Result();
}

} // namespace zanpel
