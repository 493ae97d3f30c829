// The frame looks: which colour lands on which ring, and the seven-bit style rule.

#include "platform/Canvas.h"
#include "platform/DrawFrame.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Highlight = 0x0000F1, Light = 0x0000F2, Shadow = 0x0000F3, Dark = 0x0000F4,
                 Line = 0x0000F5, Paper = 0xFFFFFF;

QImage framed(int style) {
    QImage img(12, 12, QImage::Format_RGB32);
    img.fill(Qt::white);
    Canvas c(img);
    DrawFrame(c, style, 0, 0, 9, 9, Highlight, Light, Shadow, Dark, Line);
    return img;
}

TColor at(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }

} // namespace

TEST(DrawFrame, RingsCarryTheColoursOfEachLook) {
    struct Look {
        int style;
        TColor c1, c2, c3, c4;
    };
    for (const Look l : {Look{fsLowered, Shadow, Highlight, Dark, Light},
                         Look{fsRaised, Highlight, Dark, Light, Shadow},
                         Look{fsEmbossed, Highlight, Shadow, Shadow, Highlight},
                         Look{fsEngraved, Shadow, Highlight, Highlight, Shadow}}) {
        const QImage img = framed(l.style);
        EXPECT_EQ(at(img, 0, 5), l.c1) << l.style;
        EXPECT_EQ(at(img, 5, 0), l.c1) << l.style;
        EXPECT_EQ(at(img, 9, 5), l.c2) << l.style;
        EXPECT_EQ(at(img, 5, 9), l.c2) << l.style;
        EXPECT_EQ(at(img, 1, 5), l.c3) << l.style;
        EXPECT_EQ(at(img, 8, 5), l.c4) << l.style;
        EXPECT_EQ(at(img, 5, 5), Paper) << l.style;
        // The outer ring's corners: the top-left colour reaches the top-right corner, the
        // bottom-right one the bottom-left corner.
        EXPECT_EQ(at(img, 9, 0), l.c1) << l.style;
        EXPECT_EQ(at(img, 0, 9), l.c2) << l.style;
        EXPECT_EQ(at(img, 10, 5), Paper) << l.style;
    }
}

TEST(DrawFrame, SimpleNoneAndUnknownStyles) {
    QImage img = framed(fsSimple);
    for (int i = 0; i <= 9; ++i) {
        EXPECT_EQ(at(img, i, 0), Line);
        EXPECT_EQ(at(img, 0, i), Line);
        EXPECT_EQ(at(img, 9, i), Line);
        EXPECT_EQ(at(img, i, 9), Line);
    }
    EXPECT_EQ(at(img, 1, 1), Paper);
    // Only the low seven bits count: 0x80 | fsLowered is lowered, 6 and up draw nothing.
    EXPECT_EQ(at(framed(0x80 | fsLowered), 0, 5), Shadow);
    for (int style : {static_cast<int>(fsNone), 6, 0x7F, 0x86}) {
        const QImage blank = framed(style);
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                ASSERT_EQ(at(blank, x, y), Paper) << style;
            }
        }
    }
}
