// The spin controls on the offscreen platform: the auto-repeat rhythm of a
// held arrow, the keys of the pair, and typing into a value spin.
#include "controls/spinbtn.h"
#include "controls/valuespin.h"
#include "support/qtwait.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace zanpel::test {
namespace {

// Click times in milliseconds after the press, while the button is held for
// at least holdMs and then released over it.
std::vector<qint64> HoldAndRelease(TSpinBtn& pair, int holdMs) {
    std::vector<qint64> clicks;
    QElapsedTimer clock;
    QObject::connect(&pair, &TSpinBtn::UpClick, [&] { clicks.push_back(clock.elapsed()); });
    QWidget* up = pair.UpButton();
    const QPoint centre = up->rect().center();
    QTest::mousePress(up, Qt::LeftButton, Qt::NoModifier, centre);
    clock.start();
    if (holdMs > 0)
        RunLoopUntil([&] { return clock.elapsed() >= holdMs; }, holdMs + 1000);
    QTest::mouseRelease(up, Qt::LeftButton, Qt::NoModifier, centre);
    return clicks;
}

TEST(SpinButtons, AHeldButtonRepeatsAfter400MsEvery100MsAndOnRelease) {
    TSpinBtn pair;
    pair.resize(20, 40);
    pair.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pair));
    // The rhythm is Qt's auto-repeat with these two figures; a test that
    // counts real timer shots can only check bounds that load cannot break.
    for (const TTimerSpeedButton* button : {pair.UpButton(), pair.DownButton()}) {
        EXPECT_TRUE(button->autoRepeat());
        EXPECT_EQ(button->autoRepeatDelay(), 400);
        EXPECT_EQ(button->autoRepeatInterval(), 100);
    }
    const std::vector<qint64> clicks = HoldAndRelease(pair, 750);
    // 400, 500, 600, 700 ms and the release. A loaded machine delays or
    // merges timer shots, and coarse timers may fire up to 5 % early.
    ASSERT_GE(clicks.size(), 3u);
    EXPECT_GE(clicks[0], 370);
    EXPECT_GE(clicks.back(), 750); // the release's own click

    const std::vector<qint64> shortPress = HoldAndRelease(pair, 0);
    EXPECT_EQ(shortPress.size(), 1u);
}

TEST(SpinButtons, ArrowKeysMoveTheMarkAndClickAndSpaceClicksTheMarkedOne) {
    TSpinBtn pair;
    int ups = 0;
    int downs = 0;
    QObject::connect(&pair, &TSpinBtn::UpClick, [&] { ++ups; });
    QObject::connect(&pair, &TSpinBtn::DownClick, [&] { ++downs; });
    EXPECT_TRUE(pair.FocusedUp());
    QTest::keyClick(&pair, Qt::Key_Down);
    EXPECT_FALSE(pair.FocusedUp());
    QTest::keyClick(&pair, Qt::Key_Space);
    QTest::keyClick(&pair, Qt::Key_Up);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(downs, 2);
    pair.setEnabled(false); // both buttons with it
    EXPECT_FALSE(pair.UpButton()->isEnabled());
    EXPECT_FALSE(pair.DownButton()->isEnabled());
}

TEST(SpinButtons, APressGivesTheFocusToTheFocusControl) {
    QWidget window;
    auto* list = new QListWidget(&window);
    auto* other = new QLineEdit(&window);
    auto* pair = new TSpinBtn(&window);
    pair->setGeometry(200, 0, 20, 25);
    pair->SetFocusControl(list);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    other->setFocus();
    QTest::mouseClick(pair->DownButton(), Qt::LeftButton);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_FALSE(pair->FocusedUp());
}

TEST(ValueSpin, TypingFollowsTheRulesAndTheValueFollowsTheText) {
    TValueSpin spin;
    spin.SetTimeEdit(true);
    spin.setRange(0, 1440);
    spin.setValue(90);
    QLineEdit* edit = spin.findChild<QLineEdit*>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("1:30"));
    EXPECT_EQ(spin.Point(), 2);
    edit->deselect();
    edit->setCursorPosition(2);
    QTest::keyClicks(&spin, QStringLiteral("a:"));
    EXPECT_EQ(edit->text(), QStringLiteral("1:30")); // a letter and a second colon: dropped
    QTest::keyClick(&spin, Qt::Key_4);
    EXPECT_EQ(edit->text(), QStringLiteral("1:40"));
    EXPECT_EQ(spin.value(), 100);

    TValueSpin decimals;
    decimals.SetPoint(2);
    decimals.setValue(5);
    EXPECT_EQ(decimals.findChild<QLineEdit*>()->text(), QStringLiteral("0.05"));
    EXPECT_EQ(decimals.value(), 5);
}

TEST(ValueSpin, SecondsStayWithinOneTo300) {
    TValueSpin spin;
    spin.setRange(1, 300);
    spin.setValue(299);
    spin.stepUp();
    spin.stepUp();
    EXPECT_EQ(spin.value(), 300);
    spin.setValue(0);
    EXPECT_EQ(spin.value(), 1);
    spin.stepDown();
    EXPECT_EQ(spin.value(), 1);
    QLineEdit* edit = spin.findChild<QLineEdit*>();
    edit->selectAll();
    QTest::keyClicks(&spin, QStringLiteral("500"));
    EXPECT_EQ(spin.value(), 50); // 500 is out of range: the last value within stays
}

} // namespace
} // namespace zanpel::test
