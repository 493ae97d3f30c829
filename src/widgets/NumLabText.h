#pragma once
// The text a numeric label shows for its value, in each of its fifteen notations, apart from
// any drawing. Plain C++; texts are UTF-8 (the degree sign is two bytes).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

enum TDisplay {
    dtFloat,
    dtFixP,
    dtExp,
    dtHex,
    dtZeroInt,
    dtInt,
    dtDateTime,
    dtState,
    dtBin,
    dtOct,
    dtDeg,
    dtDegMin,
    dtDegMinSec,
    dtEEng,
    dtEEngNoDP
};

struct TNumLabFormat {
    double Value = 0.0;
    TDisplay DisplayType = dtFixP;
    int Precision = 2;
    bool Comma = false;
    bool ForcePlusSign = false;
    std::string StateText = "undefined";
    std::string DTFormat = "mmm-dd, yyyy";
    // Writes a date-time value with a pattern; supplied by the widget, which knows the
    // locale's month names. Without it dtDateTime overflows.
    std::function<std::optional<std::string>(double value, const std::string& pattern)>
        FormatDateTime;
};

// The value's text after the separator and plus-sign rules, or nothing when the value cannot
// be shown in the notation (out of its range, not finite, or an empty degree or engineering
// text): the label then shows its overflow indicator.
std::optional<std::string> NumLabValueText(const TNumLabFormat& format);

// x in fixed notation with `decimals` decimals, right-aligned with spaces to `width`.
std::string Str(double x, int width, int decimals);
