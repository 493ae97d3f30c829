#include "numerics/Conversions.h"

#include <cmath>
#include <limits>

namespace {

template <typename Real> std::int32_t checked(Real x) {
    if (std::isnan(x)) {
        return 0;
    }
    constexpr auto lo = std::numeric_limits<std::int32_t>::min();
    constexpr auto hi = std::numeric_limits<std::int32_t>::max();
    if (x <= static_cast<Real>(lo)) {
        return lo;
    }
    if (x >= static_cast<Real>(hi)) {
        return hi;
    }
    return static_cast<std::int32_t>(x);
}

} // namespace

long double RoundHalfEven(long double x) {
    // rint rounds in the current mode, as nearbyint does, and the program never leaves the
    // default round-to-nearest-even mode. Unlike nearbyint it does not save and restore the
    // floating-point environment around the rounding, which costs more than the rounding; it
    // may raise the inexact flag, which nothing reads.
    return std::rint(x);
}

std::int32_t CheckedInt32(long double x) { return checked(x); }
std::int32_t CheckedInt32(double x) { return checked(x); }

std::int32_t RoundInt32(long double x) { return CheckedInt32(RoundHalfEven(x)); }
std::int32_t RoundInt32(double x) { return CheckedInt32(std::rint(x)); }
