#include "controls/bevellabel.h"

#include <QImage>
#include <QPalette>

#include <gtest/gtest.h>

namespace zanpel {
namespace {

QImage Render(TBevelLabel& label) {
    QImage image(label.size(), QImage::Format_RGB32);
    label.render(&image);
    return image;
}

// The bounding box of the pixels drawn in text colour.
QRect TextPixels(const QImage& image, QColor text) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == text)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(BevelLabel, RotatedOriginsFollowTheTurnOfTheText) {
    const QRect r(2, 3, 20, 100); // inside the bevels
    const QRect t(5, 7, 90, 10);  // text rectangle relative to r
    EXPECT_EQ(RotatedTextOrigin(TTextRotate::trNone, r, t), QPoint(7, 10));
    EXPECT_EQ(RotatedTextOrigin(TTextRotate::trReverse, r, t), QPoint(17, 96));
    EXPECT_EQ(RotatedTextOrigin(TTextRotate::trLeft, r, t), QPoint(9, 98));
    EXPECT_EQ(RotatedTextOrigin(TTextRotate::trRight, r, t), QPoint(15, 8));
}

TEST(BevelLabel, DownChoosesALoweredOrRaisedInnerBevel) {
    TBevelLabel label;
    label.resize(40, 20);
    label.SetBevelOuter(TBevelCut::bvRaised);
    label.SetDown(true);
    EXPECT_EQ(label.BevelInner(), TBevelCut::bvLowered);
    EXPECT_EQ(label.BevelOuter(), TBevelCut::bvNone);
    const QColor shadow = label.palette().color(QPalette::Dark);
    const QColor light = label.palette().color(QPalette::Light);
    EXPECT_EQ(Render(label).pixel(0, 0), shadow.rgb());
    label.SetDown(false);
    EXPECT_EQ(label.BevelInner(), TBevelCut::bvRaised);
    EXPECT_EQ(Render(label).pixel(0, 0), light.rgb());
    EXPECT_EQ(Render(label).pixel(39, 19), shadow.rgb());
}

TEST(BevelLabel, TurnedTextReadsBottomToTopNearTheBottomLeft) {
    TBevelLabel label;
    label.resize(22, 200);
    label.SetSingleLine(true);
    label.SetBevelInner(TBevelCut::bvNone);
    label.SetColor(Qt::white);
    label.SetFontColor(Qt::black);
    label.SetCaption(QStringLiteral("MMMMMMMMMM"));
    const QRect upright = TextPixels(Render(label), Qt::black);
    label.SetTextRotate(TTextRotate::trLeft);
    const QRect turned = TextPixels(Render(label), Qt::black);
    ASSERT_FALSE(turned.isEmpty());
    // Tall and narrow once turned, and starting from the bottom.
    EXPECT_GT(turned.height(), turned.width());
    EXPECT_GT(turned.bottom(), 150);
    EXPECT_LT(turned.top(), 200 - upright.width() + 20);
}

} // namespace
} // namespace zanpel
