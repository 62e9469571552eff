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

#include <random>

namespace zanpel::test {
namespace {

QString Name(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The toggle action as the bus delivers it, taken up by the bar only
// after the moment's events (Toggle waits for that).
void ToggleNow(QWidget* button) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(face->actionInterface(), nullptr);
    face->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

void Toggle(QWidget* button) {
    ToggleNow(button);
    QTest::qWait(20);
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

// Every button shows what the bar holds, and at most one item is down.
void ExpectButtonsAsTheState(TWorkButtonsWidget* bar) {
    const TWorkButtons& state = bar->State();
    int down = 0;
    for (int i = 0; i < state.ButtonCount(); ++i) {
        EXPECT_EQ(bar->MainButton(i)->isChecked(), state.Buttons(i).Down) << i;
        down += state.Buttons(i).Down ? 1 : 0;
    }
    EXPECT_LE(down, 1);
    EXPECT_EQ(down == 1, state.ItemIndex() >= 0);
}

// Toggles through the bus and clicks in any mix, several in one moment:
// the buttons end as the bar's state, and a moment of presses never starts
// more items than it had presses.
TEST_F(BarWindow, TogglesAndClicksMixedInOneMomentLeaveTheButtonsAsTheBarHoldsThem) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    std::mt19937 random(27);
    const auto periods = [this] {
        size_t n = 0;
        for (const char* name : {"a", "b"})
            if (const TWorkInfo* rec = list.Find(Today(clock), name))
                n += rec->Periods.size();
        return n;
    };
    for (int moment = 0; moment < 60; ++moment) {
        const size_t before = periods();
        const int presses = 1 + static_cast<int>(random() % 3);
        for (int p = 0; p < presses; ++p) {
            QToolButton* button = bar->MainButton(static_cast<int>(random() % 2));
            if (random() % 2)
                ToggleNow(button);
            else
                button->click();
        }
        QTest::qWait(5);
        SCOPED_TRACE(moment);
        ExpectButtonsAsTheState(bar);
        EXPECT_LE(periods(), before + static_cast<size_t>(presses));
        clock.Advance(60);
    }
}

TEST_F(BarWindow, AToggleAndAClickOfOneItemInOneMomentStartItOnce) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    ToggleNow(bar->MainButton(0));
    bar->MainButton(0)->click();
    QTest::qWait(20);
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    ASSERT_NE(list.Find(Today(clock), "a"), nullptr);
    EXPECT_EQ(list.Find(Today(clock), "a")->Periods.size(), 1U);
    ExpectButtonsAsTheState(bar);
}

// The settings dialog rebuilds the bar in the moment of a toggle: the
// toggle meant the item it was given on, not the one now in its place.
TEST_F(BarWindow, AToggleBeforeTheBarIsRebuiltStartsItsOwnItemNotTheOneNowInItsPlace) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    dialogs.Setup = [](const TSetupInput& input) {
        TSetupResult result{{}, input.Options, {}};
        for (const char* name : {"c", "a"})
            result.Definitions.AddEntry({name, "", "", false, {}});
        return std::optional(result);
    };
    ToggleNow(bar->MainButton(0)); // "a"
    form->SetupActionExecute();
    QTest::qWait(20);
    bar->Sync();
    EXPECT_EQ(PressedName(form->WorkButtons()), "a");
    ExpectButtonsAsTheState(bar);
}

// The bus reaches the bar under a modal dialog, where the mouse cannot.
TEST_F(BarWindow, AToggleUnderTheSettingsDialogLeavesTheBarConsistent) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    bar->MainButton(0)->click();
    dialogs.Setup = [&](const TSetupInput& input) {
        Toggle(bar->MainButton(1));
        TSetupResult result{{}, input.Options, {}};
        result.Definitions.AddEntry({"a", "", "", false, {}});
        return std::optional(result);
    };
    form->SetupActionExecute();
    QTest::qWait(20);
    bar->Sync();
    ExpectButtonsAsTheState(bar);
}

TEST_F(BarWindow, AToggleUnderTheMemoDialogOfAStartLeavesTheBarConsistent) {
    TWorkButtonsWidget* bar = form->Parts().Buttons;
    bar->Sync();
    settings.MemoOnStart = true;
    int asked = 0;
    dialogs.Memo = [&](const TMemoRequest&) -> std::optional<TMemoResult> {
        if (++asked == 1) {
            ToggleNow(bar->MainButton(0)); // a second toggle of the item being started
            Toggle(bar->MainButton(1));
        }
        return TMemoResult{"cat", "memo", {}};
    };
    Toggle(bar->MainButton(0));
    QTest::qWait(20);
    ExpectButtonsAsTheState(bar);
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
