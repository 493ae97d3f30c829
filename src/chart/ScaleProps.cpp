#include "chart/ScaleProps.h"

#include <cmath>

TScaleProps::TScaleProps(QObject* owner) : QObject(owner), dateFormat(new TDTLabel(this)) {
    dateFormat->SetOwnerDefaults();
    dateFormat->OnChange = [this](QObject*) { changed(); };
    // An axis starts with its caption at the anchor, the range 0..1 and no scale shown.
    settings.SetCaptionPosX(0);
    settings.SetCaptionPosY(0);
    settings.StoreRange(0.0, 1.0);
    settings.SetVisible(false);
}

void TScaleProps::SetCaption(const QString& value) {
    settings.SetCaption(value);
    changed();
}

void TScaleProps::SetCaptionPosX(int value) {
    settings.SetCaptionPosX(value);
    changed();
}

void TScaleProps::SetCaptionPosY(int value) {
    settings.SetCaptionPosY(value);
    changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value) {
    settings.SetCaptionAlignment(value);
    changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value) {
    settings.SetCaptionAnchor(value);
    changed();
}

void TScaleProps::SetColorScale(TColor value) {
    settings.SetColorScale(value);
    changed();
}

void TScaleProps::SetDateFormat(TDTLabel* value) {
    if (value != nullptr && value != dateFormat) {
        dateFormat->Assign(*value);
    }
}

void TScaleProps::SetDecPlaces(int value) {
    settings.SetDecPlaces(value);
    changed();
}

void TScaleProps::SetFont(const QFont& value) {
    font = value;
    changed();
}

void TScaleProps::SetLogarithmic(bool value) {
    settings.SetLogarithmic(value, Loading);
    changed();
}

void TScaleProps::SetLabelType(TFigType value) {
    settings.SetLabelType(value);
    changed();
}

void TScaleProps::SetMinTicks(int value) {
    settings.SetMinTicks(value);
    changed();
}

void TScaleProps::SetMinRange(double value) {
    // A non-finite width would poison every later range; it is ignored like a tiny one.
    if (!(value > MinLogValue) || !std::isfinite(value)) {
        return;
    }
    minRange = value;
    if (settings.WidenTo(value)) {
        changed();
    }
}

void TScaleProps::SetRangeLow(double value) {
    if (std::isnan(value)) {
        return; // not even a change to tell
    }
    settings.SetRangeLowWithin(value, minRange);
    changed();
}

void TScaleProps::SetRangeHigh(double value) {
    if (std::isnan(value)) {
        return; // not even a change to tell
    }
    settings.SetRangeHighWithin(value, minRange);
    changed();
}

void TScaleProps::SetShortTicks(bool value) {
    settings.SetShortTicks(value);
    changed();
}

void TScaleProps::SetScaleInscript(const QString& value) {
    settings.SetScaleInscript(value);
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
    settings.SetUserTickText(value);
    changed();
}

void TScaleProps::SetVisible(bool value) {
    settings.SetVisible(value);
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
