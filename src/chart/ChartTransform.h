#pragma once
// The world-to-pixel map of a chart's 16 layers: for each layer an x map and a y map, laid
// from the axis ranges onto the data area. Plain C++.

#include "chart/ScaleMap.h"

#include <array>
#include <cstdint>

struct TChartGeometry {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::int32_t MarginLeft = 0;
    std::int32_t MarginRight = 0;
    std::int32_t MarginTop = 0;
    std::int32_t MarginBottom = 0;
    std::int32_t ShadowWidth = 0;

    bool operator==(const TChartGeometry&) const = default;

    std::int32_t AreaWidth() const { return Width - MarginLeft - MarginRight - ShadowWidth; }
    std::int32_t AreaHeight() const { return Height - MarginTop - MarginBottom - ShadowWidth; }

    // An isometric chart shows one unit as long upward as across: the y range keeps its
    // centre and takes the height that the x range's width asks for in an area
    // `widthPlusOne` pixels wide (its width plus one; at least 1 is used).
    void IsometricY(double xLo, double xHi, std::int32_t widthPlusOne, double& yLo,
                    double& yHi) const;
};

struct TAxisRange {
    double Low = 0.0;
    double High = 1.0;
    bool Logarithmic = false;
};

class TChartTransform {
public:
    static constexpr int Layers = 16;

    void Recalc(const TChartGeometry& g, int layer, const TAxisRange& x, const TAxisRange& y);

    // Pixel of a world point, clamped to +-2147483647 and rounded half to even. Layers
    // outside 1..16 are clamped.
    void WorldToPixel(int layer, double x, double y, std::int32_t& px, std::int32_t& py) const;
    // The unrounded pixel position (used for distances).
    void WorldToPixelReal(int layer, double x, double y, double& px, double& py) const;
    // World point of a pixel; finite also when a factor is zero (the range's low end).
    void PixelToWorld(int layer, double px, double py, double& x, double& y) const;

private:
    struct Layer {
        TLayerMap x, y;
    };
    const Layer& at(int layer) const;
    std::array<Layer, Layers> layers{};
};
