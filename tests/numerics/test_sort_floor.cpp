// The comb sort's passes, its element kinds and directions, and the integer floor at the
// places where a rounding-based floor goes wrong.

#include "numerics/Conversions.h"
#include "numerics/FloorInt.h"
#include "numerics/SortArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>
#include <vector>

namespace {
std::vector<std::int32_t> hookCalls;
void recordPass(std::int32_t count) { hookCalls.push_back(count); }
} // namespace

TEST(SortArray, PassCountsFollowTheGapSequence) {
    std::vector<double> v(30);
    std::iota(v.begin(), v.end(), 1.0);
    std::uint32_t before = SortPassCounter;
    SortArray(v.data(), 30, 0, true);
    // Gaps 23, 17, 13, 10, 7, 5, 3, 2, 1 and nothing left to exchange.
    EXPECT_EQ(SortPassCounter - before, 9u);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));

    std::reverse(v.begin(), v.end());
    before = SortPassCounter;
    SortArray(v.data(), 30, 1, true);
    EXPECT_GT(SortPassCounter - before, 9u);
    EXPECT_TRUE(std::is_sorted(v.begin(), v.end()));

    before = SortPassCounter;
    SortArray(v.data(), 1, 0, true);
    SortArray(v.data(), 0, 0, true);
    SortArray(v.data(), -4, 0, true);
    EXPECT_EQ(SortPassCounter, before);
}

TEST(SortArray, HookSeesEveryNewCount) {
    hookCalls.clear();
    SortPassHook = recordPass;
    std::array<std::int32_t, 5> a{5, 4, 3, 2, 1};
    const std::uint32_t before = SortPassCounter;
    SortArray(a.data(), 5, 3, true);
    SortPassHook = nullptr;
    ASSERT_EQ(hookCalls.size(), SortPassCounter - before);
    for (std::size_t i = 0; i < hookCalls.size(); ++i) {
        EXPECT_EQ(hookCalls[i], static_cast<std::int32_t>(before + i + 1));
    }
    EXPECT_EQ(a, (std::array<std::int32_t, 5>{1, 2, 3, 4, 5}));
}

TEST(SortArray, KindsAndDirections) {
    std::array<double, 3> d{3, 1, 2};
    SortArray(d.data(), 3, 0, true);
    EXPECT_EQ(d, (std::array<double, 3>{1, 2, 3}));
    d = {3, 1, 2};
    SortArray(d.data(), 3, 0, false);
    EXPECT_EQ(d, (std::array<double, 3>{3, 2, 1}));

    std::array<float, 4> f{0.5f, -1.5f, 2.25f, 0.0f};
    SortArray(f.data(), 4, 2, true);
    EXPECT_EQ(f, (std::array<float, 4>{-1.5f, 0.0f, 0.5f, 2.25f}));

    std::array<std::int32_t, 4> i{7, -8, 2147483647, -2147483647 - 1};
    SortArray(i.data(), 4, 4, false);
    EXPECT_EQ(i, (std::array<std::int32_t, 4>{2147483647, 7, -8, -2147483647 - 1}));

    // Only the first n elements move; unknown kinds leave the array alone.
    std::array<double, 4> part{4, 3, 2, 1};
    SortArray(part.data(), 2, 0, true);
    EXPECT_EQ(part, (std::array<double, 4>{3, 4, 2, 1}));
    const std::uint32_t before = SortPassCounter;
    SortArray(part.data(), 4, 5, true);
    EXPECT_EQ(part, (std::array<double, 4>{3, 4, 2, 1}));
    EXPECT_EQ(SortPassCounter, before);
}

TEST(SortArray, NaNCannotMakeItLoop) {
    std::array<double, 6> v{2, NAN, 1, NAN, 0, 3};
    SortArray(v.data(), 6, 0, true); // must return; the order around NaN is unspecified
    EXPECT_EQ(std::count_if(v.begin(), v.end(), [](double x) { return std::isnan(x); }), 2);
}

TEST(FloorInt, HalvesNegativesAndIntegers) {
    EXPECT_EQ(FloorInt(2.5), 2);
    EXPECT_EQ(FloorInt(3.5), 3);
    EXPECT_EQ(FloorInt(-2.5), -3);
    EXPECT_EQ(FloorInt(-0.5), -1);
    EXPECT_EQ(FloorInt(19.999), 19);
    EXPECT_EQ(FloorInt(8.0), 8);
    EXPECT_EQ(FloorInt(7.999), 7);
    EXPECT_EQ(FloorInt(-3.0), -3);
    EXPECT_EQ(FloorInt(0.0), 0);
    EXPECT_EQ(FloorInt(-0.0), 0);
    EXPECT_EQ(FloorInt(std::nextafter(25.0, 0.0)), 24);
}

TEST(FloorInt, NonFiniteAndOutOfRangeClamp) {
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(FloorInt(NAN), 0);
    EXPECT_EQ(FloorInt(INFINITY), hi);
    EXPECT_EQ(FloorInt(-INFINITY), lo);
    EXPECT_EQ(FloorInt(1e300), hi);
    EXPECT_EQ(FloorInt(-1e300), lo);
    EXPECT_EQ(FloorInt(2147483647.5), hi);
    EXPECT_EQ(FloorInt(-2147483648.0), lo);
    EXPECT_EQ(FloorInt(-2147483648.5), lo); // the floor is below the range
    EXPECT_EQ(FloorInt(-2147483647.5), lo);
}

TEST(Conversions, RoundingAndClamping) {
    EXPECT_EQ(RoundInt32(0.5L), 0);
    EXPECT_EQ(RoundInt32(1.5L), 2);
    EXPECT_EQ(RoundInt32(-2.5L), -2);
    EXPECT_EQ(RoundInt32(3.0L * 0.1L), 0);
    EXPECT_EQ(RoundInt32(90.0L * 0.9L), 81);
    EXPECT_EQ(CheckedInt32(-7.9L), -7);
    EXPECT_EQ(CheckedInt32(NAN), 0);
    EXPECT_EQ(CheckedInt32(1e30L), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(CheckedInt32(-1e30L), std::numeric_limits<std::int32_t>::min());
}

// The double forms must agree with rounding the same value in long double with nearbyint, the
// reference that saves the floating-point environment: at and next to every half, at the
// ends of the 32-bit range, beyond it, and for the special values.
TEST(Conversions, DoubleFormsRoundAsTheLongDoubleReferenceDoes) {
    auto reference = [](double x) {
        return CheckedInt32(std::nearbyint(static_cast<long double>(x)));
    };
    // Signed zeros, halves, the largest double below a half, the 32-bit ends, the last
    // doubles with a fraction, beyond the range, and the special values.
    std::vector<double> values = {0.0, -0.0, 0.5, -0.5, 1.5, 2.5, -2.5, 0.49999999999999994};
    values.insert(values.end(), {2147483646.5, 2147483647.0, 2147483647.5, -2147483648.0});
    values.insert(values.end(), {-2147483648.5, -2147483649.0, 4503599627370495.5});
    values.insert(values.end(), {1e300, -1e300, INFINITY, -INFINITY, NAN});
    for (int k = -1000; k <= 1000; ++k) {
        const double half = k + 0.5;
        values.insert(values.end(), {half, std::nextafter(half, -INFINITY),
                                     std::nextafter(half, INFINITY), k * 0.1, k * 1.37e6});
    }
    for (const double x : values) {
        EXPECT_EQ(RoundInt32(x), reference(x)) << x;
        EXPECT_EQ(CheckedInt32(x), CheckedInt32(static_cast<long double>(x))) << x;
    }
    // Long doubles that no double holds round as nearbyint rounds them.
    for (const long double x :
         {2.5L, 2.5L + 1e-18L, 2.5L - 1e-18L, -3.5L - 1e-18L, 2147483647.5L - 1e-9L, 1e4000L}) {
        EXPECT_EQ(RoundHalfEven(x), std::nearbyint(x)) << static_cast<double>(x);
        EXPECT_EQ(RoundInt32(x), CheckedInt32(std::nearbyint(x))) << static_cast<double>(x);
    }
}

TEST(Swap, ExchangesEachType) {
    std::int32_t a = 1, b = 2;
    SwapInt(a, b);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    double x = 1.5, y = -2.5;
    SwapDouble(x, y);
    EXPECT_EQ(x, -2.5);
    EXPECT_EQ(y, 1.5);
    long double p = 1.0L / 3.0L, q = 2.0L;
    const long double third = p;
    SwapExtended(p, q);
    EXPECT_EQ(p, 2.0L);
    EXPECT_EQ(q, third); // no rounding through double on the way
}
