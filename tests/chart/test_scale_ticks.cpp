// Tick choice and label text of linear and logarithmic scales, without any drawing.

#include "chart/GridValues.h"
#include "chart/ScaleTicks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>
#include <vector>

namespace {

TScaleTickSettings range(double low, double high, int minTicks = 3) {
    TScaleTickSettings s;
    s.RangeLow = low;
    s.RangeHigh = high;
    s.MinTicks = minTicks;
    return s;
}

std::vector<double> longValues(const std::vector<TScaleTick>& ticks) {
    std::vector<double> out;
    for (const auto& t : ticks) {
        if (t.Long) {
            out.push_back(t.Value);
        }
    }
    return out;
}

std::vector<std::string> labels(const std::vector<TScaleTick>& ticks) {
    std::vector<std::string> out;
    for (const auto& t : ticks) {
        if (t.Labelled) {
            out.push_back(t.Label);
        }
    }
    return out;
}

std::size_t shortCount(const std::vector<TScaleTick>& ticks) {
    std::size_t n = 0;
    for (const auto& t : ticks) {
        n += !t.Long && t.Drawn ? 1 : 0;
    }
    return n;
}

void expectValues(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_NEAR(got[i], want[i], 1e-9) << i;
    }
}

} // namespace

TEST(LinearTicks, SpacingFollowsOneTwoFive) {
    struct Case {
        double low, high;
        int minTicks;
        double first, distance;
        int shorts;
    };
    for (const Case c : {Case{0, 100, 3, 0, 20, 4}, Case{0, 1, 3, 0, 0.2, 4},
                         Case{0, 20, 3, 0, 5, 5}, Case{0, 10, 3, 0, 2, 4},
                         Case{100, 0, 3, 100, -20, 4}, Case{-7, 7, 3, -6, 2, 4},
                         Case{0, 1000, 10, 0, 100, 5}, Case{0.5, 10.5, 0, 1, 1, 5}}) {
        const TLinearTickSpacing t = LinearTickSpacing(c.low, c.high, c.minTicks);
        EXPECT_NEAR(t.First, c.first, 1e-12) << c.low << ".." << c.high;
        EXPECT_NEAR(t.Distance, c.distance, 1e-12) << c.low << ".." << c.high;
        EXPECT_EQ(t.ShortIntervals, c.shorts) << c.low << ".." << c.high;
    }
    const TLinearTickSpacing flat = LinearTickSpacing(5, 5, 3);
    EXPECT_EQ(flat.Distance, 0.0);
    EXPECT_EQ(flat.First, 5.0);
}

TEST(LinearTicks, TheExamplesOfTheScale) {
    auto t = PlanLinearTicks(range(0, 100));
    expectValues(longValues(t), {0, 20, 40, 60, 80, 100});
    EXPECT_EQ(labels(t), (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
    EXPECT_EQ(shortCount(t), 21u); // every 5 from 0 to 100

    t = PlanLinearTicks(range(0, 1));
    EXPECT_EQ(labels(t), (std::vector<std::string>{"0.00", "0.20", "0.40", "0.60", "0.80",
                                                   "1.00"}));

    auto s = range(0, 20);
    s.DecPlaces = 0;
    t = PlanLinearTicks(s);
    EXPECT_EQ(labels(t), (std::vector<std::string>{"0", "5", "10", "15", "20"}));

    t = PlanLinearTicks(range(0, 10, 0));
    EXPECT_EQ(longValues(t).size(), 11u);
    EXPECT_EQ(shortCount(t), 51u); // 5 short intervals per integer
    t = PlanLinearTicks(range(0, 11, 0));
    EXPECT_EQ(longValues(t).size(), 12u);
    EXPECT_EQ(shortCount(t), 12u); // one short interval: only at the long ticks

    t = PlanLinearTicks(range(100, 0));
    expectValues(longValues(t), {100, 80, 60, 40, 20, 0});

    t = PlanLinearTicks(range(0, 2000000));
    const auto l = labels(t);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.front(), "0.0");
    EXPECT_EQ(l[1], " 5.0E+05");
}

TEST(LinearTicks, ShortTicksCoverTheListOtherwiseLongTicksDo) {
    auto s = range(0, 100);
    auto t = PlanLinearTicks(s);
    for (const auto& tick : t) {
        EXPECT_EQ(tick.Listed, !tick.Long);
    }
    s.ShortTicks = false;
    t = PlanLinearTicks(s);
    EXPECT_EQ(shortCount(t), 0u);
    for (const auto& tick : t) {
        EXPECT_TRUE(tick.Long && tick.Listed);
    }
    s.LabelType = ftNoFigs;
    for (const auto& tick : PlanLinearTicks(s)) {
        EXPECT_FALSE(tick.Labelled);
    }
}

TEST(LinearTicks, DegenerateRangesEndPromptly) {
    const auto start = std::chrono::steady_clock::now();
    // Ticks at every integer of 0..1e12 would never finish: spaced as for MinTicks 10.
    auto t = PlanLinearTicks(range(0, 1e12, 0));
    EXPECT_LE(t.size(), 100u);
    EXPECT_GE(longValues(t).size(), 10u);
    // Reversed with MinTicks 0: runs downward to the end instead of upward for ever.
    t = PlanLinearTicks(range(10, 0, 0));
    expectValues(longValues(t), {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
    // A step far below the values' precision, NaN and equal ends.
    EXPECT_LE(PlanLinearTicks(range(1e20, 1e20 + 1e5)).size(),
              static_cast<std::size_t>(2 * MaxTicksPerPaint));
    EXPECT_TRUE(PlanLinearTicks(range(NAN, 1)).empty());
    EXPECT_TRUE(PlanLinearTicks(range(1, 1)).empty());
    EXPECT_TRUE(PlanLinearTicks(range(0, INFINITY)).empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
}

TEST(LinearTicks, RangesAFewRoundingStepsWideNeverRepeatAValue) {
    // Among the long ticks, and among the short ones, no value comes twice; each set rises
    // (or falls) with the range.
    const auto expectDistinct = [](const std::vector<TScaleTick>& ticks, const std::string& what) {
        for (const bool isLong : {true, false}) {
            std::vector<double> v;
            for (const auto& t : ticks) {
                if (t.Long == isLong) {
                    v.push_back(t.Value);
                }
            }
            const std::set<double> distinct(v.begin(), v.end());
            EXPECT_EQ(distinct.size(), v.size()) << what << (isLong ? " long" : " short");
        }
    };
    auto s = range(4156442291.656814, 4156442291.6568146, 8);
    s.DecPlaces = 2;
    s.LabelType = ftUserText;
    s.UserTickText = "dd||||dd";
    const auto ticks = PlanLinearTicks(s);
    expectDistinct(ticks, "the one-step range");
    EXPECT_LE(ticks.size(), 4u);
    EXPECT_FALSE(longValues(ticks).empty());

    for (const double at : {1.0, 1e3, 4156442291.656814, 1e12, 1e15, -4e9, 1e300}) {
        for (int steps = 1; steps <= 6; ++steps) {
            double high = at;
            for (int i = 0; i < steps; ++i) {
                high = std::nextafter(high, INFINITY);
            }
            for (const int m : {0, 2, 3, 8, 10}) {
                for (const bool reversed : {false, true}) {
                    auto r = reversed ? range(high, at, m) : range(at, high, m);
                    r.DecPlaces = 2;
                    const std::string what = std::to_string(at) + " +" + std::to_string(steps) +
                                             " m" + std::to_string(m) + (reversed ? " rev" : "");
                    expectDistinct(PlanLinearTicks(r), what);
                    r.ShortTicks = false;
                    expectDistinct(PlanLinearTicks(r), what + " no shorts");
                }
            }
        }
    }
    // Ordinary ranges keep every tick.
    EXPECT_EQ(longValues(PlanLinearTicks(range(0, 100, 3))).size(), 6u);
    EXPECT_EQ(shortCount(PlanLinearTicks(range(0, 100, 3))), 21u);
}

TEST(GridValues, LogarithmicOneTwoFiveStartsAtTheSmallestNotBelowTheMantissa) {
    const auto expectGrid = [](double low, double high, double grid,
                               const std::vector<double>& want) {
        const auto got = GridValues(low, high, grid, true, {});
        ASSERT_EQ(got.size(), want.size()) << low << ".." << high;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_DOUBLE_EQ(got[i], want[i]) << low << ".." << high << " #" << i;
        }
    };
    expectGrid(2, 100, -2, {2, 5, 10, 20, 50});
    expectGrid(5, 100, -2, {5, 10, 20, 50});
    expectGrid(1, 100, -2, {2, 5, 10, 20, 50});
    expectGrid(3, 100, -2, {5, 10, 20, 50});
    expectGrid(6, 100, -2, {10, 20, 50});
    expectGrid(0.02, 1, -2, {0.02, 0.05, 0.1, 0.2, 0.5});
    expectGrid(500, 10000, -2, {500, 1000, 2000, 5000});
    // The mantissa is rounded first: 2.4 counts as 2.
    expectGrid(2.4, 100, -2, {2, 5, 10, 20, 50});
    // The other decade grids are unchanged.
    expectGrid(5, 100, -1, {10});
    expectGrid(5, 10, -3, {5, 6, 7, 8, 9});
}

TEST(TickLabels, DecimalsNotationAndCuts) {
    EXPECT_EQ(EffectiveDecimals(-2, 0, 100), 0);
    EXPECT_EQ(EffectiveDecimals(-3, 0, 1), 2);
    EXPECT_EQ(EffectiveDecimals(-2, 0, 20), 1);
    EXPECT_EQ(EffectiveDecimals(-2, 0, 0.001), 5);
    EXPECT_EQ(EffectiveDecimals(-2, 0, 0.0001), -1);
    EXPECT_EQ(EffectiveDecimals(-2, 0, 1e6), -1);
    EXPECT_EQ(EffectiveDecimals(7, 0, 1e6), 7);

    EXPECT_EQ(FormatScaleNumber(1500, -1), " 1.5E+03");
    EXPECT_EQ(FormatScaleNumber(-0.00025, -1), "-2.5E-04");
    EXPECT_EQ(FormatScaleNumber(9.96e3, -1), " 1.0E+04");
    EXPECT_EQ(FormatScaleNumber(1e100, -1), "*********");
    EXPECT_EQ(FormatScaleNumber(1e-100, -1), "*********");
    EXPECT_EQ(FormatScaleNumber(-3.14159, 2), "-3.14");
    EXPECT_EQ(FormatScaleNumber(2.5, 0), "2");

    // The tick at zero, within a part in 1e14 of the range.
    EXPECT_EQ(LinearTickLabel(1e-17, 0, 1, 2, -2), "0.00");
    EXPECT_EQ(LinearTickLabel(1e-9, 0, 1e6, -1, -2), "0.0");
    EXPECT_EQ(LinearTickLabel(1e-9, 0, 1e6, 0, 0), "0");
    EXPECT_EQ(LinearTickLabel(123456789.125, 0, 1e9, 3, 3), "123456789.125");
    EXPECT_EQ(LinearTickLabel(1234567890123.5, 0, 1e13, 2, 2), "1234567890123.");
    // DecPlaces 0 writes whole numbers only.
    EXPECT_EQ(LinearTickLabel(2.5, 0, 10, 0, 0), "");
    EXPECT_EQ(LinearTickLabel(3.0000001, 0, 10, 0, 0), "3");
}

TEST(TickLabels, UserTextsAndInscripts) {
    EXPECT_EQ(UserTickItem("a|b", 1), "a");
    EXPECT_EQ(UserTickItem("a|b", 2), "b");
    EXPECT_EQ(UserTickItem("a|b", 4), "b");
    EXPECT_EQ(UserTickItem("a||c", 2), "");
    EXPECT_EQ(UserTickItem("", 3), "");
    EXPECT_EQ(ApplyInscript("& kg", "20"), "20 kg");
    EXPECT_EQ(ApplyInscript("x=", "20"), "x=20");
    EXPECT_EQ(ApplyInscript("[&]&", "7"), "[7]&");

    auto s = range(0, 30, 3); // long ticks 0, 10, 20, 30
    s.LabelType = ftUserText;
    s.UserTickText = "a|b";
    EXPECT_EQ(labels(PlanLinearTicks(s)), (std::vector<std::string>{"a", "b", "b", "b"}));
    s.LabelType = ftNum;
    s.ScaleInscript = "& kg";
    EXPECT_EQ(labels(PlanLinearTicks(s))[2], "20.0 kg"); // one decimal over 0..30
}

TEST(LogTicks, DecadesMultiplesAndExponentLabels) {
    auto s = range(1, 1000, 3);
    s.Logarithmic = true;
    auto t = PlanLogTicks(s);
    expectValues(longValues(t), {1, 10, 100, 1000});
    EXPECT_EQ(labels(t), (std::vector<std::string>{"1", "10", "100", "1000"}));

    s.MinTicks = 4;
    t = PlanLogTicks(s);
    expectValues(longValues(t), {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000});
    EXPECT_EQ(shortCount(t), 18u); // 3, 4, 6, 7, 8, 9 in three decades
    for (const auto& tick : t) {
        EXPECT_TRUE(tick.Listed);
    }

    s.DecPlaces = -3;
    EXPECT_EQ(labels(PlanLogTicks(s)),
              (std::vector<std::string>{"0", "", "", "1", "", "", "2", "", "", "3"}));

    s = range(0.01, 10, 3);
    s.Logarithmic = true;
    EXPECT_EQ(labels(PlanLogTicks(s)), (std::vector<std::string>{"0.01", "0.1", "1", "10"}));

    s.ShortTicks = false;
    s.MinTicks = 10;
    for (const auto& tick : PlanLogTicks(s)) {
        EXPECT_EQ(tick.Drawn, tick.Long);
        EXPECT_EQ(tick.Listed, tick.Long);
    }
}

TEST(LogTicks, LessThanADecadeOrNoLogarithmIsLinear) {
    auto s = range(2, 9, 3);
    s.Logarithmic = true;
    EXPECT_EQ(longValues(PlanLogTicks(s)), longValues(PlanLinearTicks(range(2, 9, 3))));
    s = range(0, 100, 3);
    s.Logarithmic = true;
    EXPECT_EQ(longValues(PlanLogTicks(s)), longValues(PlanLinearTicks(range(0, 100, 3))));
    s = range(1e-300, 1e300, 3);
    s.Logarithmic = true;
    EXPECT_EQ(longValues(PlanLogTicks(s)).size(), 601u);
}

TEST(GridValues, StepsTicksAndDecades) {
    EXPECT_EQ(GridValues(0, 25, 5, false, {}), (std::vector<double>{0, 5, 10, 15, 20}));
    EXPECT_EQ(GridValues(-3.5, 20, 20, false, {}), (std::vector<double>{0}));
    EXPECT_EQ(GridValues(0, 10, 0, false, {0, 2, 4, 6, 8, 10}),
              (std::vector<double>{0, 2, 4, 6, 8}));
    EXPECT_EQ(GridValues(1, 1000, -1, true, {}), (std::vector<double>{1, 10, 100}));
    const auto two5 = GridValues(1, 100, -2, true, {});
    ASSERT_EQ(two5.size(), 5u); // 2, 5, 10, 20, 50: the first is the 2x of the decade
    EXPECT_DOUBLE_EQ(two5[1], 5);
    EXPECT_DOUBLE_EQ(two5[3], 20);
    EXPECT_EQ(GridValues(1, 10, -3, true, {}).size(), 9u);
    EXPECT_EQ(GridValues(0, 1e9, 1e-9, false, {}).size(), 1000u);
    EXPECT_EQ(GridValues(1e20, 1e21, 1, false, {}).size(), 1u); // a step that cannot move
}
