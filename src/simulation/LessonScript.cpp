#include "simulation/LessonScript.h"

#include "numerics/TabulatedDistribution.h"

#include <array>
#include <charconv>

void TLessonScript::ConfigurePopulation(TTabulatedDistribution& generator) {
    generator.SetResolution(500);
    generator.LowBorder = 0.0;
    generator.HighBorder = 20.0;
    generator.SetNormalDistribution(8.0, 2.5);
}

void TLessonScript::Run(const TCommandLineOptions& options,
                        const TTabulatedDistribution& generator, TSampleModel& model) {
    const auto draw = [&generator] { return generator.RandomValue(); };
    model.NewRun(draw);
    // Bounded by the largest sample: each round adds 20 values or refuses.
    for (int round = 0; round < 3 && model.SampleCount() < options.Count; ++round) {
        model.MoreData(draw);
    }
    if (options.Drag) {
        model.SelectSample(options.Drag->Position);
        const double v0 = model.SampleData(options.Drag->Position);
        const double x = options.Drag->Target;
        for (int i = 1; i <= DragSteps; ++i) {
            model.MoveSelected(v0 + (x - v0) * i / DragSteps);
        }
        model.ReleaseSelected();
    }
}

std::string TLessonScript::FormatNumber(double value) {
    // to_chars ignores the locale, so the decimal point stays a point under any language.
    std::array<char, 64> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::general, 17);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string("nan");
}

std::string TLessonScript::SampleCsv(const TSampleModel& model) {
    std::string out = "position,value\n";
    for (std::int32_t p = 1; p <= model.SampleCount(); ++p) {
        out += std::to_string(p) + "," + FormatNumber(model.SampleData(p)) + "\n";
    }
    return out;
}

std::string TLessonScript::MeasuresCsv(const TSampleModel& model) {
    static constexpr std::array<std::pair<TMeasure, const char*>, 4> rows{{
        {msMean, "mean"},
        {msTrimmedMean, "trimmed_mean"},
        {msMedian, "median"},
        {msMode, "mode"},
    }};
    std::string out = "measure,value,min,max\n";
    for (const auto& [m, name] : rows) {
        const TMeasureRange r = model.MeasureRange(m);
        out += std::string(name) + "," + FormatNumber(model.Value(m)) + "," +
               FormatNumber(r.Min) + "," + FormatNumber(r.Max) + "\n";
    }
    const std::string c = std::to_string(model.SampleCount());
    out += "count," + c + "," + c + "," + c + "\n";
    return out;
}
