// The value-to-pixel map shared by the scale control and the chart's layers: both ends land
// on their pixels, pixels map back to values, logarithmic and downward ranges, and a map
// without room.

#include "chart/ScaleMap.h"
#include "numerics/Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(ScaleMap, EndsLandOnTheirPixelsAndPixelsMapBack) {
    for (const auto form : {TScaleMap::TOffsetForm::FromFirstEnd,
                            TScaleMap::TOffsetForm::FromBothEnds}) {
        TScaleMap m;
        m.SetRange(-5, 15, false);
        m.Fit(-5, 20, 15, 379, form);
        EXPECT_EQ(m.Pixel(-5), 20);
        EXPECT_EQ(m.Pixel(15), 379);
        EXPECT_EQ(m.Pixel(5), 200); // 199.5: the half goes to the even neighbour
        for (const double v : {-5.0, -1.25, 0.0, 7.5, 15.0}) {
            EXPECT_NEAR(m.Value(m.Position(v)), v, 1e-12);
        }
        // Far outside the range the pixel stays a 32-bit number.
        EXPECT_EQ(m.Pixel(1e300), std::numeric_limits<std::int32_t>::max());
        EXPECT_EQ(m.Pixel(-1e300), -std::numeric_limits<std::int32_t>::max());
    }
}

TEST(ScaleMap, LogarithmicRangeSpacesDecadesEvenly) {
    TLayerMap m;
    m.SetRange(1, 1000, true);
    m.SetOutsidePixels(-7, -9);
    m.Fit(1, 0, 1000, 300, TLayerMap::TOffsetForm::FromBothEnds);
    EXPECT_EQ(m.Pixel(10), 100);
    EXPECT_EQ(m.Pixel(100), 200);
    EXPECT_NEAR(m.Value(150), std::sqrt(1000.0), 1e-9);
    // Values a logarithm cannot take, and NaN, go where the owner put them.
    EXPECT_EQ(m.Pixel(0), -7);
    EXPECT_EQ(m.Pixel(-3), -7);
    EXPECT_EQ(m.Pixel(std::nan("")), -9);
    EXPECT_FALSE(TLayerMap::CanMap(0, 1000, true));
    EXPECT_FALSE(TLayerMap::CanMap(3, 3, false));
    EXPECT_TRUE(TLayerMap::CanMap(-1, 1000, false));
}

TEST(ScaleMap, DownwardRangeRunsAgainstThePixels) {
    // An upright scale: the high end at the top pixel, the low end below it.
    TScaleMap up;
    up.SetRange(0, 100, false);
    up.Fit(100, 10, 0, 210, TScaleMap::TOffsetForm::FromFirstEnd);
    EXPECT_LT(up.Factor(), 0);
    EXPECT_EQ(up.Pixel(100), 10);
    EXPECT_EQ(up.Pixel(0), 210);
    EXPECT_EQ(up.Pixel(25), 160);
    // A range that falls from left to right: its first end at the left pixel.
    TScaleMap down;
    down.SetRange(100, 0, false);
    down.Fit(100, 20, 0, 220, TScaleMap::TOffsetForm::FromFirstEnd);
    EXPECT_EQ(down.Pixel(100), 20);
    EXPECT_EQ(down.Pixel(0), 220);
    EXPECT_EQ(down.Pixel(25), 170);
    EXPECT_NEAR(down.Value(60), 80, 1e-12);
}

TEST(ScaleMap, WithoutRoomEveryValueIsAtTheMiddle) {
    TLayerMap m;
    m.SetRange(2, 8, false);
    m.Centre(140.5L);
    EXPECT_EQ(m.Factor(), 0);
    EXPECT_EQ(m.Position(-1e9), 140.5L);
    EXPECT_EQ(m.Position(1e9), 140.5L);
    EXPECT_EQ(m.Pixel(5), 140); // 140.5 to the even neighbour
    // The way back stays finite: the low end.
    EXPECT_EQ(m.Value(0), 2.0);
    EXPECT_EQ(m.Value(500), 2.0);
    // An infinite value times the zero factor is no number; it is placed at 0.
    EXPECT_EQ(m.Position(std::numeric_limits<double>::infinity()), 0);
}

// A chart layer's map rounds its long double position as a double; the pixel must be the one
// the long double reference rounding of that double gives, halves included, across a
// chart's ranges and beyond them.
TEST(ScaleMap, LayerPixelsRoundAsTheLongDoubleReference) {
    TLayerMap m;
    m.SetRange(0, 25, false);
    m.Fit(0, 40, 25, 540, TLayerMap::TOffsetForm::FromBothEnds); // 20 pixels a unit
    TLayerMap y;
    y.SetRange(-4, 20, false);
    y.Fit(-4, 290, 20, 50, TLayerMap::TOffsetForm::FromBothEnds); // -10 a unit
    TLayerMap odd;
    odd.SetRange(-3.5, 20, false);
    odd.Fit(-3.5, 290, 20, 6, TLayerMap::TOffsetForm::FromBothEnds);
    for (const TLayerMap* map : {&m, &y, &odd}) {
        auto reference = [&](double v) {
            const double position = static_cast<double>(map->Position(v));
            return CheckedInt32(std::nearbyint(static_cast<long double>(position)));
        };
        int halves = 0;
        for (int k = -20000; k <= 60000; ++k) {
            for (const double v : {k / 16.0, k * 0.001}) {
                const long double p = map->Position(v);
                halves += p - std::floor(p) == 0.5L;
                ASSERT_EQ(map->Pixel(v), reference(v)) << v;
            }
        }
        for (const double v :
             {1e300, -1e300, 1e9, -1e9, static_cast<double>(NAN), static_cast<double>(INFINITY)}) {
            EXPECT_EQ(map->Pixel(v), reference(v)) << v;
        }
        if (map != &odd) {
            EXPECT_GT(halves, 1000); // ties to even were met
        }
    }
}
