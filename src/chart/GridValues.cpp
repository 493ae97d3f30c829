#include "chart/GridValues.h"

#include <cmath>

namespace {

struct Decade {
    double mantissa; // rounded to a whole number
    double power;
};

Decade decadeOf(double v) {
    const double t = std::floor(std::log10(v));
    return {std::nearbyint(std::pow(10.0, std::log10(v) - t)), std::pow(10.0, t)};
}

// The step after a mantissa of 1, 2 or 5: 1 -> 2, 2 -> 5, 5 -> 10.
double nextMultiple125(double m) { return m < 2 ? 2 : (m < 5 ? 5 : 10); }
// Where a 1-2-5 grid starts: the smallest of 2, 5 and 10 that is at least the mantissa.
double atLeast125(double m) { return m <= 2 ? 2 : (m <= 5 ? 5 : 10); }

} // namespace

std::vector<double> GridValues(double low, double high, double grid, bool logarithmic,
                               const std::vector<double>& ticks, int limit) {
    std::vector<double> out;
    if (!std::isfinite(low) || !std::isfinite(high)) {
        return out;
    }
    const bool decades = logarithmic && grid < 0 && low > 0 &&
                         (grid == -1 || grid == -2 || grid == -3);
    double v = 0;
    if (grid == 0) {
        v = ticks.empty() ? low : ticks.front();
    } else if (decades && grid == -1) {
        v = std::pow(10.0, std::ceil(std::log10(low)));
    } else if (decades) {
        const Decade d = decadeOf(low);
        v = (grid == -2 ? atLeast125(d.mantissa) : d.mantissa) * d.power;
    } else {
        v = std::ceil(low / grid) * grid;
    }
    for (int k = 1; k <= limit && v < high; ++k) {
        out.push_back(v);
        double next = 0;
        if (grid == 0) {
            next = k < static_cast<int>(ticks.size()) ? ticks[static_cast<std::size_t>(k)] : high;
        } else if (decades && grid == -1) {
            next = v * 10;
        } else if (decades) {
            const Decade d = decadeOf(v);
            next = (grid == -2 ? nextMultiple125(d.mantissa) : d.mantissa + 1) * d.power;
        } else {
            next = v + std::fabs(grid);
        }
        // A step too small to move the value ends the sequence.
        if (!(next > v) && grid != 0) {
            break;
        }
        v = next;
    }
    return out;
}
