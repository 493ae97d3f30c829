#pragma once
// The one place where reals become integers. Out-of-range real-to-integer conversion is
// undefined behaviour in C++, so every conversion goes through these checked helpers: NaN
// becomes 0 and everything else is clamped to the target's range.

#include <cstdint>

// Nearest integral value with exact halves going to the even neighbour (2.5 -> 2, 3.5 -> 4).
long double RoundHalfEven(long double x);

// x truncated toward zero; NaN gives 0, values beyond the 32-bit range clamp to its ends.
std::int32_t CheckedInt32(long double x);
// The same for a double, without the 80-bit unit: every double converts to long double
// exactly, so both forms give the same result for it.
std::int32_t CheckedInt32(double x);

// x rounded half to even, then converted as CheckedInt32 does.
std::int32_t RoundInt32(long double x);
// The same for a double, in double arithmetic: the integer nearest to a double is itself a
// double, so both forms give the same result for it. The charts round every pixel this way.
std::int32_t RoundInt32(double x);
