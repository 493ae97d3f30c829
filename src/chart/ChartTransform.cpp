#include "chart/ChartTransform.h"

#include <algorithm>
#include <cmath>

namespace {

// A range of zero width (reachable by writing an axis directly), an infinite end, or one a
// logarithm cannot take has no map; the axis scale refuses ends below 1e-100 once loaded.
bool usable(const TAxisRange& r) {
    return std::isfinite(r.Low) && std::isfinite(r.High) &&
           TLayerMap::CanMap(r.Low, r.High, r.Logarithmic);
}

// `first` and `second` are the pixels of the low and the high end; `extent` is the control's
// size in that direction, and `lowEdge` the edge on the side of the low values, where values
// a logarithm cannot take are placed.
void fit(TLayerMap& m, const TAxisRange& r, bool room, std::int32_t first, std::int32_t second,
         std::int32_t extent, std::int32_t lowEdge) {
    m.SetRange(r.Low, r.High, r.Logarithmic);
    const long double below = r.High >= r.Low ? lowEdge : extent - lowEdge;
    m.SetOutsidePixels(below, r.Logarithmic ? below : 0);
    // A data area without room or a range without a map puts every value at the control's
    // middle instead of dividing by zero.
    if (room && usable(r)) {
        m.Fit(r.Low, first, r.High, second, TLayerMap::TOffsetForm::FromBothEnds);
    } else {
        m.Centre(extent / 2.0L);
    }
}

} // namespace

void TChartTransform::Recalc(const TChartGeometry& g, int layer, const TAxisRange& x,
                             const TAxisRange& y) {
    if (layer < 1 || layer > Layers) {
        return;
    }
    Layer& l = layers[static_cast<std::size_t>(layer - 1)];
    fit(l.x, x, g.AreaWidth() > 0, g.MarginLeft, g.Width - g.MarginRight - g.ShadowWidth,
        g.Width, 0);
    fit(l.y, y, g.AreaHeight() > 0, g.Height - g.MarginBottom - g.ShadowWidth, g.MarginTop,
        g.Height, g.Height);
}

const TChartTransform::Layer& TChartTransform::at(int layer) const {
    return layers[static_cast<std::size_t>(std::clamp(layer, 1, Layers) - 1)];
}

void TChartTransform::WorldToPixelReal(int layer, double x, double y, double& px,
                                       double& py) const {
    const Layer& l = at(layer);
    px = static_cast<double>(l.x.Position(x));
    py = static_cast<double>(l.y.Position(y));
}

void TChartTransform::WorldToPixel(int layer, double x, double y, std::int32_t& px,
                                   std::int32_t& py) const {
    const Layer& l = at(layer);
    px = l.x.Pixel(x);
    py = l.y.Pixel(y);
}

void TChartTransform::PixelToWorld(int layer, double px, double py, double& x, double& y) const {
    const Layer& l = at(layer);
    x = l.x.Value(px);
    y = l.y.Value(py);
}

void TChartGeometry::IsometricY(double xLo, double xHi, std::int32_t widthPlusOne, double& yLo,
                                double& yHi) const {
    const double c = (yLo + yHi) / 2;
    const double h = (xHi - xLo) * (AreaHeight() + 1) / std::max(widthPlusOne, 1) / 2;
    yLo = c - h;
    yHi = c + h;
}
