#pragma once
// The integer floor that turns a value into a histogram class, and the three exchange
// routines the charts share.

#include <cstdint>

// The 32-bit integer k with k <= x < k + 1. NaN gives 0; values whose floor lies outside the
// 32-bit range clamp to its ends.
std::int32_t FloorInt(double x);

void SwapInt(std::int32_t& a, std::int32_t& b);
void SwapDouble(double& a, double& b);
void SwapExtended(long double& a, long double& b);
