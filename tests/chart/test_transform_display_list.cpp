// The map from world to pixels in its border cases, and the display list's rules: how it
// grows and which item is nearest.

#include "chart/ChartTransform.h"
#include "chart/DisplayList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

TEST(ChartTransform, DegenerateRangesAndLogarithmicAxes) {
    TChartTransform t;
    TChartGeometry g{478, 290, 50, 8, 6, 40, 0};
    t.Recalc(g, 1, {5, 5, false}, {0, 1, false}); // zero width written directly
    double x = 0, y = 0;
    t.PixelToWorld(1, 100, 100, x, y);
    EXPECT_EQ(x, 5.0); // finite although the factor is zero
    std::int32_t px = 0, py = 0;
    t.WorldToPixel(1, 3, 0, px, py);
    EXPECT_EQ(px, 239);
    t.Recalc(g, 2, {1, 1000, true}, {1000, 1, true});
    t.WorldToPixel(2, 10, 0, px, py);
    EXPECT_EQ(px, 50 + 140);
    EXPECT_EQ(py, 0); // the y axis runs down: a non-positive value maps to the top
    t.WorldToPixel(2, 0, 1000, px, py);
    EXPECT_EQ(px, 0);
    TChartGeometry none{100, 50, 50, 50, 25, 25, 0};
    t.Recalc(none, 3, {0, 1, false}, {0, 1, false});
    t.WorldToPixel(3, 0.7, 0.7, px, py);
    EXPECT_EQ(px, 50);
    EXPECT_EQ(py, 25);
}

TEST(DisplayList, AClearKeepsTheStorageOfTheItemsItHeldAndNoMore) {
    TDisplayList l;
    l.Clear();
    EXPECT_EQ(l.StoredItems(), 0); // nothing taken for a list never filled
    TDrawItem it;
    it.Kind = dkLine;
    auto fill = [&](int n) {
        for (int i = 0; i < n; ++i) {
            it.X1 = i;
            l.Add(it);
        }
    };
    // Refilled alike, the list writes into the same storage: no allocation.
    fill(120);
    const TDrawItem* storage = &l[0];
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.ItemCapacity(), 0);
    EXPECT_EQ(l.StoredItems(), 1000);
    TDrawItem got;
    EXPECT_FALSE(l.Get(0, got)); // kept storage is not an item
    fill(130);
    EXPECT_EQ(&l[0], storage);
    EXPECT_EQ(l.ItemCapacity(), 1000);
    EXPECT_TRUE(l.Get(129, got));
    EXPECT_EQ(got.X1, 129);

    // A large fill is kept through one clear, given back after a small fill.
    l.Clear();
    fill(4500);
    EXPECT_EQ(l.ItemCapacity(), 5000);
    l.Clear();
    EXPECT_EQ(l.StoredItems(), 5000);
    fill(10);
    EXPECT_EQ(l.ItemCapacity(), 1000);
    l.Clear();
    EXPECT_EQ(l.StoredItems(), 1000);
    // Cleared twice, the list keeps one step; with a smaller step, one of those.
    l.Clear();
    EXPECT_EQ(l.StoredItems(), 1000);
    l.SetAllocSize(100);
    l.Clear();
    EXPECT_EQ(l.StoredItems(), 100);
    fill(250);
    EXPECT_EQ(l.ItemCapacity(), 300);
    EXPECT_EQ(l.StoredItems(), 300);
}

TEST(DisplayList, GrowsInStepsAndFindsTheNearestFirstPoint) {
    TDisplayList l;
    TDrawItem it;
    it.Kind = dkLine;
    for (int i = 0; i < 1000; ++i) {
        l.Add(it);
    }
    EXPECT_EQ(l.ItemCapacity(), 1000);
    l.Add(it);
    EXPECT_EQ(l.ItemCapacity(), 2000);
    EXPECT_EQ(l.Count(), 1001);
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
    EXPECT_EQ(l.ItemCapacity(), 0);
    l.SetAllocSize(0);
    l.SetAllocSize(1000001);
    EXPECT_EQ(l.AllocSize(), 1000);

    auto identity = [](double x, double y, double& px, double& py) {
        px = std::nearbyint(x);
        py = std::nearbyint(y);
    };
    double d = 0;
    EXPECT_EQ(l.FindNearest(0, 0, dkLine, 255, identity, d), -1);
    EXPECT_EQ(d, std::sqrt(1.7e308));
    for (const auto& [x, y, kind, cls] :
         std::vector<std::tuple<double, double, std::uint8_t, std::uint8_t>>{
             {10, 10, dkLine, 0}, {5, 0, dkRect, 1}, {0, 5, dkLine, 2}, {5.2, 0.1, dkLine, 0}}) {
        TDrawItem item;
        item.X1 = x;
        item.Y1 = y;
        item.X2 = 1000; // the second point never counts
        item.Kind = kind;
        item.ColorClass = cls;
        l.Add(item);
    }
    EXPECT_EQ(l.FindNearest(0, 0, 0, 255, identity, d), -1);
    EXPECT_EQ(l.FindNearest(0, 0, dkAny, 255, identity, d), 1); // ties: the earlier item
    EXPECT_EQ(d, 5.0);
    EXPECT_EQ(l.FindNearest(0, 0, dkLine, 255, identity, d), 2);
    EXPECT_EQ(l.FindNearest(6, 0, dkLine, 0, identity, d), 3); // 5.2 maps to the same pixel
    EXPECT_EQ(l.FindNearest(0, 0, dkAnyButMoveTo, 0, identity, d), 3);
    TDrawItem got;
    got.Kind = 99;
    EXPECT_FALSE(l.Get(-1, got));
    EXPECT_FALSE(l.Get(4, got));
    EXPECT_EQ(got.Kind, 99);
}
