#include "simulation/SampleModel.h"

#include "simulation/MeasureInfo.h"

#include "numerics/Conversions.h"
#include "numerics/FloorInt.h"
#include "numerics/SortArray.h"

#include <algorithm>
#include <cstddef>

namespace {
constexpr double ResetMin = 1000000.0;
constexpr double ResetMax = -1000000.0;

std::size_t slot(std::int32_t position) { return static_cast<std::size_t>(position - 1); }
} // namespace

double TSampleModel::SampleData(std::int32_t position) const {
    return position >= 1 && position <= Capacity ? sampleData[slot(position)] : 0.0;
}

void TSampleModel::SetSampleData(std::int32_t position, double value) {
    if (position >= 1 && position <= Capacity) {
        sampleData[slot(position)] = value;
    }
}

std::int32_t TSampleModel::ClassCounts(std::int32_t c) const {
    return c >= 0 && c < ClassCount ? classCounts[static_cast<std::size_t>(c)] : 0;
}

double TSampleModel::Value(TMeasure m) const {
    const auto i = static_cast<std::size_t>(m);
    return i < MeasureTable.size() ? (this->*MeasureTable[i].Value)() : 0.0;
}

TMeasureRange TSampleModel::MeasureRange(TMeasure m) const {
    const auto i = static_cast<std::size_t>(m);
    return i < ranges.size() ? ranges[i] : TMeasureRange{};
}

std::int32_t TSampleModel::MedianRank(std::int32_t count) { return std::max(count / 2, 1); }

TRankSpan TSampleModel::TrimmedRanks(std::int32_t count) {
    const long double n = count;
    return {std::max(RoundInt32(n * 0.1L), 1), std::min(RoundInt32(n * 0.9L), count)};
}

void TSampleModel::ResetRanges() {
    for (auto& r : ranges) {
        r.Min = ResetMin;
        r.Max = ResetMax;
    }
}

void TSampleModel::NewRun(const TDrawValue& draw) {
    ResetRanges();
    sampleCount = RunSize;
    classCounts.fill(0);
    for (std::int32_t p = 1; p <= RunSize; ++p) {
        sampleData[slot(p)] = draw();
    }
    CalcMeasures();
    selectedSample = 0;
}

void TSampleModel::MoreData(const TDrawValue& draw) {
    if (sampleCount + MoreDataSize > MaxSampleCount) {
        return;
    }
    ResetRanges();
    const std::int32_t old = sampleCount;
    sampleCount += MoreDataSize;
    for (std::int32_t p = old + 1; p <= sampleCount; ++p) {
        sampleData[slot(p)] = draw();
    }
    CalcMeasures();
}

void TSampleModel::CalcMeasures() {
    classCounts.fill(0);
    double sum = 0.0;
    modeValue = 0.0;
    medianValue = 0.0;
    trimmedMeanValue = 0.0;
    std::int32_t topCount = 0;
    const std::int32_t n = sampleCount;
    if (n < 1) {
        meanValue = 0.0;
        return;
    }

    for (std::int32_t p = 1; p <= n; ++p) {
        const double v = sampleData[slot(p)];
        workCopy[slot(p)] = v;
        // The histogram has classes 0..25 only; a value beyond them is tallied in the nearest
        // end class, so the counts still add up to the sample's size.
        const std::int32_t c = std::clamp(FloorInt(v), 0, ClassCount - 1);
        std::int32_t& count = classCounts[static_cast<std::size_t>(c)];
        ++count;
        // Strictly greater: of classes that tie, the one that reached the count first wins.
        if (count > topCount) {
            topCount = count;
            modeValue = c + 0.5;
        }
        sum += v;
    }
    meanValue = sum / n;

    SortArray(workCopy.data(), n, 0, true);
    // Ranks are 1-based: rank r lives in workCopy[r - 1].
    medianValue = workCopy[slot(MedianRank(n))];

    const auto [lo, hi] = TrimmedRanks(n);
    double trimmedSum = 0.0;
    for (std::int32_t r = lo; r <= hi; ++r) {
        trimmedSum += workCopy[slot(r)];
    }
    trimmedMeanValue = hi >= lo ? trimmedSum / (hi - lo + 1) : 0.0;

    // In the table's order: mean, trimmed mean, median, mode.
    for (const TMeasureInfo& info : MeasureTable) {
        const double v = (this->*info.Value)();
        TMeasureRange& r = ranges[static_cast<std::size_t>(info.Id)];
        if (v < r.Min) {
            r.Min = v;
        }
        if (v > r.Max) {
            r.Max = v;
        }
    }
}

void TSampleModel::PickSample(double x) {
    selectedSample = 0;
    for (std::int32_t p = sampleCount; p >= 1; --p) {
        if (sampleData[slot(p)] == x) {
            selectedSample = p;
            return;
        }
    }
}

void TSampleModel::SelectSample(std::int32_t position) {
    selectedSample = validPosition(position) ? position : 0;
}

void TSampleModel::MoveSelected(double x) {
    if (!validPosition(selectedSample)) {
        return;
    }
    sampleData[slot(selectedSample)] = x;
    CalcMeasures();
}
