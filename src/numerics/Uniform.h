#pragma once
// The process-wide uniform random source: a 32-bit linear congruential generator shared by
// every user in the process, reproduced exactly so that equal seeds give equal samples.

#include <cstdint>

// The generator's state. The library sets it to 1234 when the program starts; start-up then
// reseeds it from the clock (or from the teacher's --seed).
extern std::uint32_t UniformSeed;

// Advances the state and returns a whole number in 0 .. n-1: the upper half of the 64-bit
// product of the new state and n. A non-positive n still advances the state and gives 0.
std::int32_t UniformInt(std::int32_t n);

// Advances the state and returns it as a fraction in [0, 1), exact in double.
double UniformReal();

// The seed for a UTC time of day: ((hour * 60 + minute) * 60 + second) * 1000 + millisecond.
std::uint32_t SeedForTimeOfDay(int hour, int minute, int second, int millisecond);

// Sets UniformSeed from the current UTC time of day, so every start draws a new sample.
void SeedFromClock();
