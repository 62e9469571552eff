// Message boxes with the system's Japanese button texts: はい(&Y),
// いいえ(&N), キャンセル and OK, set where the box is built, so that they
// read the same whether Qt's own Japanese translation is installed or not.
#pragma once

#include <QMessageBox>
#include <QString>

#include <memory>

class QCoreApplication;
class QFileDialog;

namespace zanpel {

enum class TAnswer { Yes, No, Cancel };

// Installs Qt's own Japanese translation (package qt6-translations-l10n)
// for the texts Qt's dialogs bring themselves (the save dialog's labels, a
// box's "Show Details..."). False when it is not installed.
bool InstallQtJapanese(QCoreApplication& app);

// The Japanese text of a standard button (empty for buttons the program
// does not use).
QString JapaneseButtonText(QMessageBox::StandardButton button);
// Gives every standard button of box its Japanese text.
void SetJapaneseButtons(QMessageBox& box);
// The save dialog's own buttons.
void SetJapaneseButtons(QFileDialog& dialog);

// A box of the program: title "Zanpel", text with LF line ends (CR LF is
// taken too), the given buttons in Japanese, the default one chosen.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);

// はい / いいえ, modal; true only for はい (いいえ is the default).
bool AskYesNo(QWidget* parent, const QString& text);
// はい / いいえ / キャンセル, modal; closing the box is キャンセル.
TAnswer AskYesNoCancel(QWidget* parent, const QString& text);
// A notice or an error with OK, modal.
void ShowNotice(QWidget* parent, QMessageBox::Icon icon, const QString& text);

} // namespace zanpel
