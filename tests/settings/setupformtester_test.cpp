// The rule tester on the settings dialog's page "作業項目", offscreen: the
// result follows typing and every edit of the rules before a save, the
// history shows where each program goes, rule lines that can match nothing
// turn red, and the section is reached by Tab and by its mnemonics.
#include "setupdialogfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace zanpel::test {
namespace {

class RuleTesterDialog : public SetupDialog {
protected:
    // Shows the dialog on its page "作業項目", with the keyboard.
    void ShowItemsPage(TSetupForm& form) {
        Find<QTabWidget>(form, "PageControl1")->setCurrentIndex(1);
        ShowActive(form);
    }
    QString Result(TSetupForm& form) { return Find<QLabel>(form, "TryResult")->text(); }
    // Types text into a field, replacing what it holds; "\n" is Return.
    static void Retype(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Delete);
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                QTest::keyClick(field, Qt::Key_Return);
            QTest::keyClicks(field, lines[i]);
        }
    }
};

TEST_F(RuleTesterDialog, TheResultFollowsTypingAndTheRulesAsEditedBeforeSaving) {
    TSetupForm form(input);
    ShowItemsPage(form);
    auto* program = Find<QLineEdit>(form, "TryProgram");
    auto* title = Find<QLineEdit>(form, "TryTitle");
    // Filled from the history's first line, which no rule takes.
    EXPECT_EQ(program->text(), QStringLiteral("code"));
    EXPECT_EQ(title->text(), QStringLiteral("main.cpp - 実装"));
    EXPECT_TRUE(Result(form).startsWith(QStringLiteral("→ 該当なし: 「会議」1行目")));

    Retype(program, QStringLiteral("outlook.ex"));
    EXPECT_TRUE(Result(form).startsWith(QStringLiteral("→ 該当なし")));
    QTest::keyClick(program, Qt::Key_E);
    EXPECT_EQ(Result(form), QStringLiteral("→ 「会議」: 1行目「outlook.exe/」に一致"));

    // The rules of 設計, typed but not yet taken with "← 更新(&A)".
    Find<QListWidget>(form, "WorkListBox")->setCurrentRow(1);
    auto* rules = Find<QPlainTextEdit>(form, "AppList");
    Retype(rules, QStringLiteral("xterm/"));
    Retype(program, QStringLiteral("xterm"));
    EXPECT_EQ(title->text(), QStringLiteral("bash")); // the history's title of xterm
    EXPECT_EQ(Result(form),
              QStringLiteral("→ 該当なし: 「設計」は自動切換えが無効（1行目「xterm/」は一致）、"
                             "「会議」1行目「outlook.exe/」はプログラム名が違う"));
    auto* history = Find<QComboBox>(form, "AppHist");
    EXPECT_EQ(history->itemText(1), QStringLiteral("xterm/bash　→ なし"));
    Find<QCheckBox>(form, "AutoSwCheck")->click(); // switching of 設計 on
    EXPECT_EQ(Result(form), QStringLiteral("→ 「設計」: 1行目「xterm/」に一致"));
    EXPECT_EQ(history->itemText(1), QStringLiteral("xterm/bash　→ 設計"));
    EXPECT_EQ(history->itemText(0), QStringLiteral("code/main.cpp - 実装　→ なし"));
    EXPECT_EQ(definitions.Items(1).Rules.size(), 0u); // nothing saved

    // A history line taken as a rule is tried at once.
    emit history->activated(0);
    EXPECT_EQ(program->text(), QStringLiteral("code"));
    EXPECT_EQ(rules->toPlainText(), QStringLiteral("xterm/\ncode/main.cpp - 実装"));
    EXPECT_EQ(Result(form), QStringLiteral("→ 「設計」: 2行目「code/main.cpp - 実装」に一致"));
    EXPECT_EQ(history->itemText(0), QStringLiteral("code/main.cpp - 実装　→ 設計"));
}

TEST_F(RuleTesterDialog, ARuleLineThatCanMatchNothingIsRedWithItsReason) {
    TSetupForm form(input);
    ShowItemsPage(form);
    auto* rules = Find<QPlainTextEdit>(form, "AppList");
    auto* hint = Find<QLabel>(form, "AppListHint");
    const QString plain = hint->text();
    Retype(rules, QStringLiteral("xterm/\n/\ncode/(draft"));
    const QList<QTextEdit::ExtraSelection> marks = rules->extraSelections();
    ASSERT_EQ(marks.size(), 2);
    EXPECT_EQ(marks[0].cursor.selectedText(), QStringLiteral("/"));
    EXPECT_EQ(marks[1].cursor.selectedText(), QStringLiteral("code/(draft"));
    EXPECT_EQ(marks[1].format.foreground().color(), QColor(Qt::red));
    EXPECT_EQ(hint->text(), QStringLiteral("2行目: 空の規則です（使われません）"));
    EXPECT_EQ(hint->palette().color(QPalette::WindowText), QColor(Qt::red));
    Retype(rules, QStringLiteral("xterm/"));
    EXPECT_TRUE(rules->extraSelections().isEmpty());
    EXPECT_EQ(hint->text(), plain);
    EXPECT_NE(hint->palette().color(QPalette::WindowText), QColor(Qt::red));
}

TEST_F(RuleTesterDialog, TheFieldsAreReachedByTabAndByTheirMnemonics) {
    TSetupForm form(input);
    ShowItemsPage(form);
    auto* program = Find<QLineEdit>(form, "TryProgram");
    auto* title = Find<QLineEdit>(form, "TryTitle");
    Find<QPushButton>(form, "EraseBtn")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(program->hasFocus());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_TRUE(title->hasFocus());
    QTest::keyClick(&form, Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(program->hasFocus());
    QTest::keyClick(&form, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(title->hasFocus());
}

} // namespace
} // namespace zanpel::test
