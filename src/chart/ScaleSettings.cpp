#include "chart/ScaleSettings.h"

#include <algorithm>
#include <cmath>

void TScaleSettings::SetDecPlaces(int value) { decPlaces = std::clamp(value, -3, 12); }

void TScaleSettings::SetLabelType(TFigType value) {
    labelType = value;
    if (value == ftDateTime) {
        logarithmic = false;
    } else if (value == ftTime) {
        decPlaces = 4;
    }
}

void TScaleSettings::SetLogarithmic(bool value, bool unchecked) {
    if (!value || unchecked ||
        (rangeLow >= MinLogValue && rangeHigh >= MinLogValue && labelType != ftDateTime)) {
        logarithmic = value;
    }
}

int TScaleSettings::LimitedMinTicks(int value) { return value == 0 ? 0 : std::clamp(value, 2, 10); }

void TScaleSettings::SetRangeLow(double value) {
    rangeLow = value;
    if (value == rangeHigh) {
        rangeHigh = value + 1;
    }
}

void TScaleSettings::SetRangeHigh(double value) {
    rangeHigh = value;
    if (value == rangeLow) {
        rangeLow = value + 1;
    }
}

void TScaleSettings::SetRangeLowWithin(double value, double minRange) {
    if (std::isnan(value)) {
        return;
    }
    if (std::fabs(rangeHigh - value) < minRange) {
        rangeLow = value;
        rangeHigh = value + minRange;
    } else if (!(logarithmic && value < MinLogValue)) {
        rangeLow = value;
    }
}

void TScaleSettings::SetRangeHighWithin(double value, double minRange) {
    if (std::isnan(value)) {
        return;
    }
    if (std::fabs(rangeLow - value) < minRange) {
        rangeHigh = value;
        rangeLow = value - minRange;
    } else if (!(logarithmic && value < MinLogValue)) {
        rangeHigh = value;
    }
}

bool TScaleSettings::WidenTo(double minRange) {
    if (!(std::fabs(rangeHigh - rangeLow) < minRange)) {
        return false;
    }
    const double c = (rangeHigh + rangeLow) / 2;
    rangeLow = c - minRange / 2;
    rangeHigh = c + minRange / 2;
    return true;
}

TScaleTickSettings TScaleSettings::TickSettings() const {
    TScaleTickSettings s;
    s.RangeLow = rangeLow;
    s.RangeHigh = rangeHigh;
    s.MinTicks = minTicks;
    s.DecPlaces = decPlaces;
    s.ShortTicks = shortTicks;
    s.Logarithmic = logarithmic;
    s.LabelType = labelType;
    s.UserTickText = userTickText.toStdString();
    s.ScaleInscript = scaleInscript.toStdString();
    return s;
}
