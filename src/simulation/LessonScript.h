#pragma once
// The lesson run without a window, for the teacher's command line: a new run, "More Data"
// up to the requested size, an optional drag in 50 pointer steps, and the CSV reports.

#include "simulation/CommandLine.h"
#include "simulation/SampleModel.h"

#include <string>

class TTabulatedDistribution;

class TLessonScript {
public:
    static constexpr int DragSteps = 50;

    // Configures the generator as the main window does, with the model's population.
    static void ConfigurePopulation(TTabulatedDistribution& generator);

    // Runs the steps the options ask for on the model, drawing from the generator.
    static void Run(const TCommandLineOptions& options, const TTabulatedDistribution& generator,
                    TSampleModel& model);

    // "position,value" and one row per value in store order.
    static std::string SampleCsv(const TSampleModel& model);
    // "measure,value,min,max", a row per measure in the measure table's order (mean,
    // trimmed_mean, median, mode), then "count,C,C,C".
    static std::string MeasuresCsv(const TSampleModel& model);
    // A double with 17 significant digits, which reads back as the same double.
    static std::string FormatNumber(double value);
};
