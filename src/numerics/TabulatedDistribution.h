#pragma once
// The arithmetic of the random generator component: a table of relative densities over an
// interval, and the rejection draw on its linear interpolation over the process-wide uniform
// source. Plain C++, so it is tested and benchmarked without Qt.

#include <cstdint>
#include <vector>

class TTabulatedDistribution {
public:
    static constexpr std::int32_t MinResolution = 10;
    static constexpr std::int32_t MaxResolution = 4000;
    static constexpr std::int32_t DefaultResolution = 500;
    // Candidates after the first; the last candidate is used when all were rejected.
    static constexpr std::int32_t MaxAttempts = 100000;

    // A table of DefaultResolution entries, all 1.0; both borders 0.0. Throws std::bad_alloc.
    TTabulatedDistribution();

    double LowBorder = 0.0;
    double HighBorder = 0.0;

    std::int32_t Resolution() const { return resolution; }
    // Clamps to MinResolution..MaxResolution, resizes the table and resets every entry to
    // 1.0. Throws std::bad_alloc and then leaves table and resolution as they were.
    void SetResolution(std::int32_t value);

    const std::vector<double>& DistTable() const { return table; }
    // Gives direct access to the densities, for shapes other than the normal curve.
    std::vector<double>& DistTable() { return table; }

    // Fills the table with exp(-(x - mean)^2 / (2 sd^2)) at the left edge of each cell.
    void SetNormalDistribution(double mean, double standardDeviation);

    // One value in [LowBorder, HighBorder) drawn from the tabulated density.
    double RandomValue() const;

private:
    std::int32_t resolution = DefaultResolution;
    std::vector<double> table;
};
