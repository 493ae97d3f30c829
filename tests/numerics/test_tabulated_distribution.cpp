// The tabulated generator: resolution rules, the normal table, the exact number of uniform
// draws per candidate, and whole samples compared with expected_values.py.

#include "numerics/TabulatedDistribution.h"
#include "numerics/Uniform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

std::uint32_t advanced(std::uint32_t state, long draws) {
    for (long i = 0; i < draws; ++i) {
        state = state * 134775813u + 1u;
    }
    return state;
}

TTabulatedDistribution lessonPopulation() {
    TTabulatedDistribution d;
    d.SetResolution(500);
    d.LowBorder = 0.0;
    d.HighBorder = 20.0;
    d.SetNormalDistribution(8.0, 2.5);
    return d;
}

} // namespace

TEST(TabulatedDistribution, ResolutionIsClampedAndResetsTheShape) {
    TTabulatedDistribution d;
    EXPECT_EQ(d.Resolution(), 500);
    EXPECT_EQ(d.DistTable().size(), 500u);
    EXPECT_EQ(d.LowBorder, 0.0);
    EXPECT_EQ(d.HighBorder, 0.0);
    d.HighBorder = 1.0;
    for (const auto& [asked, stored] : std::array<std::pair<int, int>, 5>{
             {{5, 10}, {5000, 4000}, {-1, 10}, {10, 10}, {4000, 4000}}}) {
        d.SetNormalDistribution(0.5, 0.1);
        d.SetResolution(asked);
        EXPECT_EQ(d.Resolution(), stored);
        ASSERT_EQ(d.DistTable().size(), static_cast<std::size_t>(stored));
        EXPECT_TRUE(std::all_of(d.DistTable().begin(), d.DistTable().end(),
                                [](double v) { return v == 1.0; }));
    }
}

TEST(TabulatedDistribution, NormalTableOfTheLesson) {
    const TTabulatedDistribution d = lessonPopulation();
    EXPECT_EQ(d.DistTable()[200], 1.0);
    EXPECT_EQ(d.DistTable()[0], 0.005976022895005944);
    EXPECT_NEAR(d.DistTable()[0], std::exp(-5.12), 1e-17);
    EXPECT_EQ(d.DistTable()[1], 0.006289158506310669);
    EXPECT_EQ(d.DistTable()[499], 1.0720765460215223e-05);
    EXPECT_EQ(std::max_element(d.DistTable().begin(), d.DistTable().end()) -
                  d.DistTable().begin(),
              200);
}

TEST(TabulatedDistribution, SampleFromFixedSeedMatchesIndependentComputation) {
    const TTabulatedDistribution d = lessonPopulation();
    const std::array<double, 30> expected{
        6.9509953236673026, 5.919381955368444,  9.983949293475598,  6.84586896427907,
        8.52137060765177,   8.51199357292615,   5.249213814428076,  9.339911313075572,
        13.144990194076673, 8.382615421377123,  11.71813857560046,  11.06222669175826,
        14.805884299734608, 4.906153442328796,  4.956761697027832,  9.689513234002515,
        4.283241813164205,  7.217426553117111,  12.141037711044774, 8.507517250198871,
        7.2701136296708135, 10.79306592441164,  8.216472114603967,  4.0367144161928445,
        8.380296520162373,  4.294559994721785,  9.49200164264068,   7.663781419852748,
        5.148045371705666,  8.78043873260729};
    UniformSeed = 1234;
    for (double e : expected) {
        EXPECT_EQ(d.RandomValue(), e);
    }
    EXPECT_EQ(UniformSeed, 412009720u);
}

TEST(TabulatedDistribution, TwoDrawsWhenTheDensityAcceptsThreeOtherwise) {
    TTabulatedDistribution d;
    d.SetResolution(10);
    d.HighBorder = 10.0;
    // All densities 1.0: every cell but the last accepts at once (two draws). In the last
    // cell the density falls toward zero, so a third draw decides.
    UniformSeed = 77;
    for (int i = 0; i < 200; ++i) {
        std::uint32_t state = UniformSeed;
        long draws = 0;
        for (;;) {
            const std::uint32_t afterK = advanced(state, 1);
            const auto k = static_cast<int>((std::uint64_t{afterK} * 10u) >> 32);
            const std::uint32_t afterU = advanced(afterK, 1);
            draws += 2;
            state = afterU;
            if (k != 9) {
                break;
            }
            const double a = 1.0 - afterU * 0x1p-32;
            if (a >= 1.0) {
                break;
            }
            state = advanced(state, 1);
            ++draws;
            if (state * 0x1p-32 < a) {
                break;
            }
        }
        const std::uint32_t expectedState = advanced(UniformSeed, draws);
        const double v = d.RandomValue();
        ASSERT_EQ(UniformSeed, expectedState);
        ASSERT_GE(v, 0.0);
        ASSERT_LT(v, 10.0);
    }
}

TEST(TabulatedDistribution, DegenerateTablesAndBorders) {
    TTabulatedDistribution d;
    d.SetResolution(10);
    d.HighBorder = 5.0;
    std::fill(d.DistTable().begin(), d.DistTable().end(), 0.0);
    UniformSeed = 5;
    const double v = d.RandomValue();
    // 100001 rejected candidates of three draws each, then the last one is used.
    EXPECT_EQ(UniformSeed, advanced(5, 3L * 100001));
    EXPECT_GE(v, 0.0);
    EXPECT_LT(v, 5.0);

    d.SetResolution(10);
    d.LowBorder = 3.0;
    d.HighBorder = 3.0;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(d.RandomValue(), 3.0);
    }
}

TEST(TabulatedDistribution, NeverReturnsTheHighBorder) {
    TTabulatedDistribution d;
    d.SetResolution(10);
    d.HighBorder = 1.0;
    // The largest state gives the largest u; walk through many states around it too.
    UniformSeed = 0xFFFFFFFEu * 0xD94FA8CDu;
    for (int i = 0; i < 20000; ++i) {
        const double v = d.RandomValue();
        ASSERT_LT(v, 1.0);
        ASSERT_GE(v, 0.0);
    }
}
