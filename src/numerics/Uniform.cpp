#include "numerics/Uniform.h"

#include <chrono>

std::uint32_t UniformSeed = 1234;

namespace {
std::uint32_t advance() {
    // Unsigned arithmetic wraps modulo 2^32, as the generator requires.
    UniformSeed = UniformSeed * 134775813u + 1u;
    return UniformSeed;
}
} // namespace

std::int32_t UniformInt(std::int32_t n) {
    const std::uint64_t state = advance();
    if (n <= 0) {
        return 0;
    }
    return static_cast<std::int32_t>((state * static_cast<std::uint64_t>(n)) >> 32);
}

double UniformReal() { return static_cast<double>(advance()) * 0x1p-32; }

std::uint32_t SeedForTimeOfDay(int hour, int minute, int second, int millisecond) {
    const auto h = static_cast<std::uint32_t>(hour);
    const auto m = static_cast<std::uint32_t>(minute);
    const auto s = static_cast<std::uint32_t>(second);
    const auto ms = static_cast<std::uint32_t>(millisecond);
    return ((h * 60u + m) * 60u + s) * 1000u + ms;
}

void SeedFromClock() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceMidnight = now - floor<days>(now);
    const hh_mm_ss<milliseconds> tod{duration_cast<milliseconds>(sinceMidnight)};
    UniformSeed = SeedForTimeOfDay(static_cast<int>(tod.hours().count()),
                                   static_cast<int>(tod.minutes().count()),
                                   static_cast<int>(tod.seconds().count()),
                                   static_cast<int>(tod.subseconds().count()));
}
