#pragma once
// TScale, the axis scale control: a base line, long and short ticks at well-chosen values, a
// label at each long tick and a caption. It stands on a window of its own, or works as the
// engine of a chart's axes, painting into the chart's image at an offset. The control keeps
// the window duties; its settings, tick plan, map and drawing are the scale chain's parts.

#include "chart/ChartEvents.h"
#include "chart/ChartTypes.h"
#include "chart/DTLabel.h"
#include "chart/ScaleMap.h"
#include "chart/ScalePainter.h"
#include "chart/ScaleSettings.h"
#include "chart/ScaleTicks.h"
#include "chart/TimeScaleTicks.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"

#include <cstdint>
#include "platform/Loadable.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <array>

class Canvas;

class TScale : public QWidget, public ILoadable {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int CaptionPosX READ CaptionPosX WRITE SetCaptionPosX)
    Q_PROPERTY(int CaptionPosY READ CaptionPosY WRITE SetCaptionPosY)
    Q_PROPERTY(TAlignment CaptionAlignment READ CaptionAlignment WRITE SetCaptionAlignment)
    Q_PROPERTY(TScaleUnitAnchor CaptionAnchor READ CaptionAnchor WRITE SetCaptionAnchor)
    Q_PROPERTY(TColor ColorBackGnd READ ColorBackGnd WRITE SetColorBackGnd)
    Q_PROPERTY(TColor ColorScale READ ColorScale WRITE SetColorScale)
    Q_PROPERTY(TColorScheme ColorScheme READ ColorScheme WRITE SetColorScheme)
    Q_PROPERTY(TDTLabel* DateFormat READ DateFormat WRITE SetDateFormat)
    Q_PROPERTY(int DecPlaces READ DecPlaces WRITE SetDecPlaces)
    Q_PROPERTY(QFont Font READ Font WRITE SetFont)
    Q_PROPERTY(TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(TFigType LabelType READ LabelType WRITE SetLabelType)
    Q_PROPERTY(bool Logarithmic READ Logarithmic WRITE SetLogarithmic)
    Q_PROPERTY(int MarginTop READ MarginTop WRITE SetMarginTop)
    Q_PROPERTY(int MarginBottom READ MarginBottom WRITE SetMarginBottom)
    Q_PROPERTY(int MarginLeft READ MarginLeft WRITE SetMarginLeft)
    Q_PROPERTY(int MarginRight READ MarginRight WRITE SetMarginRight)
    Q_PROPERTY(int MinTicks READ MinTicks WRITE SetMinTicks)
    Q_PROPERTY(int NumTicks READ NumTicks)
    Q_PROPERTY(double RangeLow READ RangeLow WRITE SetRangeLow)
    Q_PROPERTY(double RangeHigh READ RangeHigh WRITE SetRangeHigh)
    Q_PROPERTY(bool ShortTicks READ ShortTicks WRITE SetShortTicks)
    Q_PROPERTY(bool ShowBaseLine READ ShowBaseLine WRITE SetShowBaseLine)
    Q_PROPERTY(QString ScaleInscript READ ScaleInscript WRITE SetScaleInscript)
    Q_PROPERTY(TScaleType ScaleType READ ScaleType WRITE SetScaleType)
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)
    Q_PROPERTY(QString UserTickText READ UserTickText WRITE SetUserTickText)
    Q_PROPERTY(bool Visible READ Visible WRITE SetVisible)

public:
    explicit TScale(QWidget* owner = nullptr);
    ~TScale() override;

    // The layout is complete: compute the transform, stop loading, paint.
    void Loaded() override;

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
    TColor ColorBackGnd() const { return colorBackGnd; }
    void SetColorBackGnd(TColor value);
    TColor ColorScale() const { return settings.ColorScale(); }
    void SetColorScale(TColor value);
    TColorScheme ColorScheme() const { return colorScheme; }
    void SetColorScheme(TColorScheme value);
    TDTLabel* DateFormat() const { return dateFormat; }
    void SetDateFormat(TDTLabel* value);
    int DecPlaces() const { return settings.DecPlaces(); }
    void SetDecPlaces(int value);
    QFont Font() const { return font(); }
    void SetFont(const QFont& value);
    TFrameStyle FrameStyle() const { return frameStyle; }
    void SetFrameStyle(TFrameStyle value);
    TFigType LabelType() const { return settings.LabelType(); }
    void SetLabelType(TFigType value);
    bool Logarithmic() const { return settings.Logarithmic(); }
    void SetLogarithmic(bool value);
    int MarginTop() const { return marginTop; }
    void SetMarginTop(int value);
    int MarginBottom() const { return marginBottom; }
    void SetMarginBottom(int value);
    int MarginLeft() const { return marginLeft; }
    void SetMarginLeft(int value);
    int MarginRight() const { return marginRight; }
    void SetMarginRight(int value);
    int MinTicks() const { return settings.MinTicks(); }
    // 0 stays 0; other values are limited to 2..10.
    void SetMinTicks(int value);
    int NumTicks() const { return numTicks; }
    // Counts the changes that alter what the scale draws; a picture holding the scale is
    // current while the count stands.
    std::uint64_t DrawGeneration() const { return drawGeneration; }
    double RangeLow() const { return settings.RangeLow(); }
    // When it meets RangeHigh, RangeHigh moves one above it.
    void SetRangeLow(double value);
    double RangeHigh() const { return settings.RangeHigh(); }
    // When it meets RangeLow, RangeLow moves one above it: the scale then runs downward.
    void SetRangeHigh(double value);
    bool ShortTicks() const { return settings.ShortTicks(); }
    void SetShortTicks(bool value);
    bool ShowBaseLine() const { return showBaseLine; }
    void SetShowBaseLine(bool value);
    QString ScaleInscript() const { return settings.ScaleInscript(); }
    void SetScaleInscript(const QString& value);
    TScaleType ScaleType() const { return scaleType; }
    void SetScaleType(TScaleType value);
    bool Transparent() const { return transparent; }
    void SetTransparent(bool value);
    QString UserTickText() const { return settings.UserTickText(); }
    void SetUserTickText(const QString& value);
    bool Visible() const { return settings.Visible(); }
    void SetVisible(bool value);

    // The transform: a value v lies at pixel Factor * v + Offset along the scale (of ln v on
    // a logarithmic scale).
    double Factor() const { return map.Factor(); }
    double Offset() const { return map.Offset(); }
    void CalcScaleFactors();
    int ValueToPixel(double value) const;
    // Entry index (1..NumTicks) of the tick list; 0 for any other index.
    double TickValue(int index) const;

    TColor ShadowColor() const { return shadowColor; }
    TColor HighlightColor() const { return highlightColor; }

    // Paints into `target` at (left, top) instead of the scale's own window; null restores
    // the own window. The target must outlive its use.
    void SetPaintTarget(Canvas* target, int left, int top);
    bool PaintSuspended() const { return paintSuspended; }
    void SetPaintSuspended(bool value);
    bool Embedded() const { return embedded; }
    // A chart's own scale: not read from any layout, painted only through ForcePaint.
    void SetEmbedded(bool value);
    // Paints once, even while painting is suspended or the layout is loading.
    void ForcePaint();

    // Accepts Logarithmic without checks while set; a chart's scales keep it set.
    bool Loading = true;

    // The settings an axis hands over, all at once. They pass the scale's own rules as its
    // setters would: the range end by end (the transform recomputed after each end, so a
    // logarithmic range a logarithm cannot take keeps the transform those steps left), no
    // logarithm under date labels, the limited tick count.
    const TScaleSettings& Settings() const { return settings; }
    void SetSettings(const TScaleSettings& value);

    // Copies the scale's settings, transform, ticks, paint target and suspension from another.
    void Assign(const TScale& source);

    // What the scale's own window shows: the last painted picture.
    const QImage& WindowImage() const { return windowImage; }

    TScaleTickDrawnEvent OnScaleTickDrawn;
    TScaleRenderedEvent OnBeforeScaleRendered;
    TScaleRenderedEvent OnAfterScaleRendered;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    bool horizontal() const { return scaleType == sctXB || scaleType == sctXT; }
    void recalcAndRepaint();
    void requestRepaint();
    QImage picture(QImage::Format format, qreal ratio) const;
    void paintScale(bool fromPaintEvent = false);
    // Draws ticks, labels, caption and base line with the base line across the scale at
    // `offsetAcross` (the target's top for horizontal scales, its left for vertical ones).
    void drawScale(Canvas& c, int offsetAcross);
    TScalePainter::TFrame frame() const;
    // The ticks of one paint, or the message drawn in their place.
    TDateTimePlan planTicks() const;
    TScaleMap currentMap() const;

    // What an axis hands over; the rest below is the control's own.
    TScaleSettings settings;
    TColor colorBackGnd = clBtnFace;
    TColorScheme colorScheme = csBWG;
    TDTLabel* dateFormat;
    TFrameStyle frameStyle = fsLowered;
    int marginTop = 20;
    int marginBottom = 20;
    int marginLeft = 20;
    int marginRight = 20;
    int numTicks = 0;
    bool showBaseLine = true;
    TScaleType scaleType = sctXB;
    bool transparent = false;

    TScaleMap map{1.0, 0.0};
    TColor darkColor = clBlack;
    TColor shadowColor = clGray;
    TColor highlightColor = clWhite;
    std::array<double, TickListCapacity> tickList{};
    Canvas* paintTarget = nullptr;
    int targetLeft = 0;
    int targetTop = 0;
    bool paintSuspended = true;
    std::uint64_t drawGeneration = 0;
    bool embedded = false;
    bool readingLayout = true;
    QImage windowImage;
};
