#pragma once
// Tick choice and label text of an axis scale, apart from any drawing: where the long and
// short ticks of a linear or logarithmic scale lie, and what is written at the long ones.
// Plain C++; texts are UTF-8.

#include "chart/ChartTypes.h"

#include <string>
#include <vector>

// The first long tick, the long-tick distance (signed like the range) and the number of
// short intervals per long interval of a linear scale.
struct TLinearTickSpacing {
    double First = 0.0;
    double Distance = 0.0;
    int ShortIntervals = 1;
};

TLinearTickSpacing LinearTickSpacing(double low, double high, int minTicks);

// The decimals number labels are written with, for the DecPlaces setting and the range.
int EffectiveDecimals(int decPlaces, double low, double high);
int EffectiveDecimalsLog(int decPlaces, double low, double high);

// v with `decimals` fixed decimals, or for -1 in scientific notation (" 1.5E+03"); a
// three-digit exponent turns every character into '*'.
std::string FormatScaleNumber(double v, int decimals);

// The number label of a long tick of a linear scale, before user texts and inscripts.
std::string LinearTickLabel(double v, double low, double high, int decimals, int decPlaces);

// Item k (from 1) of a "|"-separated list; beyond the last item, the last one.
std::string UserTickItem(const std::string& userTickText, int k);

// The text put into its inscript: around the first "&", or behind an inscript without one.
std::string ApplyInscript(const std::string& inscript, const std::string& text);

struct TScaleTickSettings {
    double RangeLow = 0.0;
    double RangeHigh = 100.0;
    int MinTicks = 3;
    int DecPlaces = -2;
    bool ShortTicks = true;
    bool Logarithmic = false;
    TFigType LabelType = ftNum;
    std::string UserTickText;
    std::string ScaleInscript;
};

struct TScaleTick {
    double Value = 0.0;
    bool Long = false;
    bool Drawn = true;     // short ticks of a logarithmic scale are placed but not drawn
    bool Listed = false;   // goes into the scale's tick list
    bool Labelled = false; // a text is written (it may be empty)
    std::string Label;
    std::string DateLine; // date scales: the date written beside a time-of-day label
};

// At most this many ticks are placed in one paint: a linear scale that would need more ticks
// at every integer (MinTicks 0 over a wide range) is spaced as for MinTicks 10 instead.
constexpr int MaxTicksPerPaint = 10000;
// The scale's tick list keeps the first this many listed values.
constexpr int TickListCapacity = 250;

// Watches a tick loop's values: in a range only a few rounding steps wide a step may no
// longer move the value, and the loop ends there rather than stack ticks on one value.
class TTickProgress {
public:
    // `direction` is 1 for a rising range, -1 for a falling one.
    explicit TTickProgress(double direction) : dir(direction) {}
    // Whether v lies beyond the value before it in the range's direction (the first always).
    bool Moves(double v) {
        const bool moves = !started || dir * (v - last) > 0;
        started = true;
        last = v;
        return moves;
    }

private:
    double dir;
    bool started = false;
    double last = 0;
};

// Every tick of one paint in drawing order, with its final label text.
std::vector<TScaleTick> PlanScaleTicks(const TScaleTickSettings& settings);
std::vector<TScaleTick> PlanLinearTicks(const TScaleTickSettings& settings);
std::vector<TScaleTick> PlanLogTicks(const TScaleTickSettings& settings);
