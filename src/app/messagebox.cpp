#include "app/messagebox.h"

#include "reports/taskdlg.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
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

} // namespace zanpel

namespace zanpel {

int TMessageBoxDialogs::ExecModal(QDialog& dialog) {
    return dialog.exec();
}

std::optional<QString> TMessageBoxDialogs::AskSaveFileName(QWidget* parent,
                                                           const QString& fileName) {
    QFileDialog dialog(parent ? parent : m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilter(QStringLiteral("テキストログ(*.txt)"));
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

void TMessageBoxDialogs::SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace zanpel
