// Which part of the data area a redraw paints: nothing when the items are the same, the old
// and the new place of a changed item, and everything when an item could be drawn
// differently under a clip or the picture was forgotten.

#include "chart/ChartDamage.h"

#include <gtest/gtest.h>

namespace {

// x 0..42 on pixels 50..470, y 0..24.4 on 250..6, as the lesson's histogram.
TChartTransform histogram() {
    TChartTransform t;
    t.Recalc(TChartGeometry{478, 290, 50, 8, 6, 40, 0}, 1, {0, 42, false}, {0, 24.4, false});
    return t;
}

TDrawItem line(double x, std::uint8_t pen = 0) {
    TDrawItem it;
    it.Kind = dkLine;
    it.X1 = it.X2 = x;
    it.Y1 = 1;
    it.Y2 = 2;
    it.Layer = 1;
    it.LineWidth = 1;
    it.PenStyle = pen;
    return it;
}

TDisplayList list(std::initializer_list<TDrawItem> items) {
    TDisplayList l;
    for (const TDrawItem& it : items) {
        l.Add(it);
    }
    return l;
}

bool covers(const TPixelRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

} // namespace

TEST(ChartDamage, OnlyChangedItemsBeforeAndAfter) {
    const TChartTransform t = histogram();
    const TPixelRect area{50, 6, 471, 251};
    TChartDamage d;
    EXPECT_FALSE(d.Next(list({line(10), line(20)}), t, area)); // nothing drawn yet: all
    const auto same = d.Next(list({line(10), line(20)}), t, area);
    ASSERT_TRUE(same);
    EXPECT_TRUE(same->Empty());
    const auto moved = d.Next(list({line(10), line(21)}), t, area);
    ASSERT_TRUE(moved);
    std::int32_t x20 = 0, x21 = 0, x10 = 0, y = 0;
    t.WorldToPixel(1, 20, 1.5, x20, y);
    t.WorldToPixel(1, 21, 1.5, x21, y);
    t.WorldToPixel(1, 10, 1.5, x10, y);
    EXPECT_TRUE(covers(*moved, x20, y) && covers(*moved, x21, y));
    EXPECT_FALSE(covers(*moved, x10, y)); // the unchanged line is not painted again
    // A removed item is painted away; an added one is painted.
    const auto removed = d.Next(list({line(10)}), t, area);
    ASSERT_TRUE(removed);
    EXPECT_TRUE(covers(*removed, x21, y));
    d.Invalidate();
    EXPECT_FALSE(d.Next(list({line(10)}), t, area));
}

TEST(ChartDamage, ABarReachesAsFarAsItsDepth) {
    const TChartTransform t = histogram();
    TDrawItem bar;
    bar.Kind = dkBar3D;
    bar.X1 = 5;
    bar.X2 = 6;
    bar.Y1 = 0;
    bar.Y2 = 5;
    bar.Layer = 1;
    bar.Depth = 10;
    bar.Angle = 45;
    const TPixelRect r = TChartDamage::Bounds(bar, t);
    std::int32_t right = 0, top = 0;
    t.WorldToPixel(1, 6, 5, right, top);
    EXPECT_TRUE(covers(r, right + 7, top - 7)); // the far corner of the top face
}

TEST(ChartDamage, ItemsThatAClipCouldChangeAreDrawnWhole) {
    const TChartTransform t = histogram();
    const TPixelRect area{50, 6, 471, 251};
    EXPECT_TRUE(TChartDamage::Local(line(10), t, area));
    EXPECT_TRUE(TChartDamage::Local(line(10, 2), t, area)); // dots down, inside the area
    TDrawItem wide = line(10);
    wide.LineWidth = 3;
    EXPECT_FALSE(TChartDamage::Local(wide, t, area));
    TDrawItem slope = line(10);
    slope.X2 = 13; // three units across, one up: not 45 degrees
    EXPECT_FALSE(TChartDamage::Local(slope, t, area));
    EXPECT_FALSE(TChartDamage::Local(line(10, 1), t, area)); // dashes

    TChartDamage d;
    d.Next(list({line(10)}), t, area);
    EXPECT_FALSE(d.Next(list({line(10), wide}), t, area)); // a wide line comes: all
    EXPECT_FALSE(d.Next(list({line(10), wide}), t, area)); // and while it stays
    const auto back = d.Next(list({line(10)}), t, area);
    EXPECT_FALSE(back); // the picture had a wide line: drawn whole once more
    const auto after = d.Next(list({line(10)}), t, area);
    ASSERT_TRUE(after);
    EXPECT_TRUE(after->Empty());
}
