// System colours resolve to one fixed classic look on every machine.

#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, SystemColoursAreFixedAndPlainColoursPassThrough) {
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xC0C0C0u);
    EXPECT_EQ(ColorToRGB(clBtnShadow), 0x808080u);
    EXPECT_EQ(ColorToRGB(clGrayText), 0x808080u);
    EXPECT_EQ(ColorToRGB(clBtnHighlight), 0xFFFFFFu);
    EXPECT_EQ(ColorToRGB(clInfoBk), RGBColor(255, 255, 225));
    EXPECT_EQ(ColorToRGB(0x800000FFu), clBlack); // no such system colour
    EXPECT_EQ(ColorToRGB(0x12345678u), 0x345678u);
    EXPECT_EQ(ColorToRGB(clRed), 0x0000FFu);
    // 0x00BBGGRR: red is the low byte.
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(RGBColor(1, 2, 3)), QColor(1, 2, 3));
    EXPECT_EQ(FromQRgb(qRgb(10, 20, 30)), RGBColor(10, 20, 30));
}
