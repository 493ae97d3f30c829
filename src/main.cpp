// Centrova's entry point: the library's start-up seeding, the teacher's command line, and the
// lesson run without a window for the print options.

#include "numerics/TabulatedDistribution.h"
#include "numerics/Uniform.h"
#include "simulation/CommandLine.h"
#include "simulation/LessonScript.h"
#include "simulation/SampleModel.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

int run(int argc, char** argv) {
    // The library's own start-up has set UniformSeed to 1234 by now (static initialisation);
    // the clock's seed replaces it unless the teacher fixed one.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const TCommandLineResult parsed = ParseCommandLine(args);
    if (!parsed.Error.empty()) {
        std::fprintf(stderr, "centrova: %s\n%s", parsed.Error.c_str(), UsageText().c_str());
        return 2;
    }
    const TCommandLineOptions& options = parsed.Options;
    if (options.Help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options.Seed) {
        UniformSeed = *options.Seed;
    } else {
        SeedFromClock();
    }

    if (!options.PrintSample && !options.PrintMeasures) {
        std::fputs("centrova: the lesson window is not built yet; use --print-sample or "
                   "--print-measures\n",
                   stderr);
        return 1;
    }

    TTabulatedDistribution generator;
    TLessonScript::ConfigurePopulation(generator);
    TSampleModel model;
    TLessonScript::Run(options, generator, model);

    std::string out;
    if (options.PrintSample) {
        out += TLessonScript::SampleCsv(model);
    }
    if (options.PrintMeasures) {
        if (!out.empty()) {
            out += "\n";
        }
        out += TLessonScript::MeasuresCsv(model);
    }
    std::fputs(out.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "centrova: %s\n", e.what());
        return 1;
    }
}
