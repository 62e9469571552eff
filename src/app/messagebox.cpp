#include "app/messagebox.h"

#include "controls/messageboxes.h"
#include "records/clock.h"
#include "reports/taskdlg.h"
#include "reports/timeedit.h"
#include "settings/setupform.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

#include <cstdio>

namespace zanpel {
namespace {

QString BoxText(const std::string& text) {
    QString message = QString::fromStdString(text);
    message.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return message;
}

// The save dialog with the filters given (the first chosen first, its
// suffix added to a name without one); none when cancelled.
std::optional<QString> AskFileName(QWidget* parent, const QString& fileName,
                                   const QStringList& filters) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto suffixOf = [](const QString& filter) {
        return filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0);
    };
    dialog.setDefaultSuffix(suffixOf(filters.first()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    dialog.setNameFilters(filters);
    SetJapaneseButtons(dialog);
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

} // namespace

bool TMessageBoxDialogs::Confirm(const std::string& text) {
    if (m_silent)
        return false;
    return AskYesNo(m_parent, BoxText(text));
}

void TMessageBoxDialogs::Inform(const std::string& text) {
    if (!m_silent)
        ShowNotice(m_parent, QMessageBox::Information, BoxText(text));
}

void TMessageBoxDialogs::ShowError(const std::string& text) {
    if (m_silent) {
        std::fprintf(stderr, "zanpel: %s\n", BoxText(text).toLocal8Bit().constData());
        return;
    }
    ShowNotice(m_parent, QMessageBox::Critical, BoxText(text));
}

} // namespace zanpel

namespace zanpel {

std::optional<TMemoResult> TMessageBoxDialogs::AskMemo(const TMemoRequest& request) {
    if (m_silent)
        return std::nullopt;
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

namespace zanpel {

int TMessageBoxDialogs::ExecModal(QDialog& dialog) {
    return dialog.exec();
}

std::optional<QString> TMessageBoxDialogs::AskSaveFileName(QWidget* parent,
                                                           const QString& fileName) {
    return AskFileName(parent ? parent : m_parent, fileName,
                       {QStringLiteral("テキストログ(*.txt)")});
}

std::optional<QString> TMessageBoxDialogs::AskChartFileName(QWidget* parent,
                                                            const QString& fileName) {
    return AskFileName(parent ? parent : m_parent, fileName,
                       {QStringLiteral("PNG 画像(*.png)"), QStringLiteral("SVG 画像(*.svg)")});
}

void TMessageBoxDialogs::SetClipboardText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

} // namespace zanpel
