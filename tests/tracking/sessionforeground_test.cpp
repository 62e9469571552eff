// Joining the X11 and the Wayland source of a Wayland session, with sources
// the test plays, in the orders in which their events can arrive.
#include "support/fakeforegroundsource.h"
#include "support/testsupport.h"
#include "tracking/sessionforeground.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

class SessionForeground : public ::testing::Test {
protected:
    SessionForeground() {
        auto x = std::make_unique<FakeForegroundSource>();
        auto w = std::make_unique<FakeForegroundSource>();
        x11 = x.get();
        wayland = w.get();
        session = std::make_unique<TSessionForeground>(std::move(x), std::move(w));
        session->SetOnChange([this] { ++changes; });
    }
    const TForegroundApp& Front() const { return session->Foreground(); }

    FakeForegroundSource* x11 = nullptr;
    FakeForegroundSource* wayland = nullptr;
    std::unique_ptr<TSessionForeground> session;
    int changes = 0;

    const TForegroundApp Foot{"foot", "設計書"};
    const TForegroundApp Editor{"xclient_alpha", "memo"};
};

TEST_F(SessionForeground, EachSourceAnswersForItsOwnWindows) {
    // A Wayland window: XWayland names none.
    wayland->Show(1, Foot);
    EXPECT_EQ(Front(), Foot);
    // An X11 window: the compositor lists it too, under another name.
    x11->Coming(0x400001, Editor);
    wayland->Show(2, {"", "memo"});
    EXPECT_EQ(Front(), Editor);
    // Back to the Wayland window: XWayland's active window becomes None.
    x11->Coming(0);
    wayland->Show(1, Foot);
    EXPECT_EQ(Front(), Foot);
    EXPECT_EQ(changes, 3);
    EXPECT_NE(session->ActiveWindow(), 0U);
}

TEST_F(SessionForeground, TheWaylandEventWaitsForXWaylandToAgree) {
    // The compositor tells XWayland first; its event is still on the way
    // when the Wayland event comes, and settling the X11 source takes it.
    x11->Coming(0x400001, Editor);
    wayland->Show(2, {"xclient_alpha", "memo"});
    EXPECT_EQ(x11->Settled, 1);
    EXPECT_EQ(Front(), Editor);
    EXPECT_EQ(changes, 1); // never the Wayland name of the X11 window
}

TEST_F(SessionForeground, AnXWaylandNoneComingFirstDoesNotShowTheX11WindowsWaylandName) {
    x11->Show(0x400001, Editor);
    wayland->Show(2, {"xclient_alpha", "memo"});
    ASSERT_EQ(Front(), Editor);
    // Focus moves to a Wayland window: XWayland's None arrives before the
    // compositor's own event. Until that comes nothing is in front.
    x11->Show(0);
    EXPECT_EQ(Front(), TForegroundApp{});
    EXPECT_EQ(session->ActiveWindow(), 0U);
    wayland->Show(1, Foot);
    EXPECT_EQ(Front(), Foot);
}

TEST_F(SessionForeground, TheBarsOwnX11WindowHidesTheWaylandOneBehindIt) {
    wayland->Show(1, Foot);
    // The bar in front: the X11 source names no program, and the Wayland
    // source's view of the bar must not name one either.
    x11->Coming(0x600001);
    wayland->Show(3, {"org.example.zanpel", "12月07日 "});
    EXPECT_EQ(Front(), TForegroundApp{});
    EXPECT_NE(session->ActiveWindow(), 0U);
    x11->Show(0);
    EXPECT_EQ(Front(), TForegroundApp{});
}

TEST_F(SessionForeground, AnX11EventBeforeTheWaylandOneNotesNoWaylandWindow) {
    wayland->Show(2, {"beta", "会議メモ"});
    // A new X11 window takes the focus; XWayland's event comes first, while
    // the Wayland source still names the window before it.
    x11->Show(0x400001, Editor);
    EXPECT_EQ(Front(), Editor);
    wayland->Show(3);
    // Later the Wayland window comes to the front again.
    x11->Coming(0);
    wayland->Show(2, {"beta", "会議メモ"});
    EXPECT_EQ(Front().ExeName, "beta");
}

TEST_F(SessionForeground, TitleChangesOfTheWindowInFrontComeThrough) {
    wayland->Show(1, Foot);
    wayland->Show(1, {"foot", Sjis("議事録")});
    EXPECT_EQ(Front().Title, Sjis("議事録"));
    x11->Coming(0x400001, Editor);
    wayland->Show(2);
    x11->Show(0x400001, {"xclient_alpha", "memo 2"});
    EXPECT_EQ(Front().Title, "memo 2");
    // No event, no change: the bar hears of nothing twice.
    const int before = changes;
    x11->Show(0x400001, {"xclient_alpha", "memo 2"});
    EXPECT_EQ(changes, before);
}

} // namespace
} // namespace zanpel::test
