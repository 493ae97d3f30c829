// The uniform source must match the generator bit for bit; the expected values come from
// expected_values.py, which computes them without this code.

#include "numerics/Uniform.h"

#include <gtest/gtest.h>

TEST(Uniform, SequenceFromTheLibrarySeed) {
    UniformSeed = 1234;
    EXPECT_EQ(UniformReal(), 3104595995.0 / 4294967296.0);
    EXPECT_EQ(UniformSeed, 3104595995u);
    EXPECT_EQ(UniformReal(), 3617836168.0 / 4294967296.0);
    EXPECT_EQ(UniformReal(), 1340677801.0 / 4294967296.0);

    UniformSeed = 1234;
    EXPECT_EQ(UniformInt(500), 361);
    EXPECT_EQ(UniformInt(500), 421);
    EXPECT_EQ(UniformInt(500), 156);
}

TEST(Uniform, ResultsStayInRangeAndBadArgumentsStillDraw) {
    // The state just before 0xFFFFFFFF: the next draw gives the largest state there is.
    UniformSeed = 0xFFFFFFFEu * 0xD94FA8CDu; // 0xD94FA8CD is 134775813's inverse mod 2^32
    const double top = UniformReal();
    EXPECT_EQ(UniformSeed, 0xFFFFFFFFu);
    EXPECT_LT(top, 1.0);
    UniformSeed = 0xFFFFFFFEu * 0xD94FA8CDu;
    EXPECT_EQ(UniformInt(7), 6);

    UniformSeed = 99;
    for (int i = 0; i < 1000; ++i) {
        const double r = UniformReal();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        const std::int32_t k = UniformInt(2147483647);
        ASSERT_GE(k, 0);
    }
    const std::uint32_t before = UniformSeed;
    EXPECT_EQ(UniformInt(0), 0);
    EXPECT_EQ(UniformInt(-5), 0);
    EXPECT_EQ(UniformSeed, (before * 134775813u + 1u) * 134775813u + 1u);
}

TEST(Uniform, ClockSeedIsTheTimeOfDayInMilliseconds) {
    EXPECT_EQ(SeedForTimeOfDay(0, 0, 0, 0), 0u);
    EXPECT_EQ(SeedForTimeOfDay(1, 2, 3, 4), 3723004u);
    EXPECT_EQ(SeedForTimeOfDay(23, 59, 59, 999), 86399999u);
    SeedFromClock();
    EXPECT_LT(UniformSeed, 86400000u);
}
