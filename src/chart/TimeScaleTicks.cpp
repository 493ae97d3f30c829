#include "chart/TimeScaleTicks.h"

#include "numerics/CalendarDate.h"
#include "numerics/Conversions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double C = 0.999999999;

struct ClockEntry {
    double seconds;
    int shorts;
};

constexpr std::array<ClockEntry, 28> clockTable{{
    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5},  {0.02, 4},   {0.05, 5},   {0.1, 5},
    {0.2, 4},   {0.5, 5},   {1, 5},     {2, 4},     {5, 5},      {10, 5},     {20, 4},
    {30, 6},    {60, 6},    {120, 6},   {180, 6},   {300, 5},    {600, 5},    {1200, 6},
    {1800, 6},  {3600, 6},  {7200, 4},  {14400, 4}, {21600, 6},  {43200, 6},  {86400, 6},
}};

std::string padded(long long n, int digits) {
    std::string s = std::to_string(std::llabs(n));
    if (static_cast<int>(s.size()) < digits) {
        s.insert(0, static_cast<std::size_t>(digits) - s.size(), '0');
    }
    return s;
}

// The units of time-of-day ticks, with their candidate long steps and short steps.
enum TClockUnit { cuHours, cuMinutes, cuSeconds, cuHundredths };

struct UnitRow {
    double perDay;
    std::array<int, 6> longSteps;
    std::array<int, 6> shortSteps;
};

constexpr std::array<UnitRow, 4> unitRows{{
    {24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}},
    {1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},
    {86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}},
    {8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}},
}};

// The year as dates write it: yy two digits, yyyy four (the year 1 is 0001).
std::string yearText(int year, TYearLength length) {
    switch (length) {
    case ylNone:
        return {};
    case ylYY:
        return padded(year % 100, 2);
    case ylYYYY:
        break;
    }
    return padded(year, 4);
}

// The label of a year tick: as in a date, except that a four-digit year drops its leading
// zeros (the year 1 is 1).
std::string yearTickText(int year, TYearLength length) {
    return length == ylYYYY ? std::to_string(year) : yearText(year, length);
}

std::string monthText(int month, const TDateLabelSettings& f) {
    if (f.MonthName && f.ShortMonthName) {
        return f.ShortMonthName(month);
    }
    return padded(month, 2);
}

// Joins the parts with the separator, leaving out empty ones and their separators.
std::string joined(std::initializer_list<std::string> parts, char sep) {
    std::string out;
    for (const std::string& p : parts) {
        if (p.empty()) {
            continue;
        }
        if (!out.empty()) {
            out.push_back(sep);
        }
        out += p;
    }
    return out;
}

std::string timeLabel(const TDateParts& t, TClockUnit unit, const TDateLabelSettings& f) {
    const char sep = f.TimeSeparator;
    const std::string hh = padded(t.Hour, 2);
    const std::string h = std::to_string(t.Hour);
    const std::string nn = padded(t.Minute, 2);
    const std::string ss = padded(t.Second, 2);
    const std::string zz = padded(t.Millisecond, 2);
    const int h12 = t.Hour % 12 == 0 ? 12 : t.Hour % 12;
    const std::string ampm = t.Hour < 12 ? " am" : " pm";
    switch (f.TimeFormat) {
    case tfHHMMSS:
        switch (unit) {
        case cuHours:
        case cuMinutes:
            return hh + sep + nn;
        case cuSeconds:
            return hh + sep + nn + sep + ss;
        case cuHundredths:
            return hh + sep + nn + sep + ss + "." + zz;
        }
        break;
    case tfHHhMM:
        switch (unit) {
        case cuHours:
            return h + "h";
        case cuMinutes:
            return h + "h" + nn;
        case cuSeconds:
            return h + "h" + nn + sep + ss;
        case cuHundredths:
            return h + "h" + nn + sep + ss + "." + zz;
        }
        break;
    case tfAMPM:
        switch (unit) {
        case cuHours:
            return std::to_string(h12) + ampm;
        case cuMinutes:
            return std::to_string(h12) + sep + nn + ampm;
        case cuSeconds:
            return std::to_string(h12) + sep + nn + "." + ss + ampm;
        case cuHundredths:
            return std::to_string(h12) + sep + nn + "." + ss + "." + zz + ampm;
        }
        break;
    }
    return hh + sep + nn;
}

TScaleTick dateTick(double t, bool isLong) {
    TScaleTick tick;
    tick.Value = t;
    tick.Long = isLong;
    tick.Drawn = true;
    tick.Listed = true;
    tick.Labelled = isLong;
    return tick;
}

std::vector<TScaleTick> timeOfDayTicks(const TScaleTickSettings& s, const TDateLabelSettings& f,
                                       TClockUnit unit, double step) {
    const UnitRow& row = unitRows[static_cast<std::size_t>(unit)];
    std::size_t pick = 0;
    for (std::size_t i = 0; i < row.longSteps.size(); ++i) {
        if (row.longSteps[i] <= step * row.perDay) {
            pick = i;
        }
    }
    const double longUnits = row.longSteps[pick];
    const double bigD = longUnits / row.perDay;
    const double smallD = row.shortSteps[pick] / row.perDay;
    const double low = s.RangeLow;
    const double high = s.RangeHigh;

    const double midnight = std::floor(low);
    const double fromMidnight = (low - midnight) * row.perDay;
    double first = midnight + std::ceil(fromMidnight / longUnits - 1e-9) * bigD;
    if (s.ShortTicks) {
        for (int i = 0; i < 64 && first > low; ++i) {
            first -= smallD;
        }
    }
    const double advance = s.ShortTicks ? smallD : bigD;
    std::vector<TScaleTick> ticks;
    bool firstLong = true;
    std::int64_t lastDay = 0;
    for (int k = 0; k < MaxTicksPerPaint; ++k) {
        const double t = first + k * advance;
        if (!(t - high < 1e-8)) {
            break;
        }
        if (t < low) {
            continue;
        }
        const double q = t / bigD;
        const bool isLong = !s.ShortTicks || std::fabs(q - std::nearbyint(q)) < 0.1;
        TScaleTick tick = dateTick(t, isLong);
        if (isLong) {
            const TDateParts parts = DecodeDateTime(t);
            tick.Label = timeLabel(parts, unit, f);
            const std::int64_t day = DayNumber(t + 0.5 / 86400000.0);
            const bool newDay = firstLong || day != lastDay;
            const bool dated = f.DateForTime == dtAllTicks ||
                               (f.DateForTime == dtOnePerChart && firstLong) ||
                               (f.DateForTime == dtOnePerDay && newDay);
            if (dated) {
                tick.DateLine = DateLineText(t, f);
            }
            firstLong = false;
            lastDay = day;
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

std::vector<TScaleTick> dayTicks(const TScaleTickSettings& s, const TDateLabelSettings& f,
                                 double step) {
    static constexpr std::array<int, 6> steps{1, 2, 3, 7, 14, 28};
    int longStep = 1;
    for (int c : steps) {
        if (c <= step) {
            longStep = c;
        }
    }
    const int shortStep = longStep >= 14 ? 7 : 1;
    const double low = s.RangeLow;
    const double jan1 = EncodeDate(DecodeDateTime(low).Year, 1, 1);
    const double first = jan1 + std::floor((low - jan1) / longStep) * longStep;
    const std::int64_t firstDay = DayNumber(first);
    const auto mod = [longStep](std::int64_t n) { return ((n % longStep) + longStep) % longStep; };
    const int advance = s.ShortTicks ? shortStep : longStep;
    std::vector<TScaleTick> ticks;
    for (int k = 0; k < MaxTicksPerPaint; ++k) {
        const double t = first + static_cast<double>(k) * advance;
        if (!(t - s.RangeHigh < 1e-8)) {
            break;
        }
        if (t < low) {
            continue;
        }
        const bool isLong = !s.ShortTicks || mod(DayNumber(t)) == mod(firstDay);
        TScaleTick tick = dateTick(t, isLong);
        if (isLong) {
            tick.Label = DateLineText(t, f);
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

std::string monthLabel(const TDateParts& d, const TDateLabelSettings& f) {
    const std::string y = yearText(d.Year, f.YearLength);
    const std::string m = monthText(d.Month, f);
    return f.DateOrder == doYYMMDD ? joined({y, m}, f.DateSeparator)
                                   : joined({m, y}, f.DateSeparator);
}

std::vector<TScaleTick> monthTicks(const TScaleTickSettings& s, const TDateLabelSettings& f,
                                   double step) {
    static constexpr std::array<int, 5> steps{1, 2, 3, 4, 6};
    int monthStep = 1;
    for (int c : steps) {
        if (c <= step / 30.4375) {
            monthStep = c;
        }
    }
    const TDateParts start = DecodeDateTime(s.RangeLow);
    int year = start.Year;
    int month = start.Month;
    auto next = [&](int by) {
        month += by;
        while (month > 12) {
            month -= 12;
            ++year;
        }
    };
    if (!s.ShortTicks && monthStep > 1) {
        do {
            next(1);
        } while ((month - 1) % monthStep != 0);
    }
    std::vector<TScaleTick> ticks;
    for (int k = 0; k < MaxTicksPerPaint && year <= 9999; ++k, next(s.ShortTicks ? 1 : monthStep)) {
        const double t = EncodeDate(year, month, 1);
        if (!(t - s.RangeHigh < 1e-8)) {
            break;
        }
        if (t < s.RangeLow) {
            continue;
        }
        const bool isLong = !(s.ShortTicks && monthStep > 1) || (month - 1) % monthStep == 0;
        TScaleTick tick = dateTick(t, isLong);
        if (isLong) {
            TDateParts d;
            d.Year = year;
            d.Month = month;
            tick.Label = monthLabel(d, f);
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

std::vector<TScaleTick> yearTicks(const TScaleTickSettings& s, const TDateLabelSettings& f) {
    const double a = std::max((s.RangeHigh - s.RangeLow) / 365.25 / s.MinTicks, 1.0);
    if (!std::isfinite(a)) {
        return {}; // MinTicks 0: no step to place ticks with
    }
    const int k = static_cast<int>(std::floor(std::log10(a)));
    const double f10 = a / std::pow(10.0, k);
    const int multiplier = f10 < 2 ? 1 : (f10 < 5 ? 2 : 5);
    const int power = static_cast<int>(std::lround(std::pow(10.0, k)));
    const int longStep = multiplier * power;
    int shortStep = longStep;
    if (s.ShortTicks && longStep != 1) {
        shortStep = multiplier == 5 ? longStep / 5 : RoundInt32(longStep / 2.0L);
    }
    shortStep = std::max(shortStep, 1);
    const int startYear = DecodeDateTime(s.RangeLow).Year;
    int year = (startYear + shortStep - 1) / shortStep * shortStep;
    if (s.RangeLow > EncodeDate(year, 1, 1)) {
        year += shortStep;
    }
    std::vector<TScaleTick> ticks;
    for (int i = 0; i < MaxTicksPerPaint && year <= 9999; ++i, year += shortStep) {
        const double t = EncodeDate(year, 1, 1);
        if (!(t - s.RangeHigh < 1e-8)) {
            break;
        }
        const bool isLong = !s.ShortTicks || year % longStep == 0;
        TScaleTick tick = dateTick(t, isLong);
        if (isLong) {
            tick.Label = yearTickText(year, f.YearLength);
        }
        ticks.push_back(std::move(tick));
    }
    return ticks;
}

} // namespace

std::string ClockLabel(double seconds, bool withMilliseconds) {
    const double a = std::fabs(seconds);
    const long long whole = static_cast<long long>(std::trunc(std::min(a, 9.0e15)));
    std::string text = seconds < 0 ? "-" : " ";
    text += padded(whole / 3600, 2) + ":" + padded(whole / 60 % 60, 2) + ":" +
            padded(whole % 60, 2);
    if (withMilliseconds) {
        text += "." + padded(RoundInt32((a - std::trunc(a)) * 1000), 3);
    }
    return text;
}

std::optional<std::vector<TScaleTick>> PlanClockTicks(const TScaleTickSettings& s) {
    const double low = s.RangeLow;
    const double high = s.RangeHigh;
    const double per = std::fabs(high - low) / s.MinTicks;
    int entry = 0; // 1-based; 0 when even the first distance is too large
    for (std::size_t i = 0; i < clockTable.size(); ++i) {
        if (clockTable[i].seconds <= per) {
            entry = static_cast<int>(i) + 1;
        }
    }
    if (entry == 0 || entry == 28 || !std::isfinite(low) || !std::isfinite(high) || high == low) {
        return std::nullopt;
    }
    const ClockEntry& e = clockTable[static_cast<std::size_t>(entry - 1)];
    const double dir = low < high ? 1 : -1;
    const double bigD = dir * e.seconds;
    const double smallD = bigD / e.shorts;
    // Enough steps to get from one long distance before the start past the end.
    const double steps = std::trunc((high - low) / smallD) + 5 + e.shorts;
    const int n = static_cast<int>(std::min(steps, static_cast<double>(MaxTicksPerPaint)));
    const double first = std::floor(low / bigD / C) * bigD;
    // Bounds a hair wider than the range, taken from its smaller and larger end so that a
    // reversed range keeps the ticks at both of its ends too.
    const double small = std::min(low, high);
    const double large = std::max(low, high);
    const double lo = small >= 0 ? small * C : small / C;
    const double hi = large > 0 ? large / C : large * C;
    const bool withMs = entry <= 9;

    // Far from zero a millisecond may be too small to move the value.
    std::vector<TScaleTick> ticks;
    if (s.ShortTicks) {
        TTickProgress progress(dir);
        for (int k = 0; k <= n; ++k) {
            const double v = first + k * smallD;
            if (!progress.Moves(v)) {
                break;
            }
            if (v >= lo && v <= hi) {
                ticks.push_back({v, false, true, true, false, {}, {}});
            }
        }
    }
    TTickProgress progress(dir);
    for (int k = 0; k <= n; ++k) {
        const double v = first + k * smallD;
        if (!progress.Moves(v)) {
            break;
        }
        const double q = v / bigD;
        if (std::fabs(q - std::nearbyint(q)) < 0.01 && v >= lo && v <= hi) {
            ticks.push_back({v, true, true, !s.ShortTicks, s.LabelType != ftNoFigs,
                             ClockLabel(v, withMs), {}});
        }
    }
    return ticks;
}

std::string DateLineText(double value, const TDateLabelSettings& f) {
    const TDateParts d = DecodeDateTime(value);
    const std::string y = yearText(d.Year, f.YearLength);
    const std::string m = monthText(d.Month, f);
    const std::string dd = padded(d.Day, 2);
    switch (f.DateOrder) {
    case doMMDDYY:
        return joined({m, dd, y}, f.DateSeparator);
    case doDDMMYY:
        return joined({dd, m, y}, f.DateSeparator);
    case doYYMMDD:
        break;
    }
    return joined({y, m, dd}, f.DateSeparator);
}

TDateTimePlan PlanDateTimeTicks(const TScaleTickSettings& s, const TDateLabelSettings& f,
                                bool horizontal) {
    TDateTimePlan plan;
    const double low = s.RangeLow;
    const double high = s.RangeHigh;
    if (!(high >= low) || low < FirstDateValue || high > 3000000) {
        plan.Message = horizontal ? std::vector<std::string>{"invalid DateTime scale"}
                                  : std::vector<std::string>{"invalid", "DateTime", "scale"};
        return plan;
    }
    const double step = (high - low) / s.MinTicks;
    const auto tooShort = [&] {
        plan.Message = horizontal
                           ? std::vector<std::string>{"DateTime range is below 1 second"}
                           : std::vector<std::string>{"DateTime", "range is", "below 1", "second"};
        return plan;
    };
    if (horizontal) {
        if (step <= 1.1574e-5) {
            return tooShort();
        }
        if (step <= 0.00069444) {
            plan.Ticks = timeOfDayTicks(s, f, cuSeconds, step);
            return plan;
        }
    } else {
        if (step <= 1.0 / 8640000) {
            return tooShort();
        }
        if (step <= 1.0 / 86400) {
            plan.Ticks = timeOfDayTicks(s, f, cuHundredths, step);
            return plan;
        }
        if (step <= 1.0 / 1440) {
            plan.Ticks = timeOfDayTicks(s, f, cuSeconds, step);
            return plan;
        }
    }
    if (step <= 0.041667) {
        plan.Ticks = timeOfDayTicks(s, f, cuMinutes, step);
    } else if (step <= 1) {
        plan.Ticks = timeOfDayTicks(s, f, cuHours, step);
    } else if (step <= 30) {
        plan.Ticks = dayTicks(s, f, step);
    } else if (step > 366) {
        plan.Ticks = yearTicks(s, f);
    } else {
        plan.Ticks = monthTicks(s, f, step);
    }
    return plan;
}
