#include "controls/messageboxes.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace zanpel {

bool InstallQtJapanese(QCoreApplication& app) {
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_ja"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

QString JapaneseButtonText(QMessageBox::StandardButton button) {
    switch (button) {
    case QMessageBox::Yes:
        return QStringLiteral("はい(&Y)");
    case QMessageBox::No:
        return QStringLiteral("いいえ(&N)");
    case QMessageBox::Cancel:
        return QStringLiteral("キャンセル");
    case QMessageBox::Ok:
        return QStringLiteral("OK");
    default:
        return {};
    }
}

void SetJapaneseButtons(QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
        const QString text = JapaneseButtonText(box.standardButton(button));
        if (!text.isEmpty())
            button->setText(text);
    }
}

void SetJapaneseButtons(QFileDialog& dialog) {
    dialog.setLabelText(QFileDialog::Accept, dialog.acceptMode() == QFileDialog::AcceptSave
                                                 ? QStringLiteral("保存(&S)")
                                                 : QStringLiteral("開く(&O)"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
    auto box = std::make_unique<QMessageBox>(
        icon, QStringLiteral("Zanpel"),
        QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")), buttons, parent);
    box->setDefaultButton(defaultButton);
    SetJapaneseButtons(*box);
    return box;
}

bool AskYesNo(QWidget* parent, const QString& text) {
    const auto box = MakeMessageBox(parent, QMessageBox::Question, text,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return box->exec() == QMessageBox::Yes;
}

TAnswer AskYesNoCancel(QWidget* parent, const QString& text) {
    const auto box =
        MakeMessageBox(parent, QMessageBox::Question, text,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::Cancel);
    switch (box->exec()) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        return TAnswer::Cancel;
    }
}

void ShowNotice(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    MakeMessageBox(parent, icon, text, QMessageBox::Ok, QMessageBox::Ok)->exec();
}

} // namespace zanpel
