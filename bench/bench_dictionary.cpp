// Loading a 10 MB dictionary: many small entries, and one entry whose text fills the file.
// Both should take well under a second.

#include "localization/ItlDictionary.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

constexpr std::size_t TenMegabytes = 10u << 20;

void LoadManyEntries(benchmark::State& state) {
    std::string file;
    for (int i = 0; file.size() < TenMegabytes; ++i) {
        file += "[Key " + std::to_string(i) + "]=Text number " + std::to_string(i) + "\\n|$$\r\n";
    }
    for (auto _ : state) {
        std::istringstream in(file);
        TItlDictionary d;
        d.LoadFromStream(in);
        benchmark::DoNotOptimize(d.KeyList().size());
    }
}
BENCHMARK(LoadManyEntries)->Unit(benchmark::kMillisecond);

void LoadOneHugeEntry(benchmark::State& state) {
    const std::string file = "[Huge]=" + std::string(TenMegabytes, 'x') + "|$$";
    for (auto _ : state) {
        std::istringstream in(file);
        TItlDictionary d;
        d.LoadFromStream(in);
        benchmark::DoNotOptimize(d.TextList().size());
    }
}
BENCHMARK(LoadOneHugeEntry)->Unit(benchmark::kMillisecond);

void ReadTokenAcrossTenMegabytes(benchmark::State& state) {
    const std::string file = std::string(TenMegabytes, 'x') + "|$$";
    for (auto _ : state) {
        std::istringstream in(file);
        std::string token;
        bool atEnd = false;
        TItlDictionary::ReadToken(in, "|$$", token, atEnd);
        benchmark::DoNotOptimize(token.size());
    }
}
BENCHMARK(ReadTokenAcrossTenMegabytes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
