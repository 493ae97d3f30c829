// How long one pointer movement's recomputation and one sample value take: CalcMeasures at
// the smallest and largest sample, and RandomValue on the lesson's normal curve.

#include "numerics/TabulatedDistribution.h"
#include "numerics/Uniform.h"
#include "simulation/LessonScript.h"
#include "simulation/SampleModel.h"

#include <benchmark/benchmark.h>

namespace {

void CalcMeasures(benchmark::State& state) {
    const auto count = static_cast<std::int32_t>(state.range(0));
    UniformSeed = 1234;
    TTabulatedDistribution generator;
    TLessonScript::ConfigurePopulation(generator);
    TSampleModel model;
    TCommandLineOptions options;
    options.Count = count;
    TLessonScript::Run(options, generator, model);
    model.SelectSample(1);
    double x = 0.0;
    for (auto _ : state) {
        // Move one value, as a drag does, so every call sorts a changed sample.
        x = x >= 25.0 ? 0.0 : x + 0.37;
        model.MoveSelected(x);
        benchmark::DoNotOptimize(model.MeanValue());
    }
}
BENCHMARK(CalcMeasures)->Arg(30)->Arg(90);

void RandomValue(benchmark::State& state) {
    UniformSeed = 1234;
    TTabulatedDistribution generator;
    TLessonScript::ConfigurePopulation(generator);
    for (auto _ : state) {
        benchmark::DoNotOptimize(generator.RandomValue());
    }
}
BENCHMARK(RandomValue);

} // namespace

BENCHMARK_MAIN();
