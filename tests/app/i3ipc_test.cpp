// The messages of the i3 / Sway IPC and the bar's place in a tiling manager.
#include "app/bargeometry.h"
#include "app/i3ipc.h"

#include <gtest/gtest.h>

namespace zanpel::test {
namespace {

TEST(I3Ipc, MessagesRoundTripAndWaitUntilWhole) {
    const std::string one = EncodeI3Message(I3RunCommand, "floating enable");
    ASSERT_EQ(one.size(), 14U + 15U);
    EXPECT_EQ(one.substr(0, 6), "i3-ipc");
    std::string buffer = one + EncodeI3Message(4, "");
    // A reply that came in pieces: nothing until it is whole.
    std::string pieces = buffer.substr(0, 10);
    EXPECT_FALSE(TakeI3Message(pieces));
    pieces = buffer.substr(0, 20);
    EXPECT_FALSE(TakeI3Message(pieces));
    EXPECT_EQ(pieces.size(), 20U);

    const auto first = TakeI3Message(buffer);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Type, I3RunCommand);
    EXPECT_EQ(first->Payload, "floating enable");
    const auto second = TakeI3Message(buffer);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Type, 4U);
    EXPECT_EQ(second->Payload, "");
    EXPECT_TRUE(buffer.empty());
    EXPECT_FALSE(TakeI3Message(buffer));
}

TEST(I3Ipc, APeerThatSpeaksNoI3IsDroppedNotWaitedFor) {
    std::string garbage = "HTTP/1.1 400 Bad Request\r\n";
    const auto bad = TakeI3Message(garbage);
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->Type, UINT32_MAX);
    EXPECT_TRUE(garbage.empty());
    // A length no i3 sends.
    std::string huge = EncodeI3Message(0, "");
    huge[6] = '\xff';
    huge[9] = '\x7f';
    ASSERT_TRUE(TakeI3Message(huge));
    EXPECT_TRUE(huge.empty());
}

TEST(I3Ipc, RepliesSucceedOnlyWhenEveryCommandDid) {
    EXPECT_TRUE(I3CommandsSucceeded(R"([{"success":true},{"success":true}])"));
    EXPECT_TRUE(I3CommandsSucceeded("[\n  {\n    \"success\": true\n  }\n]"));
    EXPECT_FALSE(I3CommandsSucceeded(
        R"([{"success":true},{"success":false,"parse_error":true,"error":"Unknown command"}])"));
    EXPECT_FALSE(I3CommandsSucceeded(R"([{"success": false, "error": "No matching node."}])"));
    EXPECT_FALSE(I3CommandsSucceeded("[]"));
    EXPECT_FALSE(I3CommandsSucceeded(""));
}

TEST(I3Ipc, TheSessionsManagerIsSwayBeforeI3) {
    EXPECT_EQ(I3SocketPath("/run/sway.sock", "/run/i3.sock"), "/run/sway.sock");
    EXPECT_EQ(I3SocketPath("", "/run/i3.sock"), "/run/i3.sock");
    EXPECT_EQ(I3SocketPath(nullptr, nullptr), "");
}

TEST(I3Ipc, TheBarIsFloatedStuckAndPlacedByItsX11Window) {
    EXPECT_EQ(BarPlacementCommand(4194305, TRect::FromSize(1115, 0, 165, 720)),
              "[id=4194305] floating enable, sticky enable, border none, "
              "resize set 165 px 720 px, move absolute position 1115 px 0 px");
}

TEST(TilingPlace, AStripThinnerThanTheManagerAllowsShowsOnlyAtTheEdge) {
    // 75 pixels: a manager's smallest floating window. The window grows away
    // from the screen, so that the one wanted pixel is what shows.
    EXPECT_EQ(TilingRect(TRect::FromSize(1279, 0, 1, 720), edRight, 75),
              TRect::FromSize(1279, 0, 75, 720));
    EXPECT_EQ(TilingRect(TRect::FromSize(0, 0, 1, 720), edLeft, 75),
              TRect::FromSize(-74, 0, 75, 720));
    EXPECT_EQ(TilingRect(TRect::FromSize(0, 0, 1280, 1), edTop, 50),
              TRect::FromSize(0, -49, 1280, 50));
    EXPECT_EQ(TilingRect(TRect::FromSize(0, 719, 1280, 1), edBottom, 50),
              TRect::FromSize(0, 719, 1280, 50));
    // A bar at least that thick, or a smallest size not known yet, is
    // asked for as it is.
    EXPECT_EQ(TilingRect(TRect::FromSize(1115, 0, 165, 720), edRight, 75),
              TRect::FromSize(1115, 0, 165, 720));
    EXPECT_EQ(TilingRect(TRect::FromSize(0, 0, 1, 720), edLeft, 0), TRect::FromSize(0, 0, 1, 720));
}

} // namespace
} // namespace zanpel::test
