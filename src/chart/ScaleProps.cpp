#include "chart/ScaleProps.h"

#include <algorithm>
#include <cmath>

TScaleProps::TScaleProps(QObject* owner) : QObject(owner), dateFormat(new TDTLabel(this)) {
    dateFormat->SetOwnerDefaults();
    dateFormat->OnChange = [this](QObject*) { changed(); };
}

void TScaleProps::SetCaption(const QString& value) {
    caption = value;
    changed();
}

void TScaleProps::SetCaptionPosX(int value) {
    captionPosX = value;
    changed();
}

void TScaleProps::SetCaptionPosY(int value) {
    captionPosY = value;
    changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value) {
    captionAlignment = value;
    changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value) {
    captionAnchor = value;
    changed();
}

void TScaleProps::SetColorScale(TColor value) {
    colorScale = value;
    changed();
}

void TScaleProps::SetDateFormat(TDTLabel* value) {
    if (value != nullptr && value != dateFormat) {
        dateFormat->Assign(*value);
    }
}

void TScaleProps::SetDecPlaces(int value) {
    decPlaces = std::clamp(value, -3, 12);
    changed();
}

void TScaleProps::SetFont(const QFont& value) {
    font = value;
    changed();
}

void TScaleProps::SetLogarithmic(bool value) {
    if (!value || Loading ||
        (rangeLow >= MinLogValue && rangeHigh >= MinLogValue && labelType != ftDateTime)) {
        logarithmic = value;
    }
    changed();
}

void TScaleProps::SetLabelType(TFigType value) {
    labelType = value;
    if (value == ftDateTime) {
        logarithmic = false;
    } else if (value == ftTime) {
        decPlaces = 4;
    }
    changed();
}

void TScaleProps::SetMinTicks(int value) {
    minTicks = value;
    changed();
}

void TScaleProps::SetMinRange(double value) {
    // A non-finite width would poison every later range; it is ignored like a tiny one.
    if (!(value > MinLogValue) || !std::isfinite(value)) {
        return;
    }
    minRange = value;
    if (std::fabs(rangeHigh - rangeLow) < value) {
        const double c = (rangeHigh + rangeLow) / 2;
        rangeLow = c - value / 2;
        rangeHigh = c + value / 2;
        changed();
    }
}

void TScaleProps::SetRangeLow(double value) {
    if (std::isnan(value)) {
        return;
    }
    if (std::fabs(rangeHigh - value) < minRange) {
        rangeLow = value;
        rangeHigh = value + minRange;
    } else if (!(logarithmic && value < MinLogValue)) {
        rangeLow = value;
    }
    changed();
}

void TScaleProps::SetRangeHigh(double value) {
    if (std::isnan(value)) {
        return;
    }
    if (std::fabs(rangeLow - value) < minRange) {
        rangeHigh = value;
        rangeLow = value - minRange;
    } else if (!(logarithmic && value < MinLogValue)) {
        rangeHigh = value;
    }
    changed();
}

void TScaleProps::SetShortTicks(bool value) {
    shortTicks = value;
    changed();
}

void TScaleProps::SetScaleInscript(const QString& value) {
    scaleInscript = value;
    changed();
}

int TScaleProps::ScalePos() const {
    return scaleSide == sctXB || scaleSide == sctXT ? scalePosHoriz : scalePosVert;
}

void TScaleProps::SetScalePos(int value) {
    (scaleSide == sctXB || scaleSide == sctXT ? scalePosHoriz : scalePosVert) = value;
    changed();
}

void TScaleProps::SetUserTickText(const QString& value) {
    userTickText = value;
    changed();
}

void TScaleProps::SetVisible(bool value) {
    visible = value;
    changed();
}

TScalePropsHoriz::TScalePropsHoriz(QObject* owner) : TScaleProps(owner) {
    SetScaleSide(sctXT);
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz value) {
    location = value;
    SetScaleSide(value == slTop ? sctXB : sctXT);
    changed();
}

TScalePropsVert::TScalePropsVert(QObject* owner) : TScaleProps(owner) { SetScaleSide(sctYR); }

void TScalePropsVert::SetScaleLocation(TScaleLocationVert value) {
    location = value;
    SetScaleSide(value == slLeft ? sctYR : sctYL);
    changed();
}
