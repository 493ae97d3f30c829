// The sample model: ranks of the median and trimmed mean, the mode's tie rule, class
// boundaries, strict range updates, picking and dragging. Samples from a fixed seed are
// compared with expected_values.py in tests/numerics.

#include "numerics/TabulatedDistribution.h"
#include "numerics/Uniform.h"
#include "simulation/LessonScript.h"
#include "simulation/MeasureInfo.h"
#include "simulation/SampleModel.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace {

// Draws the given values in order, then repeats the last one.
TSampleModel::TDrawValue drawFrom(std::vector<double> values) {
    auto next = std::make_shared<std::size_t>(0);
    return [values = std::move(values), next] {
        const std::size_t i = std::min(*next, values.size() - 1);
        ++*next;
        return values[i];
    };
}

int sumOfCounts(const TSampleModel& m) {
    int sum = 0;
    for (int c = 0; c < TSampleModel::ClassCount; ++c) {
        sum += m.ClassCounts(c);
    }
    return sum;
}

// n values 1..n, as NewRun then MoreData would grow them, with n one of 30, 50, 70, 90.
TSampleModel grownModel(int n) {
    std::vector<double> v(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        v[static_cast<std::size_t>(i)] = ((i * 11) % n) + 1; // 11 is prime to 30, 50, 70, 90
    }
    TSampleModel m;
    const auto draw = drawFrom(v);
    m.NewRun(draw);
    while (m.SampleCount() < n) {
        m.MoreData(draw);
    }
    return m;
}

} // namespace

TEST(SampleModel, TheMeasureTableStandsInTheStripChartsOrderFromTheBottom) {
    ASSERT_EQ(MeasureTable.size(), 4u);
    const std::array<TMeasure, 4> bottomUp{msMean, msTrimmedMean, msMedian, msMode};
    const std::array<std::string, 4> captions{"Mean", "Trimmed Mean", "Median", "Mode"};
    const std::array<std::string, 4> csv{"mean", "trimmed_mean", "median", "mode"};
    const TSampleModel m = grownModel(30);
    for (std::size_t i = 0; i < MeasureTable.size(); ++i) {
        EXPECT_EQ(MeasureTable[i].Id, bottomUp[i]);
        EXPECT_EQ(MeasureTable[i].CaptionKey, captions[i]);
        EXPECT_EQ(MeasureTable[i].CsvName, csv[i]);
        EXPECT_EQ(&MeasureInfo(bottomUp[i]), &MeasureTable[i]);
    }
    EXPECT_EQ(m.Value(msMean), m.MeanValue());
    EXPECT_EQ(m.Value(msTrimmedMean), m.TrimmedMeanValue());
    EXPECT_EQ(m.Value(msMedian), m.MedianValue());
    EXPECT_EQ(m.Value(msMode), m.ModeValue());
}

TEST(SampleModel, StartsEmpty) {
    TSampleModel m;
    EXPECT_EQ(m.SampleCount(), 0);
    EXPECT_EQ(m.SelectedSample(), 0);
    EXPECT_EQ(m.MeanValue(), 0.0);
    m.CalcMeasures(); // before any run: no division by zero, no out-of-range rank
    EXPECT_EQ(m.MedianValue(), 0.0);
}

TEST(SampleModel, MedianAndTrimmedRanksForEveryCount) {
    struct Row {
        int n, median, lo, hi;
    };
    for (const Row r : {Row{30, 15, 3, 27}, Row{50, 25, 5, 45}, Row{70, 35, 7, 63},
                        Row{90, 45, 9, 81}}) {
        const TSampleModel m = grownModel(r.n);
        ASSERT_EQ(m.SampleCount(), r.n);
        // The rank functions that the window's texts use give the same ranks.
        EXPECT_EQ(TSampleModel::MedianRank(r.n), r.median);
        EXPECT_EQ(TSampleModel::TrimmedRanks(r.n).First, r.lo);
        EXPECT_EQ(TSampleModel::TrimmedRanks(r.n).Last, r.hi);
        // With the values 1..n the value of rank k is k.
        EXPECT_EQ(m.MedianValue(), r.median) << r.n;
        double sum = 0;
        for (int k = r.lo; k <= r.hi; ++k) {
            sum += k;
        }
        EXPECT_EQ(m.TrimmedMeanValue(), sum / (r.hi - r.lo + 1)) << r.n;
        EXPECT_EQ(m.MeanValue(), (r.n + 1) / 2.0) << r.n;
        EXPECT_EQ(sumOfCounts(m), r.n);
        // The store order is kept: computing never sorts the sample itself.
        EXPECT_EQ(m.SampleData(2), 12.0);
    }
}

TEST(SampleModel, ModeGoesToTheClassThatReachedTheTopCountFirst) {
    // Store order 4, 7, 7, 4, then one value in each other class and two more in classes
    // 10 and 11: classes 4, 7, 10 and 11 all end with 2, and class 7 got there first.
    std::vector<double> v{4.2, 7.1, 7.9, 4.8};
    for (int c = 0; c < 26; ++c) {
        if (c != 4 && c != 7) {
            v.push_back(c + 0.25);
        }
    }
    v.push_back(10.75);
    v.push_back(11.75);
    ASSERT_EQ(v.size(), 30u);
    TSampleModel m;
    m.NewRun(drawFrom(v));
    EXPECT_EQ(m.ClassCounts(4), 2);
    EXPECT_EQ(m.ClassCounts(7), 2);
    EXPECT_EQ(m.ModeValue(), 7.5);

    // A later class that overtakes wins; the lowest class of a tie is not preferred.
    m.SetSampleData(30, 4.5);
    m.CalcMeasures();
    EXPECT_EQ(m.ModeValue(), 4.5);
    m.SetSampleData(30, 0.5);
    m.SetSampleData(29, 0.75);
    m.CalcMeasures(); // class 0 reaches 3 at the next to last position
    EXPECT_EQ(m.ClassCounts(0), 3);
    EXPECT_EQ(m.ModeValue(), 0.5);
}

TEST(SampleModel, ClassBoundariesAndValuesOutsideTheHistogram) {
    std::vector<double> v(30, 12.5);
    v[0] = 8.0;
    v[1] = 7.999;
    v[2] = 25.0;
    v[3] = 26.0;
    v[4] = -0.5;
    v[5] = NAN;
    TSampleModel m;
    m.NewRun(drawFrom(v));
    EXPECT_EQ(m.ClassCounts(8), 1);
    EXPECT_EQ(m.ClassCounts(7), 1);
    // 25.0 is class 25; 26.0 joins it; -0.5 and NaN are kept in class 0.
    EXPECT_EQ(m.ClassCounts(25), 2);
    EXPECT_EQ(m.ClassCounts(0), 2);
    EXPECT_EQ(m.ClassCounts(-1), 0);
    EXPECT_EQ(m.ClassCounts(26), 0);
    EXPECT_EQ(sumOfCounts(m), 30);
    EXPECT_EQ(m.ModeValue(), 12.5);
}

TEST(SampleModel, RangesResetOnNewDataAndWidenOnlyOnStrictChange) {
    UniformSeed = 20261209;
    TTabulatedDistribution d;
    TLessonScript::ConfigurePopulation(d);
    const auto draw = [&d] { return d.RandomValue(); };
    TSampleModel m;
    m.NewRun(draw);
    EXPECT_EQ(m.MeanValue(), 8.665249791771794);
    EXPECT_EQ(m.TrimmedMeanValue(), 8.618026065592467);
    EXPECT_EQ(m.MedianValue(), 8.166325090797619);
    EXPECT_EQ(m.ModeValue(), 6.5);
    m.MoreData(draw);
    m.MoreData(draw);
    m.MoreData(draw);
    EXPECT_EQ(m.SampleCount(), 90);
    EXPECT_EQ(m.MeanValue(), 8.739434181310962);
    EXPECT_EQ(m.TrimmedMeanValue(), 8.703786012310381);
    EXPECT_EQ(m.MedianValue(), 8.611345069054515);
    EXPECT_EQ(m.ModeValue(), 8.5);
    for (const TMeasureInfo& k : MeasureTable) {
        EXPECT_EQ(m.MeasureRange(k.Id).Min, m.Value(k.Id));
        EXPECT_EQ(m.MeasureRange(k.Id).Max, m.Value(k.Id));
    }
    // The store is full: a fourth "More Data" changes nothing.
    const double last = m.SampleData(90);
    m.MoreData(draw);
    EXPECT_EQ(m.SampleCount(), 90);
    EXPECT_EQ(m.SampleData(90), last);
    EXPECT_EQ(m.SampleData(91), 0.0);

    m.CalcMeasures();
    for (const TMeasureInfo& k : MeasureTable) {
        EXPECT_EQ(m.MeasureRange(k.Id).Min, m.MeasureRange(k.Id).Max);
    }
    m.ResetRanges();
    EXPECT_EQ(m.MeasureRange(msMode).Min, 1000000.0);
    EXPECT_EQ(m.MeasureRange(msMode).Max, -1000000.0);
}

TEST(SampleModel, PickingPrefersTheLaterOfEqualValues) {
    TSampleModel m = grownModel(30);
    m.SetSampleData(4, 9.5);
    m.SetSampleData(17, 9.5);
    m.PickSample(9.5);
    EXPECT_EQ(m.SelectedSample(), 17);
    m.PickSample(9.5000001);
    EXPECT_EQ(m.SelectedSample(), 0);
    m.SelectSample(31);
    EXPECT_EQ(m.SelectedSample(), 0);
    m.MoveSelected(3.0); // nothing selected: nothing moves
    EXPECT_EQ(m.SampleData(17), 9.5);
    m.SelectSample(30);
    EXPECT_EQ(m.SelectedSample(), 30);
    m.ReleaseSelected();
    EXPECT_EQ(m.SelectedSample(), 0);
}

TEST(SampleModel, DragWidensTheMeanByTheMoveOverTheCount) {
    std::vector<double> v(30);
    for (int i = 0; i < 30; ++i) {
        v[static_cast<std::size_t>(i)] = 6.0 + (i % 5) * 0.5;
    }
    v[9] = 5.0;
    TSampleModel m;
    m.NewRun(drawFrom(v));
    const double mean0 = m.MeanValue();
    m.PickSample(5.0);
    ASSERT_EQ(m.SelectedSample(), 10);
    for (double x = 5.0; x <= 19.0; x += 0.5) {
        m.MoveSelected(x);
    }
    for (double x = 19.0; x >= 5.0; x -= 0.5) {
        m.MoveSelected(x);
    }
    m.ReleaseSelected();
    EXPECT_NEAR(m.MeanValue(), mean0, 1e-12);
    const TMeasureRange r = m.MeasureRange(msMean);
    EXPECT_NEAR(r.Max - r.Min, 14.0 / 30.0, 1e-12);
    EXPECT_LE(r.Min, m.MeanValue());
    EXPECT_GE(r.Max, m.MeanValue());
    // The ranges keep their width after the release; the moved value is back home.
    EXPECT_EQ(m.SampleData(10), 5.0);
}
