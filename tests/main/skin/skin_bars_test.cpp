#include "main/skin/skin_bars.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinBars, PositionsInTenThousandthsOfTheFullLength)
{
    const struct {
        int position, cap, length, right;
    } cases[] = {
        {0, kPlayBarCap, 263, 20},        {10000, kPlayBarCap, 263, 283}, {12000, kPlayBarCap, 263, 283},
        {5000, kPlayBarCap, 263, 152},    // 131.5 rounds away from zero
        {10000, kConvertBarCap, 263, 283}, // 262.97 pixels round to 263
        {10000, kConvertBarCap, 20000, 20018}, // a long bar shows the missing ten-thousandth
        {-100, kPlayBarCap, 263, 17},     // negative positions pass unchanged
    };
    for (const auto &c : cases)
        EXPECT_EQ(BarRightEdge(20, c.position, c.cap, c.length), c.right) << c.position << " of " << c.length;
}

TEST(TitleDrag, ArmedFromTheStartWithAnchorAtTheOrigin)
{
    TitleDrag drag;
    EXPECT_EQ(drag.move(QPoint(100, 50), QPoint(7, 3), true), QPoint(107, 53));
}

TEST(TitleDrag, MovesByThePointerSinceThePressWhileTheLeftButtonIsHeld)
{
    TitleDrag drag;
    drag.press(QPoint(30, 10));
    EXPECT_EQ(drag.move(QPoint(100, 50), QPoint(45, 4), true), QPoint(115, 44));
    EXPECT_FALSE(drag.move(QPoint(100, 50), QPoint(45, 4), false));
    drag.release();
    EXPECT_FALSE(drag.move(QPoint(100, 50), QPoint(45, 4), true));
    drag.press(QPoint(0, 0));
    EXPECT_EQ(drag.move(QPoint(100, 50), QPoint(1, 1), true), QPoint(101, 51));
}

} // namespace
