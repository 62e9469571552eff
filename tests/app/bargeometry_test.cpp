#include "app/bargeometry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zanpel {
namespace {

using ::testing::ElementsAre;

TEST(BarGeometry, NearestEdgeNeedsLessThanTwentyPixelsAndBreaksTiesInOrder) {
    EXPECT_EQ(NearestEdge(20, 300, 600, 160), edNone); // exactly 20 is not near
    EXPECT_EQ(NearestEdge(19, 300, 600, 160), edLeft);
    EXPECT_EQ(NearestEdge(150, 300, 600, 160), edRight);
    EXPECT_EQ(NearestEdge(80, 5, 600, 160), edTop);
    EXPECT_EQ(NearestEdge(80, 599, 600, 160), edBottom);
    EXPECT_EQ(NearestEdge(5, 5, 600, 160), edLeft);      // left and top tie: left
    EXPECT_EQ(NearestEdge(155, 595, 600, 160), edRight); // right and bottom tie: right
    EXPECT_EQ(NearestEdge(10, 10, 20, 20), edLeft);      // all equal: left
}

TEST(BarGeometry, MoveAndInnerEdgesFollowTheDockedEdge) {
    EXPECT_TRUE(IsInnerEdge(edRight, edLeft));
    EXPECT_TRUE(IsMoveEdge(edRight, edTop));
    EXPECT_TRUE(IsMoveEdge(edRight, edRight));
    EXPECT_FALSE(IsMoveEdge(edRight, edLeft));
    EXPECT_TRUE(IsInnerEdge(edTop, edBottom));
    EXPECT_TRUE(IsInnerEdge(edNone, edTop)); // undocked: every edge resizes
    EXPECT_FALSE(IsMoveEdge(edNone, edTop));
    EXPECT_FALSE(IsMoveEdge(edLeft, edNone));
}

TEST(BarGeometry, DockLayoutForEachEdge) {
    const DockLayout right = DockLayoutFor(edRight);
    EXPECT_EQ(right.ButtonAlign, TButtonAlign::baVertical);
    EXPECT_EQ(right.ListAlign, TListAlign::laTop);
    EXPECT_EQ(right.ToolBarEdge, edBottom);
    EXPECT_FALSE(right.CaptionTurned);
    EXPECT_EQ(DockLayoutFor(edLeft).AppListEdge, edBottom);
    const DockLayout top = DockLayoutFor(edTop);
    EXPECT_EQ(top.ButtonAlign, TButtonAlign::baHorizontal);
    EXPECT_EQ(top.ListAlign, TListAlign::laBottom);
    EXPECT_EQ(top.ToolBarEdge, edRight);
    EXPECT_EQ(top.CaptionEdge, edLeft);
    EXPECT_TRUE(top.CaptionTurned);
    EXPECT_EQ(top.AppListEdge, edRight);
    const DockLayout bottom = DockLayoutFor(edBottom);
    EXPECT_EQ(bottom.ListAlign, TListAlign::laTop);
    EXPECT_EQ(bottom.ToolBarEdge, edRight);
    const TRect screen{100, 0, 1380, 800}; // a second screen to the right
    EXPECT_EQ(DockedRect(edRight, 165, screen), (TRect{1215, 0, 1380, 800}));
    EXPECT_EQ(DockedRect(edLeft, 165, screen), (TRect{100, 0, 265, 800}));
    EXPECT_EQ(DockedRect(edTop, 60, screen), (TRect{100, 0, 1380, 60}));
    EXPECT_EQ(DockedRect(edBottom, 60, screen), (TRect{100, 740, 1380, 800}));
    EXPECT_EQ(AppListExtent(0), 180);
    EXPECT_EQ(AppListExtent(97), 97);
}

TEST(BarGeometry, HideAndShowThicknessSequences) {
    // 165 pixels docked right (narrow form): down by 3 to 3, then up by 3 to 166.
    const auto hide = ThicknessSteps(165, 3, 165);
    EXPECT_EQ(hide.size(), 54u);
    EXPECT_EQ(hide.front(), 162);
    EXPECT_EQ(hide.back(), 3);
    const auto show = ThicknessSteps(1, 165, 1);
    EXPECT_EQ(show.front(), 4);
    EXPECT_EQ(show[1], 7);
    EXPECT_EQ(show.back(), 166);
    // 60 pixels docked at the top of a wide screen: down by 10 to 0, back to 3.
    EXPECT_THAT(ThicknessSteps(60, 3, 1280), ElementsAre(50, 40, 30, 20, 10, 0, 3));
    const auto topShow = ThicknessSteps(1, 60, 1280);
    EXPECT_EQ(topShow.back(), 61);
    EXPECT_TRUE(ThicknessSteps(10, 10, 100).empty());
    EXPECT_THAT(ThicknessSteps(4, -5, 100), ElementsAre(1, -2, 1)); // not clipped
}

TEST(BarDragTest, DraggingTheInnerEdgeResizes) {
    const TRect screen{0, 0, 1280, 800};
    const TRect form = DockedRect(edRight, 165, screen);
    TBarDrag drag;
    ASSERT_TRUE(drag.Begin({3, 400}, 165, 800, edRight, form));
    EXPECT_EQ(drag.DragMode(), TBarDrag::Mode::Resize);
    EXPECT_EQ(drag.Move({-37, 410}, {1078, 410}, screen, 165), (TRect{1075, 0, 1280, 800}));
    const auto result = drag.End();
    EXPECT_EQ(result.DockSize, 205);
    EXPECT_EQ(result.DockTarget, edNone);
    EXPECT_FALSE(drag.Dragging());
}

TEST(BarDragTest, MovingDocksNearAScreenEdgeOrNowhere) {
    const TRect screen{0, 0, 1280, 800};
    const TRect form = DockedRect(edRight, 165, screen);
    TBarDrag drag;
    ASSERT_TRUE(drag.Begin({80, 5}, 165, 800, edRight, form));
    EXPECT_EQ(drag.DragMode(), TBarDrag::Mode::Move);
    EXPECT_EQ(drag.Move({0, 0}, {640, 10}, screen, 165), (TRect{0, 0, 1280, 165}));
    EXPECT_EQ(drag.Move({0, 0}, {640, 400}, screen, 165), form); // mid-screen: where it was
    auto result = drag.End();
    EXPECT_EQ(result.DockTarget, edNone);
    EXPECT_EQ(result.Rect, form);
    EXPECT_FALSE(result.DockSize);
    ASSERT_TRUE(drag.Begin({80, 795}, 165, 800, edRight, form));
    drag.Move({0, 0}, {5, 400}, screen, 165);
    result = drag.End();
    EXPECT_EQ(result.DockTarget, edLeft);
    EXPECT_FALSE(drag.Begin({80, 400}, 165, 800, edRight, form)); // away from every edge
}

TEST(BarGeometry, DevicePixelsBecomeLogicalOnesOfTheirScreen) {
    // A bar docked right on a 2560 x 1600 screen at 2x: X reports 330 device
    // pixels at x 2230, Qt knows 165 at x 1115.
    EXPECT_EQ(LogicalFromDevice(TRect::FromSize(2230, 0, 330, 1600), {0, 0}, 2.0),
              TRect::FromSize(1115, 0, 165, 800));
    // A second screen right of a first one of 1920 pixels keeps its corner.
    EXPECT_EQ(LogicalFromDevice(TRect::FromSize(1920 + 2560 - 206, 0, 206, 1600), {1920, 0}, 1.25),
              TRect::FromSize(1920 + 2048 - 165, 0, 165, 1280));
    EXPECT_EQ(LogicalFromDevice(TRect::FromSize(5, 6, 7, 8), {0, 0}, 0),
              TRect::FromSize(5, 6, 7, 8));
}

TEST(BarGeometry, LogicalRectanglesComeBackFromTheirDevicePixelsAtEveryScale) {
    std::mt19937 random(21);
    std::uniform_int_distribution<int> coordinate(-3000, 3000);
    std::uniform_int_distribution<int> extent(1, 3000);
    for (const double factor : {1.0, 1.25, 1.5, 1.75, 2.0, 3.0}) {
        for (int i = 0; i < 2000; ++i) {
            const TPoint origin{coordinate(random), coordinate(random)};
            const TRect logical = TRect::FromSize(coordinate(random), coordinate(random),
                                                  extent(random), extent(random));
            const TRect device = DeviceFromLogical(logical, origin, factor);
            ASSERT_EQ(LogicalFromDevice(device, origin, factor), logical)
                << factor << " at " << logical.Left << "," << logical.Top;
            // Never more than half a device pixel from the exact place.
            ASSERT_LE(std::abs(device.Left - (origin.X + (logical.Left - origin.X) * factor)), 0.5);
            ASSERT_LE(std::abs(device.Width() - logical.Width() * factor), 0.5);
        }
    }
}

} // namespace
} // namespace zanpel
