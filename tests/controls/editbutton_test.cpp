// The edit with a button: the copy before the click, the enabled states and
// the geometry of its two parts.
#include "controls/editbutton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zanpel {
namespace {

TEST(EditButton, TheButtonCopiesTheTextBeforeItsHandlerChangesIt) {
    TEditButton edit;
    edit.SetText(QStringLiteral("old.txt"));
    QObject::connect(&edit, &TEditButton::BtnClick,
                     [&] { edit.SetText(QStringLiteral("new.txt")); });
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    edit.Button()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("old.txt"));
    EXPECT_EQ(edit.Text(), QStringLiteral("new.txt"));

    edit.AutoCopy = false;
    edit.Button()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("old.txt"));
}

TEST(EditButton, TheButtonFollowsTheControlUnlessItIsAlwaysValid) {
    TEditButton edit;
    QSignalSpy clicks(&edit, &TEditButton::BtnClick);
    edit.SetEnabled(false);
    EXPECT_FALSE(edit.Edit()->isEnabled());
    EXPECT_FALSE(edit.Button()->isEnabled());
    edit.SetValidButton(true); // applies at once
    EXPECT_TRUE(edit.Button()->isEnabled());
    EXPECT_FALSE(edit.Edit()->isEnabled());
    edit.Button()->click();
    EXPECT_EQ(clicks.count(), 1);
    edit.SetEnabled(true);
    EXPECT_TRUE(edit.Edit()->isEnabled());
}

TEST(EditButton, TheButtonIsSquareAtTheRightAndTheEditInsetByTheBevel) {
    TEditButton edit;
    EXPECT_EQ(edit.sizeHint().width(),
              edit.Edit()->sizeHint().width() + edit.sizeHint().height() + 1);
    edit.SetBevelWidth(2);
    edit.resize(200, 24);
    edit.show(); // a hidden widget gets its resize when it is shown
    EXPECT_EQ(edit.Button()->geometry(), QRect(176, 0, 24, 24));
    EXPECT_EQ(edit.Edit()->geometry(), QRect(2, 2, 174, 20));
    QSignalSpy changes(&edit, &TEditButton::Change);
    edit.Edit()->setText(QStringLiteral("x"));
    EXPECT_EQ(changes.count(), 1);
    edit.SetPasswordChar(QLatin1Char('*'));
    EXPECT_EQ(edit.Edit()->echoMode(), QLineEdit::Password);
}

} // namespace
} // namespace zanpel
