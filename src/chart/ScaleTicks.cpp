#include "chart/ScaleTicks.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double Log10Of2 = 0.30102999566398119521;
constexpr double Log10Of5 = 0.69897000433601880479;
constexpr double LogTolerance = 0.999999999;

std::string toChars(double v, std::chars_format format, int precision) {
    // Wide enough for any double in fixed notation with 12 decimals.
    std::array<char, 400> buffer{};
    const auto [end, ec] =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), v, format, precision);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

std::string cut14(std::string text) {
    if (text.size() > 14) {
        text.resize(14);
    }
    return text;
}

// Steps shared by both scale kinds once the number text is known: user texts replace it,
// otherwise the inscript goes around it.
std::string finishLabel(const TScaleTickSettings& s, std::string text, int k) {
    if (s.LabelType == ftUserText) {
        return UserTickItem(s.UserTickText, k);
    }
    if (!s.ScaleInscript.empty() && !text.empty()) {
        return ApplyInscript(s.ScaleInscript, text);
    }
    return text;
}

// Brings F onto the first multiple of D not below L (in the range's direction), allowing a
// thousandth of D. F starts within two steps of that place, so a few steps suffice; the bound
// also ends the loop when D is too small to move F at all.
double alignFirst(double first, double low, double d, int s) {
    for (int i = 0; i < 8 && s * (low - first) > 0.001 * std::fabs(d); ++i) {
        first += d;
    }
    return first;
}

} // namespace

TLinearTickSpacing LinearTickSpacing(double low, double high, int minTicks) {
    TLinearTickSpacing t;
    if (high == low || !std::isfinite(low) || !std::isfinite(high)) {
        t.First = low;
        return t;
    }
    const int s = low < high ? 1 : -1;
    if (minTicks == 0) {
        // Every integer. A reversed range steps downward from just above its start, the
        // mirror image of a rising one, so its ticks run toward the end of the range.
        t.Distance = s;
        t.First = alignFirst(std::trunc(low) - s, low, t.Distance, s);
        t.ShortIntervals = std::fabs(high - low) > 10 ? 1 : 5;
        return t;
    }
    double g = std::log10(std::fabs(high - low) / minTicks);
    double h = g - std::trunc(g);
    if (std::fabs(h) < 1e-10 || std::fabs(h) > 0.9999999999) {
        g = std::nearbyint(g);
        h = 0;
    }
    if (g < 0 && h != 0) {
        g -= 1;
    }
    if (h < 0) {
        h += 1;
    }
    const double p = std::pow(10.0, std::trunc(g));
    if (h < Log10Of2 + 1e-10) {
        t.Distance = p;
        t.ShortIntervals = 5;
    } else if (h < Log10Of5 + 1e-10) {
        t.Distance = 2 * p;
        t.ShortIntervals = 4;
    } else {
        t.Distance = 5 * p;
        t.ShortIntervals = 5;
    }
    t.Distance *= s;
    t.First = alignFirst((std::trunc(low / t.Distance) - 1) * t.Distance, low, t.Distance, s);
    return t;
}

int EffectiveDecimals(int decPlaces, double low, double high) {
    if (decPlaces >= -1) {
        return decPlaces;
    }
    const double r = std::fabs(high - low);
    if (r >= 1000000 || r <= 0.0001) {
        return -1;
    }
    if (r >= 100) {
        return 0;
    }
    return 2 - static_cast<int>(std::nearbyint(std::log(r) / 2.5));
}

int EffectiveDecimalsLog(int decPlaces, double low, double high) {
    if (decPlaces != -2) {
        return decPlaces;
    }
    const double lo = std::fmin(low, high);
    const double hi = std::fmax(low, high);
    if (hi - lo >= 1000000 || hi - lo <= 0.0001) {
        return -1;
    }
    if (lo >= 1) {
        return 0;
    }
    // lo is positive on a logarithmic scale, so the logarithm is finite and small.
    return 1 - static_cast<int>(std::nearbyint(std::log10(std::fabs(lo))));
}

std::string FormatScaleNumber(double v, int decimals) {
    if (decimals >= 0) {
        return toChars(v, std::chars_format::fixed, decimals);
    }
    // " 1.5E+03": sign or blank, one digit, point, one digit, E, exponent sign, two digits.
    const std::string sci = toChars(std::fabs(v), std::chars_format::scientific, 1);
    const std::size_t e = sci.find('e');
    if (e == std::string::npos) {
        return sci;
    }
    std::string text(1, v < 0 ? '-' : ' ');
    text.append(sci, 0, e);
    text.push_back('E');
    text.append(sci, e + 1, std::string::npos); // the exponent's sign and digits
    if (sci.size() - (e + 2) > 2) {
        text.assign(text.size(), '*');
    }
    return text;
}

std::string LinearTickLabel(double v, double low, double high, int decimals, int decPlaces) {
    std::string text;
    if (std::fabs(v / (high - low)) < 1e-14) {
        if (std::fabs(high - low) <= 100000) {
            text = FormatScaleNumber(0.0, decimals);
        } else {
            text = decimals != 0 ? "0.0" : "0";
        }
    } else {
        text = FormatScaleNumber(v, decimals);
    }
    text = cut14(text);
    if (decPlaces == 0 && std::fabs(v - std::nearbyint(v)) > 1e-6) {
        text.clear();
    }
    return text;
}

std::string UserTickItem(const std::string& userTickText, int k) {
    std::size_t start = 0;
    for (int item = 1;; ++item) {
        const std::size_t bar = userTickText.find('|', start);
        if (item >= k || bar == std::string::npos) {
            return userTickText.substr(start, bar == std::string::npos ? std::string::npos
                                                                       : bar - start);
        }
        start = bar + 1;
    }
}

std::string ApplyInscript(const std::string& inscript, const std::string& text) {
    const std::size_t amp = inscript.find('&');
    if (amp == std::string::npos) {
        return inscript + text;
    }
    return inscript.substr(0, amp) + text + inscript.substr(amp + 1);
}

std::vector<TScaleTick> PlanLinearTicks(const TScaleTickSettings& s) {
    std::vector<TScaleTick> ticks;
    const double low = s.RangeLow;
    const double high = s.RangeHigh;
    TLinearTickSpacing sp = LinearTickSpacing(low, high, s.MinTicks);
    double d = sp.Distance;
    if (!(std::fabs(d) > 0) || !std::isfinite(d)) {
        return ticks;
    }
    double longCount = std::fabs(high - low) / std::fabs(d) + 2;
    if (longCount * sp.ShortIntervals > MaxTicksPerPaint && s.MinTicks == 0) {
        sp = LinearTickSpacing(low, high, 10);
        d = sp.Distance;
        longCount = std::fabs(high - low) / std::fabs(d) + 2;
    }
    const int dir = low < high ? 1 : -1;
    const double f = sp.First;
    const double shortStep = d / sp.ShortIntervals;
    const bool drawShort = s.ShortTicks && longCount * sp.ShortIntervals <= MaxTicksPerPaint;

    if (drawShort) {
        TTickProgress progress(dir);
        for (int k = 0; k < MaxTicksPerPaint; ++k) {
            const double v = f - d + k * shortStep;
            if (dir * (v - high) > 0.001 * std::fabs(shortStep) || !progress.Moves(v)) {
                break;
            }
            if (dir * v >= dir * low) {
                ticks.push_back({v, false, true, true, false, {}, {}});
            }
        }
    }
    const int decimals = EffectiveDecimals(s.DecPlaces, low, high);
    int labelled = 0;
    TTickProgress progress(dir);
    for (int k = 0; k < MaxTicksPerPaint; ++k) {
        const double v = f + k * d;
        if (dir * (v - high) > 0.001 * std::fabs(d) || !progress.Moves(v)) {
            break;
        }
        TScaleTick t{v, true, true, !drawShort, s.LabelType != ftNoFigs, {}, {}};
        if (t.Labelled) {
            t.Label = finishLabel(s, LinearTickLabel(v, low, high, decimals, s.DecPlaces),
                                  ++labelled);
        }
        ticks.push_back(std::move(t));
    }
    return ticks;
}

std::vector<TScaleTick> PlanLogTicks(const TScaleTickSettings& s) {
    const double lo = std::fmin(s.RangeLow, s.RangeHigh);
    const double hi = std::fmax(s.RangeLow, s.RangeHigh);
    const double decades = std::fabs(std::log10(s.RangeHigh / s.RangeLow));
    // Less than a decade, or an end that a logarithm cannot take: drawn as a linear scale.
    if (!(lo > 0) || !std::isfinite(hi) || !(decades >= 1)) {
        return PlanLinearTicks(s);
    }
    std::vector<TScaleTick> ticks;
    const int decimals = EffectiveDecimalsLog(s.DecPlaces, s.RangeLow, s.RangeHigh);
    const bool multiples = s.MinTicks > decades + 0.5;
    int labelled = 0;

    auto place = [&](double v, bool isLong, bool isDecade, int exponent) {
        if (!(lo < v / LogTolerance && v * LogTolerance < hi)) {
            return;
        }
        TScaleTick t{v, isLong, isLong || s.ShortTicks, isLong || s.ShortTicks,
                     isLong && s.LabelType != ftNoFigs, {}, {}};
        if (t.Labelled) {
            std::string text;
            if (decimals == -3) {
                text = isDecade ? std::to_string(exponent) : std::string();
            } else {
                text = cut14(FormatScaleNumber(v, decimals));
                if (s.DecPlaces == -2 && text.find('.') != std::string::npos &&
                    text.find_first_of("eE") == std::string::npos) {
                    text.erase(text.find_last_not_of('0') + 1);
                    if (!text.empty() && text.back() == '.') {
                        text.pop_back();
                    }
                }
            }
            t.Label = finishLabel(s, text, ++labelled);
        }
        ticks.push_back(std::move(t));
    };

    // lo >= 1e-308 and hi <= 1.8e308, so the decades run over at most about 620 exponents.
    const int first = static_cast<int>(std::floor(std::log10(lo * LogTolerance)));
    for (int e = first; e < first + 700 && ticks.size() < MaxTicksPerPaint; ++e) {
        const double base = std::pow(10.0, e);
        if (!(hi >= LogTolerance * base)) {
            break;
        }
        place(base, true, true, e);
        if (multiples) {
            for (int m = 2; m <= 9; ++m) {
                place(m * base, m == 2 || m == 5, false, e);
            }
        }
    }
    return ticks;
}

std::vector<TScaleTick> PlanScaleTicks(const TScaleTickSettings& settings) {
    return settings.Logarithmic ? PlanLogTicks(settings) : PlanLinearTicks(settings);
}
