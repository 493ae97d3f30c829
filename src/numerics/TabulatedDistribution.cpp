#include "numerics/TabulatedDistribution.h"

#include "numerics/Uniform.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

TTabulatedDistribution::TTabulatedDistribution() : table(DefaultResolution, 1.0) {}

void TTabulatedDistribution::SetResolution(std::int32_t value) {
    value = std::clamp(value, MinResolution, MaxResolution);
    // Build the new table first so that a failed allocation changes nothing.
    std::vector<double> fresh(static_cast<std::size_t>(value), 1.0);
    table.swap(fresh);
    resolution = value;
}

void TTabulatedDistribution::SetNormalDistribution(double mean, double standardDeviation) {
    const long double low = LowBorder;
    const long double width = static_cast<long double>(HighBorder) - low;
    const long double sd = standardDeviation;
    for (std::int32_t k = 0; k < resolution; ++k) {
        const double x = static_cast<double>(low + width * k / resolution);
        const long double d = static_cast<long double>(x) - mean;
        long double t = -(d * d) / 2.0L;
        t = t / (sd * sd);
        table[static_cast<std::size_t>(k)] = static_cast<double>(std::exp(t));
    }
}

double TTabulatedDistribution::RandomValue() const {
    std::int32_t k = 0;
    double u = 0.0;
    for (std::int32_t attempt = 1;; ++attempt) {
        k = UniformInt(resolution);
        u = UniformReal();
        const auto cell = static_cast<std::size_t>(k);
        double a = 0.0;
        if (k == resolution - 1) {
            // The density falls linearly to zero at the high border.
            a = static_cast<double>((1.0L - u) * table[cell]);
        } else {
            a = static_cast<double>(
                (static_cast<long double>(table[cell + 1]) - table[cell]) * u + table[cell]);
        }
        // The third draw is made only when the density alone does not accept; the sequence
        // of samples for a seed depends on that.
        if (a >= 1.0 || UniformReal() < a || attempt > MaxAttempts) {
            break;
        }
    }
    const long double low = LowBorder;
    const long double width = static_cast<long double>(HighBorder) - low;
    return static_cast<double>(low + ((k + 1) + static_cast<long double>(u) - 1) * width /
                                         resolution);
}
