// The bar from the keyboard alone: its items, its menu, and the keyboard
// coming back to it after its dialogs.
#include "app/workbuttonswidget.h"
#include "barwindowfixture.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

// Keys go to the window's focus widget, as the platform delivers them.
void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, key, modifiers);
}

TEST_F(BarWindow, TheKeyboardWalksAndPressesTheItemsAndTabNeverReachesTheExitButton) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    // Tab from nowhere lands on the items first.
    form->setFocus();
    Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), bar->MainButton(0));
    Key(Qt::Key_Down);
    EXPECT_EQ(QApplication::focusWidget(), bar->MainButton(1));
    Key(Qt::Key_End);
    EXPECT_EQ(QApplication::focusWidget(), bar->MainButton(2));
    Key(Qt::Key_Up);
    Key(Qt::Key_Home);
    EXPECT_EQ(QApplication::focusWidget(), bar->MainButton(0));
    Key(Qt::Key_Space); // presses a, as a click does
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 0);
    EXPECT_TRUE(form->Parts().WorkTimer->isActive());
    Key(Qt::Key_Right);
    Key(Qt::Key_Return);
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 1);
    Key(Qt::Key_Enter); // pressed again: released
    EXPECT_EQ(form->WorkButtons().ItemIndex(), -1);
    // The items are one stop: Tab leaves them, and no stop of the chain is
    // the exit button, so no Space can end the program.
    for (int i = 0; i < 10; ++i) {
        Key(Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_NE(QApplication::focusWidget()->objectName(), QStringLiteral("ToolButton1"));
        EXPECT_FALSE(QApplication::focusWidget() == bar->MainButton(0) ||
                     QApplication::focusWidget() == bar->MainButton(2));
    }
    EXPECT_TRUE(form->isVisible());
}

TEST_F(BarWindow, TheMenuKeyAndShiftF10OpenThePanelMenuForTheFocusedItem) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    form->WorkButtons().SelectIndex(0); // a runs
    bar->MainButton(1)->setFocus();
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_F10, Qt::KeyboardModifiers(Qt::ShiftModifier)},
          std::pair{Qt::Key_Menu, Qt::KeyboardModifiers()}}) {
        Key(key, modifiers);
        QMenu* menu = form->Actions().PanelPopup;
        EXPECT_TRUE(menu->isVisible());
        EXPECT_EQ(form->PanelMenu().MenuTarget(),
                  &form->WorkButtons().Buttons(1)); // b, not the running a
        EXPECT_TRUE(form->Actions().DeleteItem->isEnabled());
        menu->hide();
        bar->MainButton(1)->setFocus();
    }
}

TEST_F(BarWindow, TheKeyboardComesBackToTheBarWhenItsDialogsCloseAndItsShortCutsWork) {
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QWidget other; // the dialog takes the keyboard while it is open
    dialogs.Setup = [&](const TSetupInput&) {
        other.show();
        other.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
        other.hide(); // closed: the window manager gives the focus to nobody
        return std::optional<TSetupResult>();
    };
    form->Actions().SetupAction->trigger();
    ASSERT_EQ(dialogs.SetupShown, 1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), form->Parts().Buttons->MainButton(0));
    dialogs.Setup = nullptr;
    Key(Qt::Key_S, Qt::ControlModifier); // Ctrl+S works at once
    EXPECT_EQ(dialogs.SetupShown, 2);
}

} // namespace
} // namespace zanpel::test
