#pragma once
// The model behind the main window: one sample in store order, its 26-class histogram, the
// four measures of location and the range each measure has covered since the last reset.
// It draws nothing and knows no controls; values come from a draw function the window gives.
// MeasureInfo.h lists the measures as one table for everything that shows them.

#include <array>
#include <cstdint>
#include <functional>

// The measures, in the order of their table (MeasureInfo.h).
enum TMeasure { msMean, msTrimmedMean, msMedian, msMode };

// The population every sample is drawn from: a normal curve over a range, tabulated in
// Resolution cells (the generator's settings).
struct TPopulation {
    std::int32_t Resolution;
    double LowBorder;
    double HighBorder;
    double Mean;
    double StandardDeviation;
};

// Ranks among the values in ascending order, 1 the smallest, both ends included.
struct TRankSpan {
    std::int32_t First = 0;
    std::int32_t Last = 0;
};

struct TMeasureRange {
    double Min = 0.0;
    double Max = 0.0;
};

class TSampleModel {
public:
    static constexpr std::int32_t Capacity = 100;
    static constexpr std::int32_t ClassCount = 26;
    static constexpr std::int32_t RunSize = 30;
    static constexpr std::int32_t MoreDataSize = 20;
    static constexpr std::int32_t MaxSampleCount = 90;
    static constexpr int MeasureCount = 4;
    // The lesson's population: the normal curve of mean 8.0 and standard deviation 2.5, cut
    // to [0, 20) and tabulated in 500 cells, so every drawn value falls in classes 0 to 19.
    static constexpr TPopulation Population{500, 0.0, 20.0, 8.0, 2.5};

    using TDrawValue = std::function<double()>;

    // Values at positions 1..SampleCount, in the order they were drawn. Out-of-range
    // positions read as 0.0 and are never written.
    double SampleData(std::int32_t position) const;
    void SetSampleData(std::int32_t position, double value);
    std::int32_t SampleCount() const { return sampleCount; }

    // Count of class c (0..25); 0 for any other c.
    std::int32_t ClassCounts(std::int32_t c) const;

    double MeanValue() const { return meanValue; }
    double MedianValue() const { return medianValue; }
    double TrimmedMeanValue() const { return trimmedMeanValue; }
    double ModeValue() const { return modeValue; }
    double Value(TMeasure m) const;
    TMeasureRange MeasureRange(TMeasure m) const;

    std::int32_t SelectedSample() const { return selectedSample; }

    // The rank whose value is the median of count values in order: count div 2, at least 1.
    // For the even counts of the lesson that is the lower of the two middle values.
    static std::int32_t MedianRank(std::int32_t count);
    // The ranks whose values the trimmed mean averages: count x 0.1 and count x 0.9, each
    // rounded to the nearest integer (halves to even) and kept within 1..count. The trim
    // removes First - 1 values at the bottom and count - Last at the top.
    static TRankSpan TrimmedRanks(std::int32_t count);

    void ResetRanges();
    // A fresh sample of 30 values drawn in order, measured, nothing selected.
    void NewRun(const TDrawValue& draw);
    // 20 more values behind the old ones; ranges start again. Does nothing once the sample
    // could not grow by 20 within MaxSampleCount.
    void MoreData(const TDrawValue& draw);
    void CalcMeasures();

    // Selects the last position whose value equals x exactly, or none (0).
    void PickSample(double x);
    // Selects the given position (1..SampleCount), or none for any other value.
    void SelectSample(std::int32_t position);
    // Stores x as the dragged value and measures again; without a selection nothing changes.
    void MoveSelected(double x);
    void ReleaseSelected() { selectedSample = 0; }

private:
    bool validPosition(std::int32_t position) const {
        return position >= 1 && position <= sampleCount;
    }

    std::array<double, Capacity> sampleData{};
    std::array<double, Capacity> workCopy{};
    std::int32_t sampleCount = 0;
    std::array<std::int32_t, ClassCount> classCounts{};
    double meanValue = 0.0;
    double medianValue = 0.0;
    double trimmedMeanValue = 0.0;
    double modeValue = 0.0;
    std::array<TMeasureRange, MeasureCount> ranges{};
    std::int32_t selectedSample = 0;
};
