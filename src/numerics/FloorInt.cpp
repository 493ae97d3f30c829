#include "numerics/FloorInt.h"

#include <cmath>
#include <limits>
#include <utility>

std::int32_t FloorInt(double x) {
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(x)) {
        return 0;
    }
    if (x >= static_cast<double>(hi)) {
        return hi;
    }
    if (x < static_cast<double>(lo)) {
        return lo;
    }
    // Round to nearest (halves to even), then step down when that overshot. Doubles round
    // exactly, so this needs no extended precision; in this range the result fits.
    auto k = static_cast<std::int32_t>(std::nearbyint(x));
    if (static_cast<double>(k) > x) {
        --k;
    }
    return k;
}

void SwapInt(std::int32_t& a, std::int32_t& b) { std::swap(a, b); }
void SwapDouble(double& a, double& b) { std::swap(a, b); }
void SwapExtended(long double& a, long double& b) { std::swap(a, b); }
