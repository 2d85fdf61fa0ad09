#include "ui/MenuBarIcon.h"

#include <gtest/gtest.h>

namespace {

// The rectangle of pixels that are not fully transparent.
QRect inkedPixels(const QImage& image)
{
    QRect inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                inked |= QRect(x, y, 1, 1);
    return inked;
}

} // namespace

// 23.017699115044245 × 17 at scale 2 is 46 × 34 pixels with the mark's scale
// 2 × 17 / 45.2 = 0.7522 pixels per unit from both sides. The drawing's edges
// in design units: the outline's top 10 − 1.1 and bottom 50 + 1.1, its left
// curve 11.33 − 1.1, the two middle bars' right ends 36 + 30.7 cos 4° + 1.3;
// less the region's corner (8.4, 6.4) and at 0.7522 that is x 1.36 … 44.76
// and y 1.88 … 33.62: inked pixels from (1, 1) to (44, 33).
TEST(MenuBarIcon, TheMarkFillsItsCanvasAtScaleTwoAndTheTriangleErasesTheBarsInside)
{
    EXPECT_DOUBLE_EQ(ZentropeMark::fit({23.017699115044245, 17}), 17 / 45.2);
    EXPECT_DOUBLE_EQ(ZentropeMark::fit({23.017699115044245, 100}), 17 / 45.2);

    MenuBarIcon icon;
    const QImage& active = icon.active();
    EXPECT_EQ(active.size(), QSize(46, 34));
    EXPECT_EQ(active.devicePixelRatio(), 2.0);
    EXPECT_EQ(inkedPixels(active), QRect(QPoint(1, 1), QPoint(44, 33)));
    EXPECT_EQ(inkedPixels(icon.idle()), inkedPixels(active));

    // The second bar 20 units along its length, outside the triangle, and 4
    // units along, inside it: (55.95, 27.9) and (39.99, 29.02) in units.
    const QPoint outside(35, 16);
    const QPoint inside(23, 17);
    EXPECT_EQ(active.pixel(outside), qRgba(0, 0, 0, 255))
        << "a mask: black, the shape in the alpha";
    EXPECT_EQ(qAlpha(active.pixel(inside)), 0);
    EXPECT_EQ(qAlpha(icon.idle().pixel(outside)), qRound(0.4 * 255));
    EXPECT_EQ(qAlpha(icon.idle().pixel(inside)), 0) << "the erase at full strength, then the fade";

    const QImage light = MenuBarIcon::tinted(icon.idle(), QColor(0xEE, 0xEE, 0xEE));
    EXPECT_EQ(light.pixelColor(outside).alpha(), qRound(0.4 * 255));
    EXPECT_NEAR(light.pixelColor(outside).red(), 0xEE, 2);
    EXPECT_EQ(qAlpha(light.pixel(inside)), 0);
    EXPECT_EQ(light.devicePixelRatio(), 2.0);
}
