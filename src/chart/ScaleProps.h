#pragma once
// TScaleProps, the settings of one axis of one chart layer: range, scale type, labels and
// looks. A chart holds a TScalePropsHoriz for every layer's x axis and a TScalePropsVert for
// every y axis, and copies them into the scale controls that draw them. What a scale takes
// over is one TScaleSettings value; the narrowest range, the distance from the data area, the
// side, the font and the date format are the axis' own.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"
#include "chart/DTLabel.h"
#include "chart/ScaleSettings.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"
#include "platform/Translatable.h"

#include <QFont>
#include <QObject>
#include <QString>

class TScaleProps : public QObject, public ITranslatable {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
    Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
    Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE SetCaptionAnchor)
    Q_PROPERTY(TColor ColorScale READ ColorScale WRITE SetColorScale)
    Q_PROPERTY(TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(TFigType LabelType READ LabelType WRITE SetLabelType)
    Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
    Q_PROPERTY(double MinRange READ MinRange WRITE SetMinRange)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
    Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript)
    Q_PROPERTY(int ScalePos READ ScalePos WRITE SetScalePos)
    Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TScaleProps(QObject* owner = nullptr);

    QString Caption() const { return settings.Caption(); }
    void SetCaption(const QString& value);
    int CaptionPosX() const { return settings.CaptionPosX(); }
    void SetCaptionPosX(int value);
    int CaptionPosY() const { return settings.CaptionPosY(); }
    void SetCaptionPosY(int value);
    TAlignment CaptionAlignment() const { return settings.CaptionAlignment(); }
    void SetCaptionAlignment(TAlignment value);
    TScaleUnitAnchor CaptionAnchor() const { return settings.CaptionAnchor(); }
    void SetCaptionAnchor(TScaleUnitAnchor value);
    TColor ColorScale() const { return settings.ColorScale(); }
    void SetColorScale(TColor value);
    TDTLabel* DateFormat() const { return dateFormat; }
    // Copies the given format's settings into the owned one.
    void SetDateFormat(TDTLabel* value);
    int DecPlaces() const { return settings.DecPlaces(); }
    // Clamped to -3..12.
    void SetDecPlaces(int value);
    QFont Font() const { return font; }
    void SetFont(const QFont& value);
    bool Logarithmic() const { return settings.Logarithmic(); }
    // True is refused outside loading unless both range ends are at least 1e-100 and the
    // labels are not dates; false is always taken.
    void SetLogarithmic(bool value);
    TFigType LabelType() const { return settings.LabelType(); }
    void SetLabelType(TFigType value);
    int MinTicks() const { return settings.MinTicks(); }
    void SetMinTicks(int value);
    double MinRange() const { return minRange; }
    void SetMinRange(double value);
    double RangeLow() const { return settings.RangeLow(); }
    // NaN is ignored; an end closer than MinRange to the other sets that other end MinRange
    // away; a logarithmic axis refuses an end below 1e-100.
    void SetRangeLow(double value);
    double RangeHigh() const { return settings.RangeHigh(); }
    void SetRangeHigh(double value);
    bool ShortTicks() const { return settings.ShortTicks(); }
    void SetShortTicks(bool value);
    QString ScaleInscript() const { return settings.ScaleInscript(); }
    void SetScaleInscript(const QString& value);
    // The distance of the base line from the data area, kept apart for horizontal and
    // vertical sides; the current ScaleSide picks the slot.
    int ScalePos() const;
    void SetScalePos(int value);
    QString UserTickText() const { return settings.UserTickText(); }
    void SetUserTickText(const QString& value);
    bool Visible() const { return settings.Visible(); }
    void SetVisible(bool value);

    // Writes a range as the chart's range operation does: as given, not swapped, no one told.
    void StoreRange(double low, double high) { settings.StoreRange(low, high); }

    // What the axis hands to the scale that draws it (the font and the date format apart).
    const TScaleSettings& Settings() const { return settings; }

    // Set from construction until the owning chart has loaded its layout.
    bool Loading = true;
    TScaleType ScaleSide() const { return scaleSide; }
    void SetScaleSide(TScaleType value) { scaleSide = value; }

    TNotifyEvent OnChange;

protected:
    void changed() { Fire(OnChange, this); }

private:
    TScaleSettings settings;
    TDTLabel* dateFormat;
    QFont font;
    double minRange = 1e-10;
    int scalePosHoriz = 0;
    int scalePosVert = 0;
    TScaleType scaleSide = sctXB;
};

class TScalePropsHoriz : public TScaleProps {
    Q_OBJECT
    Q_PROPERTY(TScaleLocationHoriz ScaleLocation READ ScaleLocation WRITE SetScaleLocation)

public:
    explicit TScalePropsHoriz(QObject* owner = nullptr);
    TScaleLocationHoriz ScaleLocation() const { return location; }
    // slTop puts the base line at the bottom of the scale (sctXB), slBottom at its top.
    void SetScaleLocation(TScaleLocationHoriz value);

private:
    TScaleLocationHoriz location = slBottom;
};

class TScalePropsVert : public TScaleProps {
    Q_OBJECT
    Q_PROPERTY(TScaleLocationVert ScaleLocation READ ScaleLocation WRITE SetScaleLocation)

public:
    explicit TScalePropsVert(QObject* owner = nullptr);
    TScaleLocationVert ScaleLocation() const { return location; }
    // slLeft puts the base line at the right of the scale (sctYR), slRight at its left.
    void SetScaleLocation(TScaleLocationVert value);

private:
    TScaleLocationVert location = slLeft;
};
