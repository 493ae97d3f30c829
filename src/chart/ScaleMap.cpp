#include "chart/ScaleMap.h"

#include "chart/ChartTypes.h"
#include "numerics/Conversions.h"

#include <algorithm>
#include <cmath>

template <typename Real>
bool TScaleMapOf<Real>::CanMap(double lo, double hi, bool logScale) {
    return lo != hi && (!logScale || (lo > 0 && hi > 0));
}

template <typename Real>
void TScaleMapOf<Real>::SetRange(double lo, double hi, bool logScale) {
    low = lo;
    high = hi;
    logarithmic = logScale;
}

template <typename Real>
Real TScaleMapOf<Real>::axisValue(double v) const {
    return logarithmic ? std::log(static_cast<Real>(v)) : static_cast<Real>(v);
}

template <typename Real>
void TScaleMapOf<Real>::Fit(double first, std::int32_t firstPixel, double second,
                            std::int32_t secondPixel, TOffsetForm form) {
    const Real a = axisValue(first);
    const Real b = axisValue(second);
    const Real pa = static_cast<Real>(firstPixel);
    const Real pb = static_cast<Real>(secondPixel);
    // Pixel differences of 32-bit integers are exact in either precision.
    factor = (pb - pa) / (b - a);
    if (form == TOffsetForm::FromFirstEnd) {
        offset = pa - a * factor;
    } else {
        offset = (pa * b - pb * a) / (b - a);
    }
}

template <typename Real>
void TScaleMapOf<Real>::Centre(Real pixel) {
    factor = 0;
    offset = pixel;
}

template <typename Real>
void TScaleMapOf<Real>::SetOutsidePixels(Real belowLogDomain, Real notANumber) {
    belowPixel = belowLogDomain;
    nanPixel = notANumber;
}

template <typename Real>
Real TScaleMapOf<Real>::Position(double value) const {
    if (std::isnan(value)) {
        return nanPixel;
    }
    if (logarithmic && value <= MinLogValue) {
        return belowPixel;
    }
    const Real p = factor * axisValue(value) + offset;
    if (std::isnan(p)) {
        return 0; // a zero factor times an infinite value
    }
    constexpr Real limit = 2147483647.0L;
    return std::clamp(p, -limit, limit);
}

template <typename Real>
std::int32_t TScaleMapOf<Real>::Pixel(double value) const {
    // The position is rounded as a double (the pixels drawn depend on that step), which
    // rounds to the nearest integer in double arithmetic with the same result as in long
    // double, and faster.
    return RoundInt32(static_cast<double>(Position(value)));
}

template <typename Real>
double TScaleMapOf<Real>::Value(Real pixel) const {
    if (factor == 0) {
        return low;
    }
    const Real v = (pixel - offset) / factor;
    return static_cast<double>(logarithmic ? std::exp(v) : v);
}

template class TScaleMapOf<double>;
template class TScaleMapOf<long double>;
