#pragma once
// Tick choice and labels of clock scales (ftTime, values counting seconds) and calendar
// scales (ftDateTime, values counting days), apart from any drawing. Plain C++; month names
// come from the caller, which knows the locale.

#include "chart/ChartTypes.h"
#include "chart/ScaleTicks.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct TDateLabelSettings {
    TTimeFormat TimeFormat = tfHHMMSS;
    char DateSeparator = '-';
    char TimeSeparator = ':';
    TYearLength YearLength = ylYYYY;
    bool MonthName = true;
    TDateOrder DateOrder = doDDMMYY;
    TDateForTime DateForTime = dtOnePerDay;
    // Short name of month 1..12.
    std::function<std::string(int month)> ShortMonthName;
};

// " 01:02:05" for 3725 seconds; with milliseconds "-00:00:00.250" for -0.25.
std::string ClockLabel(double seconds, bool withMilliseconds);

// The ticks of an ftTime scale, or nothing when it is drawn as a number scale instead (a
// step below a millisecond, or a day or more).
std::optional<std::vector<TScaleTick>> PlanClockTicks(const TScaleTickSettings& settings);

// A date scale's ticks, or the lines of a message written in their place.
struct TDateTimePlan {
    std::vector<TScaleTick> Ticks;
    std::vector<std::string> Message;
};

TDateTimePlan PlanDateTimeTicks(const TScaleTickSettings& settings,
                                const TDateLabelSettings& format, bool horizontal);

// The date of a value in the date-line format: day, month and year in the format's order.
std::string DateLineText(double value, const TDateLabelSettings& format);
