#pragma once
// Date values as the scales count them: days from 30 December 1899, the time of day as the
// fraction. A negative value is the instant it denotes (-1.25 is 28 December 1899, 18:00).
// Plain C++ over std::chrono's civil calendar.

#include <cstdint>

struct TDateParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

// Day -693593 is 1 January 0001; day 2958465 is 31 December 9999.
constexpr double FirstDateValue = -693593.0;
constexpr double LastDateValue = 2958465.0;

// The calendar date and time of day of a value, to the nearest millisecond. Values are
// limited to 1 January 0001 .. 31 December 9999 (NaN counts as day 0).
TDateParts DecodeDateTime(double value);
// The value of midnight at the start of a calendar date (a month past 12 carries into the
// next year; a day past the month's end into the next month).
double EncodeDate(int year, int month, int day);
// The whole day a value lies in (the floor of the value).
std::int64_t DayNumber(double value);
