// The program's message boxes speak Japanese on every button.
#include "controls/messageboxes.h"
#include "support/modalbox.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QPushButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

using ::testing::UnorderedElementsAre;

TEST(MessageBoxes, EveryButtonOfEveryKindOfBoxIsJapanese) {
    BoxSeen seen;
    AnswerNextBox(QMessageBox::Yes, seen);
    EXPECT_TRUE(AskYesNo(nullptr, QStringLiteral("一行目\r\n二行目")));
    EXPECT_EQ(seen.Text, QStringLiteral("一行目\n二行目"));
    EXPECT_THAT(seen.Buttons, UnorderedElementsAre("はい(&Y)", "いいえ(&N)"));

    const std::pair<QMessageBox::StandardButton, TAnswer> answers[] = {
        {QMessageBox::Yes, TAnswer::Yes},
        {QMessageBox::No, TAnswer::No},
        {QMessageBox::Cancel, TAnswer::Cancel},
        {QMessageBox::NoButton, TAnswer::Cancel}}; // closed another way
    for (const auto& [press, answer] : answers) {
        seen = {};
        AnswerNextBox(press, seen);
        EXPECT_EQ(AskYesNoCancel(nullptr, QStringLiteral("追加しますか？")), answer);
        EXPECT_THAT(seen.Buttons, UnorderedElementsAre("はい(&Y)", "いいえ(&N)", "キャンセル"));
    }

    seen = {};
    AnswerNextBox(QMessageBox::Ok, seen);
    ShowNotice(nullptr, QMessageBox::Critical, QStringLiteral("データが書込めません!"));
    EXPECT_TRUE(seen.Opened);
    EXPECT_THAT(seen.Buttons, UnorderedElementsAre("OK"));

    QFileDialog save;
    save.setAcceptMode(QFileDialog::AcceptSave);
    SetJapaneseButtons(save);
    EXPECT_EQ(save.labelText(QFileDialog::Accept), QStringLiteral("保存(&S)"));
    EXPECT_EQ(save.labelText(QFileDialog::Reject), QStringLiteral("キャンセル"));
}

TEST(MessageBoxes, QtsOwnJapaneseTranslationIsUsedWhereItIsInstalled) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")))
        GTEST_SKIP() << "qt6-translations-l10n is not installed (scripts/setup installs it)";
    ASSERT_TRUE(InstallQtJapanese(*qApp));
    // A text Qt's own dialogs bring: the save dialog's "Look in:".
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

} // namespace
} // namespace zanpel::test
