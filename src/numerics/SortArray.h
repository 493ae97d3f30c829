#pragma once
// The library's in-place comb sort (shrink factor 1.3) over arrays of doubles, singles or
// 32-bit integers, with a library-wide pass counter and an optional progress hook.

#include <cstdint>

// Element type of the array handed to SortArray: 0 and 1 = double, 2 = float (single),
// 3 and 4 = 32-bit signed integer. Larger values make SortArray leave the array alone.
using SortElementKind = std::uint8_t;

using TSortPassHook = void (*)(std::int32_t passCount);

// Counts every pass of every sort since the program started; the sort never resets it.
extern std::uint32_t SortPassCounter;

// Called after every pass with the counter's new value, when installed.
extern TSortPassHook SortPassHook;

// Sorts the first n elements at `array` (the address of element 1) in place, ascending when
// `ascending` is set, else descending. Equal elements are never exchanged.
void SortArray(void* array, std::int32_t n, SortElementKind kind, bool ascending);
