#include "chart/ChartTransform.h"

#include "chart/ChartTypes.h"
#include "numerics/Conversions.h"

#include <algorithm>
#include <cmath>

namespace {

// ln on a logarithmic axis; the axis scale refuses ends below 1e-100 once loaded, and any
// end a logarithm cannot take is kept out of the factor by the caller.
long double axisValue(double v, bool logarithmic) {
    return logarithmic ? std::log(static_cast<long double>(v)) : static_cast<long double>(v);
}

bool usable(const TAxisRange& r) {
    if (!std::isfinite(r.Low) || !std::isfinite(r.High) || r.Low == r.High) {
        return false;
    }
    return !r.Logarithmic || (r.Low > 0 && r.High > 0);
}

double clampPixel(long double p) {
    constexpr long double limit = 2147483647.0L;
    if (std::isnan(p)) {
        return 0.0;
    }
    return static_cast<double>(std::clamp(p, -limit, limit));
}

} // namespace

void TChartTransform::Recalc(const TChartGeometry& g, int layer, const TAxisRange& x,
                             const TAxisRange& y) {
    if (layer < 1 || layer > Layers) {
        return;
    }
    Layer& l = layers[static_cast<std::size_t>(layer - 1)];
    l.x = x;
    l.y = y;
    l.width = g.Width;
    l.height = g.Height;
    // A range of zero width (reachable by writing an axis directly) or a data area without
    // room maps every value to the control's middle instead of dividing by zero.
    if (g.AreaWidth() > 0 && usable(x)) {
        const long double lo = axisValue(x.Low, x.Logarithmic);
        const long double hi = axisValue(x.High, x.Logarithmic);
        l.kx = g.AreaWidth() / (hi - lo);
        l.dx = (g.MarginLeft * hi - (g.Width - g.MarginRight - g.ShadowWidth) * lo) / (hi - lo);
    } else {
        l.kx = 0;
        l.dx = g.Width / 2.0L;
    }
    if (g.AreaHeight() > 0 && usable(y)) {
        const long double lo = axisValue(y.Low, y.Logarithmic);
        const long double hi = axisValue(y.High, y.Logarithmic);
        l.ky = -g.AreaHeight() / (hi - lo);
        l.dy = ((g.Height - g.MarginBottom - g.ShadowWidth) * hi - g.MarginTop * lo) / (hi - lo);
    } else {
        l.ky = 0;
        l.dy = g.Height / 2.0L;
    }
}

const TChartTransform::Layer& TChartTransform::at(int layer) const {
    return layers[static_cast<std::size_t>(std::clamp(layer, 1, Layers) - 1)];
}

void TChartTransform::WorldToPixelReal(int layer, double x, double y, double& px,
                                       double& py) const {
    const Layer& l = at(layer);
    if (l.x.Logarithmic && !(x > MinLogValue)) {
        px = l.x.High >= l.x.Low ? 0.0 : l.width;
    } else {
        px = clampPixel(l.kx * axisValue(x, l.x.Logarithmic) + l.dx);
    }
    if (l.y.Logarithmic && !(y > MinLogValue)) {
        py = l.y.High >= l.y.Low ? l.height : 0.0;
    } else {
        py = clampPixel(l.ky * axisValue(y, l.y.Logarithmic) + l.dy);
    }
}

void TChartTransform::WorldToPixel(int layer, double x, double y, std::int32_t& px,
                                   std::int32_t& py) const {
    double rx = 0, ry = 0;
    WorldToPixelReal(layer, x, y, rx, ry);
    px = RoundInt32(rx);
    py = RoundInt32(ry);
}

void TChartTransform::PixelToWorld(int layer, double px, double py, double& x, double& y) const {
    const Layer& l = at(layer);
    const auto back = [](long double p, long double k, long double d, const TAxisRange& r) {
        if (k == 0) {
            return r.Low;
        }
        const long double v = (p - d) / k;
        return static_cast<double>(r.Logarithmic ? std::exp(v) : v);
    };
    x = back(px, l.kx, l.dx, l.x);
    y = back(py, l.ky, l.dy, l.y);
}
