#include "simulation/LessonScript.h"

#include "numerics/TabulatedDistribution.h"
#include "simulation/MeasureInfo.h"

#include <array>
#include <charconv>

void TLessonScript::ConfigurePopulation(TTabulatedDistribution& generator) {
    constexpr TPopulation p = TSampleModel::Population;
    generator.SetResolution(p.Resolution);
    generator.LowBorder = p.LowBorder;
    generator.HighBorder = p.HighBorder;
    generator.SetNormalDistribution(p.Mean, p.StandardDeviation);
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
    std::string out = "measure,value,min,max\n";
    for (const TMeasureInfo& info : MeasureTable) {
        const TMeasureRange r = model.MeasureRange(info.Id);
        out += std::string(info.CsvName) + "," + FormatNumber(model.Value(info.Id)) + "," +
               FormatNumber(r.Min) + "," + FormatNumber(r.Max) + "\n";
    }
    const std::string c = std::to_string(model.SampleCount());
    out += "count," + c + "," + c + "," + c + "\n";
    return out;
}
