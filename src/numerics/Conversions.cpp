#include "numerics/Conversions.h"

#include <cmath>
#include <limits>

long double RoundHalfEven(long double x) {
    // nearbyint rounds in the current mode; the program never leaves the default
    // round-to-nearest-even mode.
    return std::nearbyint(x);
}

std::int32_t CheckedInt32(long double x) {
    if (std::isnan(x)) {
        return 0;
    }
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    if (x <= static_cast<long double>(lo)) {
        return lo;
    }
    if (x >= static_cast<long double>(hi)) {
        return hi;
    }
    return static_cast<std::int32_t>(x);
}

std::int32_t RoundInt32(long double x) { return CheckedInt32(RoundHalfEven(x)); }
