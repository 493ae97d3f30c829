#include "widgets/NumLabText.h"

#include "numerics/Conversions.h"
#include "numerics/FloorInt.h"
#include "numerics/Log10.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr const char* Degree = "\xC2\xB0";

std::string chars(double v, std::chars_format format, int precision) {
    // Room for the longest fixed text the notations ask for (about 330 characters).
    std::array<char, 512> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, format, precision);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

// The exponent of a scientific text ("1.5e+03" gives 3).
int exponentOf(const std::string& sci) {
    const std::size_t e = sci.find('e');
    return e == std::string::npos ? 0 : std::atoi(sci.c_str() + e + 1);
}

std::string mantissaOf(const std::string& sci) { return sci.substr(0, sci.find('e')); }

std::string exponentText(int exponent) {
    std::string digits = std::to_string(std::abs(exponent));
    if (digits.size() < 3) {
        digits.insert(0, 3 - digits.size(), '0');
    }
    return std::string("E") + (exponent < 0 ? '-' : '+') + digits;
}

void stripZeros(std::string& text) {
    if (text.find('.') == std::string::npos) {
        return;
    }
    text.erase(text.find_last_not_of('0') + 1);
    if (!text.empty() && text.back() == '.') {
        text.pop_back();
    }
}

std::string generalText(double v, int p) {
    if (v == 0) {
        return "0";
    }
    const std::string sci = chars(v, std::chars_format::scientific, p - 1);
    const int x = exponentOf(sci);
    if (x < p && x >= -4) {
        std::string fixed = chars(v, std::chars_format::fixed, p - 1 - x);
        stripZeros(fixed);
        return fixed;
    }
    std::string mantissa = mantissaOf(sci);
    stripZeros(mantissa);
    return mantissa + exponentText(x);
}

std::string exponentialText(double v, int p) {
    const std::string sci = chars(v, std::chars_format::scientific, p - 1);
    return mantissaOf(sci) + exponentText(exponentOf(sci));
}

// The nearest integer, halves to even, when it fits 64 bits.
std::optional<std::int64_t> nearest64(double v) {
    const long double r = RoundHalfEven(v);
    if (!(r >= -9223372036854775808.0L && r < 9223372036854775808.0L)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(r);
}

// The lowest `digits` digits of n in the given base (2, 8 or 16), upper-case.
std::string lowDigits(std::uint64_t n, unsigned base, int digits) {
    std::string out(static_cast<std::size_t>(std::max(digits, 0)), '0');
    for (auto it = out.rbegin(); it != out.rend(); ++it) {
        *it = "0123456789ABCDEF"[n % base];
        n /= base;
    }
    return out;
}

std::string lastDigits(const std::string& text, int count) {
    // The text's last `count` characters, or all of it when it is shorter.
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    return text.size() > n ? text.substr(text.size() - n) : text;
}

double snapped(double v) {
    const double r = std::nearbyint(v);
    return std::fabs(v - r) < 3e-12 ? r : v;
}

double fraction(double a) { return a - std::trunc(a); }

// Whole degrees with their sign: -0.5 degrees starts "-0", not "0". A carry from the
// minutes adds one degree to the magnitude.
std::string wholeDegrees(double v, bool carry) {
    const std::string digits = Str(std::fabs(std::trunc(v)) + (carry ? 1 : 0), 1, 0);
    return (v < 0 ? "-" : "") + digits;
}

// The number a fixed text stands for (the texts of Str, always with a point).
double textValue(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    double out = 0;
    if (start != std::string::npos) {
        std::from_chars(text.data() + start, text.data() + text.size(), out);
    }
    return out;
}

// Minutes or seconds written with `decimals` decimals in a field of `width`; a fraction that
// the rounding brings up to 60 is written as 0 and carries one into the next larger unit, so
// that 1.99999999 degrees reads as 2 degrees and never as 1 degree and 60 minutes.
std::string sixtieths(double x, int width, int decimals, bool& carry) {
    std::string text = Str(x, width, decimals);
    carry = textValue(text) >= 60;
    return carry ? Str(0, width, decimals) : text;
}

std::optional<std::string> degreesText(double value, TDisplay display, int precision) {
    const int q = std::clamp(precision, 0, 8);
    const double s = snapped(value);
    bool carry = false;
    if (display == dtDegMin) {
        const std::string minutes = sixtieths(fraction(std::fabs(s)) * 60, q + 3, q, carry);
        return wholeDegrees(s, carry) + Degree + " " + minutes + "'";
    }
    const double m = snapped(fraction(std::fabs(s)) * 60);
    const std::string seconds = sixtieths(fraction(m) * 60, q + 3, q, carry);
    const std::string minutes = sixtieths(std::trunc(m) + (carry ? 1 : 0), 2, 0, carry);
    return wholeDegrees(s, carry) + Degree + " " + minutes + "' " + seconds + "\"";
}

std::optional<std::string> engineering(double value, int n) {
    n = std::clamp(n, -9, 9);
    const int d = n >= 2 ? n - 1 : (n <= -2 ? n + 1 : 0);
    if (value == 0) {
        return Str(0, 1, std::abs(d));
    }
    const bool negative = value < 0;
    const double v = std::fabs(value);
    const double lg = Log10(v);
    const int e = FloorInt(lg);
    int k = std::clamp(FloorInt(lg / 3), -6, 4);
    int decimals = std::max(std::abs(d) - (e - 3 * k), 0);
    const auto scaled = [v](int k3) {
        const long double scale = std::exp(3.0L * k3 * std::log(10.0L));
        return static_cast<double>(v / scale);
    };
    std::string text = Str(scaled(k), 1, decimals);
    if (k < 4 && textValue(text) >= 1000) {
        // Rounded up to a thousand of this prefix: written with the next prefix instead, the
        // value then lies at the bottom of its range (999.96 at three digits is 1.00k).
        ++k;
        decimals = std::abs(d);
        text = Str(scaled(k), 1, decimals);
    }
    if (k != 0) {
        static constexpr std::array<char, 11> letters{'a', 'f', 'p', 'n', 'u', 'm',
                                                      ' ', 'k', 'M', 'G', 'T'};
        const char letter = letters[static_cast<std::size_t>(k + 6)];
        const std::size_t point = text.find('.');
        if (d < 0 && point != std::string::npos) {
            text[point] = letter;
        } else {
            text.push_back(letter);
        }
    }
    return (negative ? "-" : "") + text;
}

std::optional<std::string> notation(const TNumLabFormat& f) {
    const double v = f.Value;
    const int p = f.Precision;
    if (f.DisplayType == dtState) {
        return f.StateText;
    }
    if (!std::isfinite(v)) {
        return std::nullopt;
    }
    const bool unsigned32 = v >= -2147483648.0 && v <= 4294967295.0;
    switch (f.DisplayType) {
    case dtFloat:
        return generalText(v, std::max(p, 2));
    case dtFixP:
        return Str(v, 1, p);
    case dtExp:
        return exponentialText(v, std::max(p, 2));
    case dtHex: {
        if (!unsigned32) {
            return std::nullopt;
        }
        // At least P' digits, then cut to the last P': exactly the lowest P' digits.
        return lowDigits(static_cast<std::uint64_t>(*nearest64(v)), 16, std::min(p, 8));
    }
    case dtZeroInt: {
        if (!(v >= -2147483648.0 && v <= 2147483647.0)) {
            return std::nullopt;
        }
        const std::int64_t n = *nearest64(v);
        std::string digits = std::to_string(n < 0 ? -n : n);
        if (static_cast<int>(digits.size()) < p) {
            digits.insert(0, static_cast<std::size_t>(p) - digits.size(), '0');
        }
        return (n < 0 ? "-" : "") + digits;
    }
    case dtInt: {
        const auto n = nearest64(v);
        return n ? std::optional<std::string>(std::to_string(*n)) : std::nullopt;
    }
    case dtDateTime:
        return f.FormatDateTime ? f.FormatDateTime(v, f.DTFormat) : std::nullopt;
    case dtBin:
    case dtOct: {
        if (!unsigned32) {
            return std::nullopt;
        }
        const auto low32 = static_cast<std::uint64_t>(*nearest64(v)) & 0xFFFFFFFFu;
        if (f.DisplayType == dtBin) {
            const int digits = std::min(p, 32);
            return lastDigits(lowDigits(low32, 2, std::max(digits, 1)), digits);
        }
        const int digits = std::min(p, 12);
        return lastDigits(lowDigits(low32, 8, std::max(std::min(digits, 11), 1)), digits);
    }
    case dtDeg:
        return Str(v, 1, std::clamp(p, 0, 8)) + Degree;
    case dtDegMin:
    case dtDegMinSec:
        return degreesText(v, f.DisplayType, p);
    case dtEEng:
        return engineering(v, p);
    case dtEEngNoDP:
        return engineering(v, -p);
    case dtState:
        break;
    }
    return std::nullopt;
}

} // namespace

std::string Str(double x, int width, int decimals) {
    std::string text = chars(x, std::chars_format::fixed, std::max(decimals, 0));
    if (static_cast<int>(text.size()) < width) {
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    }
    return text;
}

std::optional<std::string> NumLabValueText(const TNumLabFormat& f) {
    std::optional<std::string> text = notation(f);
    if (!text) {
        return std::nullopt;
    }
    const bool degreesOrEng = f.DisplayType >= dtDeg;
    if (degreesOrEng && text->empty()) {
        return std::nullopt;
    }
    if (f.DisplayType != dtHex && f.DisplayType != dtDateTime && f.DisplayType != dtState &&
        f.DisplayType != dtBin) {
        std::replace(text->begin(), text->end(), f.Comma ? '.' : ',', f.Comma ? ',' : '.');
        if (f.ForcePlusSign && f.Value > 0) {
            text->insert(0, 1, '+');
        }
    }
    return text;
}
