#pragma once
// TScaleSettings, the settings an axis hands to the scale that draws it (range, labels, caption
// and looks) with their rules written once: the chart's axis settings and the scale control
// each hold one and apply the rules that belong to them.

#include "chart/ChartTypes.h"
#include "chart/ScaleTicks.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"

#include <QString>

class TScaleSettings {
public:
    QString Caption() const { return caption; }
    void SetCaption(const QString& value) { caption = value; }
    int CaptionPosX() const { return captionPosX; }
    void SetCaptionPosX(int value) { captionPosX = value; }
    int CaptionPosY() const { return captionPosY; }
    void SetCaptionPosY(int value) { captionPosY = value; }
    TAlignment CaptionAlignment() const { return captionAlignment; }
    void SetCaptionAlignment(TAlignment value) { captionAlignment = value; }
    TScaleUnitAnchor CaptionAnchor() const { return captionAnchor; }
    void SetCaptionAnchor(TScaleUnitAnchor value) { captionAnchor = value; }
    TColor ColorScale() const { return colorScale; }
    void SetColorScale(TColor value) { colorScale = value; }

    int DecPlaces() const { return decPlaces; }
    // Clamped to -3..12.
    void SetDecPlaces(int value);
    TFigType LabelType() const { return labelType; }
    // Date labels are never logarithmic; clock labels get four decimals.
    void SetLabelType(TFigType value);
    bool Logarithmic() const { return logarithmic; }
    // True is refused unless `unchecked` (while a layout is read) or both range ends are at
    // least 1e-100 and the labels are not dates; false is always taken.
    void SetLogarithmic(bool value, bool unchecked);
    int MinTicks() const { return minTicks; }
    void SetMinTicks(int value) { minTicks = value; }
    // The scale control's limit: 0 (a tick at every integer) stays 0, others go to 2..10.
    static int LimitedMinTicks(int value);

    double RangeLow() const { return rangeLow; }
    double RangeHigh() const { return rangeHigh; }
    // Both ends as given, no rule applied.
    void StoreRange(double low, double high) {
        rangeLow = low;
        rangeHigh = high;
    }
    // The scale control's rule: an end set onto the other moves that other end one above it
    // (for RangeHigh the scale then runs downward).
    void SetRangeLow(double value);
    void SetRangeHigh(double value);
    // The axis rule: NaN is ignored; an end closer than `minRange` to the other sets that
    // other end `minRange` away, keeping low below high; otherwise a logarithmic axis refuses
    // an end below 1e-100.
    void SetRangeLowWithin(double value, double minRange);
    void SetRangeHighWithin(double value, double minRange);
    // A range narrower than `minRange` grows to it around its middle; whether it grew.
    bool WidenTo(double minRange);

    bool ShortTicks() const { return shortTicks; }
    void SetShortTicks(bool value) { shortTicks = value; }
    QString ScaleInscript() const { return scaleInscript; }
    void SetScaleInscript(const QString& value) { scaleInscript = value; }
    QString UserTickText() const { return userTickText; }
    void SetUserTickText(const QString& value) { userTickText = value; }
    bool Visible() const { return visible; }
    void SetVisible(bool value) { visible = value; }

    // What tick choice reads (texts in UTF-8).
    TScaleTickSettings TickSettings() const;

private:
    // The scale control's defaults; an axis starts from its own (see TScaleProps).
    QString caption;
    int captionPosX = 4;
    int captionPosY = 4;
    TAlignment captionAlignment = taCenter;
    TScaleUnitAnchor captionAnchor = uaSclTopLft;
    TColor colorScale = clBlack;
    int decPlaces = -2;
    TFigType labelType = ftNum;
    bool logarithmic = false;
    int minTicks = 3;
    double rangeLow = 0.0;
    double rangeHigh = 100.0;
    bool shortTicks = true;
    QString scaleInscript;
    QString userTickText;
    bool visible = true;
};
