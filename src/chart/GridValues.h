#pragma once
// Where a chart's grid lines go along one axis: every |GridDx| units, at the scale's ticks
// (GridDx 0), or on a logarithmic axis at decades and their 2x/5x or integer multiples
// (GridDx -1, -2, -3). Plain C++.

#include <vector>

// The grid values from `low` up to, not including, `high` (low <= high), at most `limit`.
// `ticks` are the scale's tick values in list order, used when `grid` is 0.
std::vector<double> GridValues(double low, double high, double grid, bool logarithmic,
                               const std::vector<double>& ticks, int limit = 1000);
