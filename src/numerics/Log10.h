#pragma once
// The library's base-10 logarithm, ln x / ln 10, which refuses arguments of 0 or less.

// Throws EMathError("logarithm: invalid argument") for x <= 0 and for NaN.
double Log10(double x);
