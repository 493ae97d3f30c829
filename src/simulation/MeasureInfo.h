#pragma once
// The measures of location as one table that the window, the strip chart, the command line's
// CSV, the tooltips and the tests loop over: a new measure is a row here, its computation in
// the model and its texts in the dictionaries. The rows stand in the strip chart's order from
// the bottom up, which is also the CSV's row order and the order the model widens the ranges.

#include "simulation/SampleModel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// A whole number filled into a measure's definition: a count, or a rank that the text writes
// as an ordinal ("the 15th").
struct TDefinitionNumber {
    std::int32_t Number = 0;
    bool Ordinal = false;
};
using TDefinitionNumbers = std::vector<TDefinitionNumber>;

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
    // The dictionary key of how the measure is computed from a sample of count values; its
    // placeholders <%1%>, <%2%>... take DefinitionNumbers(count) in turn. The numbers come
    // from the model's own rank rules, so the text says what the computation does.
    const char* DefinitionKey;
    TDefinitionNumbers (*DefinitionNumbers)(std::int32_t count);
};

inline constexpr std::array<TMeasureInfo, TSampleModel::MeasureCount> MeasureTable{{
    {msMean, "Mean", "mean", "Mean", &TSampleModel::MeanValue,
     "the sum of the <%1%> values divided by <%1%>",
     [](std::int32_t count) { return TDefinitionNumbers{{count, false}}; }},
    {msTrimmedMean, "Trimmed Mean", "trimmed_mean", "TrMean", &TSampleModel::TrimmedMeanValue,
     "the mean of the <%1%> to the <%2%> of the <%3%> values in order: <%4%> removed at the "
     "bottom, <%5%> at the top",
     [](std::int32_t count) {
         const TRankSpan r = TSampleModel::TrimmedRanks(count);
         return TDefinitionNumbers{
             {r.First, true}, {r.Last, true}, {count, false}, {r.First - 1, false},
             {count - r.Last, false}};
     }},
    {msMedian, "Median", "median", "Median", &TSampleModel::MedianValue,
     "the <%1%> of the <%2%> values in order (with an even count, the lower of the two middle "
     "values)",
     [](std::int32_t count) {
         return TDefinitionNumbers{{TSampleModel::MedianRank(count), true}, {count, false}};
     }},
    {msMode, "Mode", "mode", "Mode", &TSampleModel::ModeValue,
     "the middle of the tallest class; of equally tall classes, the one that reached that "
     "height first",
     [](std::int32_t) { return TDefinitionNumbers{}; }},
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
