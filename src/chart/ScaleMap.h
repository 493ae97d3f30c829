#pragma once
// TScaleMap, the value-to-pixel map of one axis: a value v (ln v on a logarithmic axis) lies at
// pixel Factor * v + Offset. A scale control keeps one in double precision, every layer of a
// chart one per direction in long double. Plain C++.

#include <cstdint>

template <typename Real>
class TScaleMapOf {
public:
    // How the offset follows from the two ends. A scale measures it from the pixel of the end
    // it is given first; a chart's layers weigh both end pixels. The lines agree, their last
    // bits do not, and the pixels drawn depend on those bits.
    enum class TOffsetForm { FromFirstEnd, FromBothEnds };

    // Every value at pixel 0 until fitted.
    TScaleMapOf() = default;
    TScaleMapOf(Real f, Real o) : factor(f), offset(o) {}

    // Whether a range can be laid onto pixels: distinct ends, both positive when logarithmic.
    static bool CanMap(double low, double high, bool logarithmic);

    // The range the map stands for: its ends (the value of every pixel while the map has no
    // factor) and whether it is logarithmic. Fit and Centre keep them.
    void SetRange(double low, double high, bool logarithmic);
    double Low() const { return low; }
    double High() const { return high; }
    bool Logarithmic() const { return logarithmic; }

    // Lays the value `first` onto pixel `firstPixel` and `second` onto `secondPixel`; the
    // values must be mappable (CanMap).
    void Fit(double first, std::int32_t firstPixel, double second, std::int32_t secondPixel,
             TOffsetForm form);
    // Every value at one pixel: for a span without room, or a range that cannot be mapped.
    void Centre(Real pixel);

    Real Factor() const { return factor; }
    Real Offset() const { return offset; }

    // Where a value goes that a logarithm cannot take (at most 1e-100 on a logarithmic map),
    // and where NaN goes; both default to 0.
    void SetOutsidePixels(Real belowLogDomain, Real notANumber);

    // The unrounded pixel, limited to +-2147483647.
    Real Position(double value) const;
    // The pixel, rounded half to even.
    std::int32_t Pixel(double value) const;
    // The value at a pixel; the low end while the map has no factor.
    double Value(Real pixel) const;

private:
    Real axisValue(double v) const;

    double low = 0.0;
    double high = 1.0;
    bool logarithmic = false;
    Real factor = 0;
    Real offset = 0;
    Real belowPixel = 0;
    Real nanPixel = 0;
};

extern template class TScaleMapOf<double>;
extern template class TScaleMapOf<long double>;

// A scale control's map.
using TScaleMap = TScaleMapOf<double>;
// A chart layer's map of one direction.
using TLayerMap = TScaleMapOf<long double>;
