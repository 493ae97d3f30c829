#pragma once
// The measures of location as one table that the window, the strip chart, the command line's
// CSV and the tests loop over: a new measure is a row here, its computation in the model and
// its texts in the dictionaries. The rows stand in the strip chart's order from the bottom up,
// which is also the CSV's row order and the order in which the model widens the ranges.

#include "simulation/SampleModel.h"

#include <array>
#include <cstddef>

struct TMeasureInfo {
    TMeasure Id;
    // The dictionary key of the caption beside the measure's numeric label.
    const char* CaptionKey;
    // The measure's row in the measures CSV.
    const char* CsvName;
    // The measure in the names of the window's components: NLab + ShortName.
    const char* ShortName;
    // The model's getter of the current value.
    double (TSampleModel::*Value)() const;
};

inline constexpr std::array<TMeasureInfo, TSampleModel::MeasureCount> MeasureTable{{
    {msMean, "Mean", "mean", "Mean", &TSampleModel::MeanValue},
    {msTrimmedMean, "Trimmed Mean", "trimmed_mean", "TrMean", &TSampleModel::TrimmedMeanValue},
    {msMedian, "Median", "median", "Median", &TSampleModel::MedianValue},
    {msMode, "Mode", "mode", "Mode", &TSampleModel::ModeValue},
}};

// Row i describes the measure whose TMeasure value is i, so the model's ranges and the table
// share their index.
constexpr bool MeasureTableIndexedById() {
    for (std::size_t i = 0; i < MeasureTable.size(); ++i)
        if (static_cast<std::size_t>(MeasureTable[i].Id) != i)
            return false;
    return true;
}
static_assert(MeasureTableIndexedById(), "the measure table is out of TMeasure order");

// The row of a measure; an unknown value gives the first row.
inline const TMeasureInfo& MeasureInfo(TMeasure m) {
    const auto i = static_cast<std::size_t>(m);
    return MeasureTable[i < MeasureTable.size() ? i : 0];
}
