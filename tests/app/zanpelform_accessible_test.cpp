// The bar as a screen reader uses it: every button named after its item,
// the toggle action of assistive technology starting and stopping an item
// like a click, and the running time told without an event every second.
#include "app/toolstrip.h"
#include "app/workbuttonswidget.h"
#include "barwindowfixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

QString Name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

void Toggle(QWidget* button) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    QTest::qWait(20); // the toggle is taken up after the moment's events
}

TEST_F(BarWindow, EveryButtonIsNamedAfterItsItemAndTheExitButtonAfterWhatItDoes) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    EXPECT_EQ(Name(bar->MainButton(0)), QStringLiteral("a"));
    EXPECT_EQ(Name(bar->DetailButton(0)), QStringLiteral("aを編集"));
    EXPECT_EQ(Name(bar->DetailButton(1)), QStringLiteral("bを編集"));
    EXPECT_EQ(Name(bar->TimeDisplay(1)), QStringLiteral("bの時間"));
    EXPECT_EQ(Name(form->Parts().ToolBar->findChild<QToolButton*>("ToolButton1")),
              QStringLiteral("終了"));
}

TEST_F(BarWindow, TheToolButtonsAreAToolBarWithSeparatorsToAScreenReader) {
    TToolStrip* strip = form->Parts().ToolBar;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(strip)->role(), QAccessible::ToolBar);
    int separators = 0;
    for (QWidget* item : strip->Items())
        if (QAccessible::queryAccessibleInterface(item)->role() == QAccessible::Separator)
            ++separators;
    EXPECT_EQ(separators, 4);
    EXPECT_EQ(Name(strip->findChild<QToolButton*>("SetupBtn")), QStringLiteral("設定(S)"));
}

TEST_F(BarWindow, TheToggleOfAssistiveTechnologyStartsAndStopsAnItemAsAClickDoes) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    Toggle(bar->MainButton(1));
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 1);
    EXPECT_TRUE(bar->MainButton(1)->isChecked());
    EXPECT_TRUE(form->Parts().WorkTimer->isActive());
    Toggle(bar->MainButton(0)); // the other item takes over
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 0);
    EXPECT_FALSE(bar->MainButton(1)->isChecked());
    Toggle(bar->MainButton(0));
    EXPECT_EQ(form->WorkButtons().ItemIndex(), -1);
    EXPECT_FALSE(bar->MainButton(0)->isChecked());
    // A click is one press, not two.
    bar->MainButton(1)->click();
    QTest::qWait(20);
    EXPECT_EQ(form->WorkButtons().ItemIndex(), 1);
}

// A change of the description may be told to the bus: the time of a
// button not in focus moves by the minute.
TEST_F(BarWindow, TheRunningTimeIsToldByTheMinuteAndExactWhenTheItemGetsTheFocus) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    QToolButton* item = bar->MainButton(0);
    EXPECT_EQ(item->accessibleDescription(), QStringLiteral("00:00:00"));
    for (int second = 1; second < 60; ++second) {
        form->WorkButtons().SetTimeText(
            0, QStringLiteral("00:00:%1").arg(second, 2, 10, QLatin1Char('0')).toStdString());
        bar->Sync();
        ASSERT_EQ(item->accessibleDescription(), QStringLiteral("00:00:00"));
    }
    EXPECT_EQ(bar->TimeDisplay(0)->text(), QStringLiteral("00:00:59"));
    form->WorkButtons().SetTimeText(0, "00:01:00");
    bar->Sync();
    EXPECT_EQ(item->accessibleDescription(), QStringLiteral("00:01:00"));
    form->WorkButtons().SetTimeText(0, "00:01:17");
    bar->Sync();
    EXPECT_EQ(item->accessibleDescription(), QStringLiteral("00:01:00"));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    bar->FocusItem(0, Qt::TabFocusReason);
    EXPECT_EQ(item->accessibleDescription(), QStringLiteral("00:01:17"));
}

} // namespace
} // namespace zanpel::test
