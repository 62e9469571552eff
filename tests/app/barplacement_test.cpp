// The bar's place on the screen, on the offscreen platform: hiding to a strip
// and coming back, dragging its edges, its parts at every edge, and following
// a change of its screen.
#include "app/barcaption.h"
#include "app/toolstrip.h"
#include "app/workbuttonswidget.h"
#include "app/zanpelform.h"
#include "barwindowfixture.h"
#include "controls/bevellabel.h"
#include "controls/qcp932.h"
#include "settings/initparam.h"
#include "support/qtwait.h"

#include <QAction>
#include <QFrame>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

TEST_F(BarWindow, HidesToAStripWhenTheMouseIsAwayAndComesBackWhenItRests) {
    cursor = form->geometry().center();
    form->AutoHide().efTimerTimer();
    EXPECT_TRUE(form->Placement().BarShown());
    cursor = QPoint(10, 10);
    form->AutoHide().efTimerTimer();
    EXPECT_FALSE(form->Placement().BarShown());
    EXPECT_EQ(form->Placement().Thickness(), 1);
    EXPECT_EQ(form->geometry().right(), Screen().right());
    EXPECT_FALSE(form->Parts().ButtonPanel->isVisible());
    form->AutoHide().dispTimerTimer(); // the mouse is elsewhere: stays hidden
    EXPECT_FALSE(form->Placement().BarShown());
    cursor = QPoint(Screen().right(), 300);
    form->AutoHide().dispTimerTimer();
    EXPECT_TRUE(form->Placement().BarShown());
    EXPECT_EQ(form->Placement().Thickness(), 166);
    EXPECT_TRUE(form->Parts().ButtonPanel->isVisible());
    EXPECT_TRUE(form->Parts().HideTimer->isActive());
}

// At a scale factor of 2, Qt gives the screen's last column of device pixels
// as the first logical pixel beyond the screen.
TEST_F(BarWindow, AMouseOnTheScreensLastPixelKeepsTheBarShown) {
    cursor = QPoint(Screen().right() + 1, 300);
    form->AutoHide().efTimerTimer();
    EXPECT_TRUE(form->Placement().BarShown());
    cursor = QPoint(10, 10);
    form->AutoHide().efTimerTimer();
    ASSERT_FALSE(form->Placement().BarShown());
    cursor = QPoint(Screen().right() + 1, Screen().bottom() + 1);
    form->AutoHide().dispTimerTimer();
    EXPECT_TRUE(form->Placement().BarShown());
    form->AutoHide().efTimerTimer();
    EXPECT_TRUE(form->Placement().BarShown());
}

TEST_F(BarWindow, TheDateChangesAtMidnightOnABarThatStaysShown) {
    form->Actions().HideAction->trigger(); // auto-hide off: no more layouts
    ASSERT_FALSE(settings.AutoHide);
    EXPECT_EQ(form->Parts().Caption->Caption(), QStringLiteral("03月01日 "));
    clock.Set(EncodeDate(2005, 3, 2), 5);
    EXPECT_TRUE(RunLoopUntil(
        [&] { return form->Parts().Caption->Caption() == QStringLiteral("03月02日 "); }, 3000));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("03月02日 "));
}

// Desktops whose window managers do not activate a new tool window (GNOME's,
// KDE's) must still see the bar hide: the timer runs from the showing.
TEST_F(BarWindow, AutoHideRunsFromTheStartWithoutTheWindowBeingActivated) {
    EXPECT_FALSE(form->isActiveWindow());
    EXPECT_TRUE(form->Parts().HideTimer->isActive());
}

TEST_F(BarWindow, WithAutoHideOffTheBarStaysAndSwitchingItOffShowsIt) {
    cursor = QPoint(10, 10);
    form->AutoHide().efTimerTimer();
    ASSERT_FALSE(form->Placement().BarShown());
    form->Actions().HideAction->trigger(); // auto-hide off while hidden
    EXPECT_FALSE(settings.AutoHide);
    EXPECT_TRUE(form->Placement().BarShown());
    EXPECT_EQ(form->Actions().HideAction->toolTip(), QStringLiteral("隠さない"));
    form->AutoHide().efTimerTimer();
    EXPECT_TRUE(form->Placement().BarShown());
}

TEST_F(BarWindow, DraggingTheInnerEdgeChangesTheThickness) {
    const int left = form->geometry().left();
    Drag(form->Parts().ButtonPanel, QPoint(2, 300), QPoint(left + 2 - 40, 300)); // 40 pixels out
    EXPECT_EQ(form->Placement().DockSize(), 205);
    EXPECT_EQ(form->geometry(), QRect(Screen().right() + 1 - 205, 0, 205, Screen().height()));
    EXPECT_EQ(form->Placement().Align(), edRight);
}

TEST_F(BarWindow, AMoveDragDocksAtTheTopWithHorizontalButtons) {
    Drag(form->Parts().Caption, QPoint(80, 5), QPoint(Screen().center().x(), 5));
    EXPECT_EQ(form->Placement().Align(), edTop);
    EXPECT_EQ(form->geometry(), QRect(0, 0, Screen().width(), 165));
    EXPECT_EQ(form->WorkButtons().ButtonAlign(), TButtonAlign::baHorizontal);
    EXPECT_EQ(form->WorkButtons().ListAlign(), TListAlign::laBottom);
    EXPECT_EQ(form->Parts().Caption->TextRotate(), TTextRotate::trLeft);
    EXPECT_EQ(form->Parts().Caption->geometry().width(), 22);
    EXPECT_EQ(form->Parts().ToolBar->geometry().top(), 0);
    EXPECT_EQ(form->Parts().Caption->Caption(), QStringLiteral("03月01日 "));
}

// A long name shows whole or as much of it as fits, never cut at both ends,
// and the whole name is in the tool tip; a thin horizontal bar gives the
// caption and the buttons its whole thickness.
TEST_F(BarWindow, LongNamesFitTheirButtonsAndTheCaptionItsStripAtEveryEdge) {
    const QString name = QStringLiteral("二課向け新規顧客管理システム開発プロジェクト第二期");
    list.AppSwitch().AddEntry({ToCp932(name), "", "", false, {}});
    form->WorkButtons().LoadButtons(list.AppSwitch());
    const auto check = [&] {
        TWorkButtonsWidget* bar = form->Parts().Buttons;
        bar->Sync();
        QToolButton* button = bar->MainButton(3);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->toolTip(), name);
        const QStringList lines = button->text().split(QLatin1Char('\n'));
        const QFontMetrics metrics(button->font());
        for (const QString& line : lines)
            EXPECT_LE(metrics.horizontalAdvance(line), button->width()) << line.toStdString();
        EXPECT_LE(static_cast<int>(lines.size()) * metrics.lineSpacing(), button->height());
        const QString shown = lines.join(QString());
        if (shown != name) {
            ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.toStdString();
            EXPECT_TRUE(name.startsWith(shown.chopped(1))) << shown.toStdString();
        }
        const TBevelLabel* caption = form->Parts().Caption;
        const bool turned = caption->TextRotate() == TTextRotate::trLeft;
        EXPECT_LE(QFontMetrics(caption->font()).horizontalAdvance(caption->Caption()),
                  turned ? caption->height() : caption->width());
    };
    check();
    form->DockBar(edTop, 60);
    EXPECT_EQ(form->Parts().Caption->height(), 60);
    EXPECT_EQ(form->Parts().ButtonPanel->height(), 60);
    EXPECT_EQ(form->Parts().ToolBar->geometry().right(), form->width() - 1);
    check();
    form->DockBar(edBottom, 40);
    EXPECT_EQ(form->Parts().ToolBar->geometry().bottom(), 39); // against the screen's edge
    check();
    form->DockBar(edLeft, 60);
    check();
}

TEST_F(BarWindow, AReleaseInMidScreenChangesNothing) {
    const QRect before = form->geometry();
    Send(form->Parts().Caption, QEvent::MouseButtonPress, QPoint(80, 5), Qt::LeftButton);
    Send(form->Parts().Caption, QEvent::MouseMove,
         form->Parts().Caption->mapFromGlobal(Screen().center()), Qt::LeftButton);
    EXPECT_EQ(form->Parts().Caption->Caption(),
              QString::asprintf("(%d,%d)", Screen().center().x(), Screen().center().y()));
    Send(form->Parts().Caption, QEvent::MouseButtonRelease,
         form->Parts().Caption->mapFromGlobal(Screen().center()), Qt::NoButton);
    EXPECT_EQ(form->geometry(), before);
    EXPECT_EQ(form->Placement().Align(), edRight);
    // A press away from every edge starts no drag at all.
    Drag(form->Parts().ButtonPanel, QPoint(60, 300), QPoint(10, 10));
    EXPECT_EQ(form->geometry(), before);
}

TEST_F(BarWindow, FollowsAChangeOfTheScreensSizeAtItsEdgeAndThickness) {
    const int thickness = form->width();
    screenRect = QRect(0, 0, 1024, 768);
    emit form->screen()->geometryChanged(screenRect);
    EXPECT_EQ(form->geometry(), QRect(1024 - thickness, 0, thickness, 768));
    screenRect = QRect(0, 0, 1280, 800);
    emit form->screen()->geometryChanged(screenRect);
    EXPECT_EQ(form->geometry(), QRect(1280 - thickness, 0, thickness, 800));
    // A hidden bar stays a strip at the edge.
    form->AutoHide().efTimerTimer();
    ASSERT_FALSE(form->Placement().BarShown());
    screenRect = QRect(0, 0, 1024, 768);
    emit form->screen()->availableGeometryChanged(screenRect);
    EXPECT_EQ(form->geometry(), QRect(1023, 0, 1, 768));
}

} // namespace
} // namespace zanpel::test
