#pragma once
// Draws a chart's picture onto a Canvas without the widget: the outer area with shadow and
// caption, the data area's background, grid, items and text labels, its frame, and the
// cross-hairs, all placed through the chart's world-to-pixel map.

#include "chart/ChartTransform.h"
#include "chart/ChartTypes.h"
#include "chart/DisplayList.h"
#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"

#include <QFont>
#include <QString>

#include <array>
#include <span>

class Canvas;
class QImage;
class TBakGndImg;
class TCrossHair;
class TLayerAxes;
class TTextLabel;

// The chart's looks that its picture shows.
struct TChartStyle {
    TColor ChartFrameColor = clBlack;
    TColor ChartColor = clWhite;
    TColor WindColor = clBtnFace;
    TColor GridColor = clBlack;
    GridStyleType GridStyle = gsNone;
    double GridDx = 0.0;
    double GridDy = 0.0;
    int LineWidth = 1;
    QString Caption;
    int CaptionPosX = 0;
    int CaptionPosY = -15;
    TAlignment CaptionAlignment = taRightJustify;
    TCaptionAnchorHoriz CaptionAnchorHoriz = cahChartRight;
    TCaptionAnchorVert CaptionAnchorVert = cavChartTop;
    TShadowStyle ShadowStyle = ssFlying;
    TColor ShadowColor = clGrayText;
    TColor ShadowBakColor = clBtnFace;

    bool operator==(const TChartStyle&) const = default;
};

// Everything a picture is drawn from, as the chart holds it at the moment of drawing.
struct TChartScene {
    const TChartGeometry& Geometry;
    const TChartTransform& Transform;
    const TChartStyle& Style;
    const TDisplayList& Items;
    const TLayerAxes& Axes;
    const TBakGndImg& Background;
    std::span<TCrossHair* const> CrossHairs;
    std::span<TTextLabel* const> TextLabels;
    const std::array<bool, MaxLayers>& LayerVisible;
    const std::array<bool, 256>& ClassVisible;
    int ActiveLayer = 1;
    QFont CaptionFont;
    TColor CaptionTextColor = clBlack;
};

class TChartRenderer {
public:
    explicit TChartRenderer(const TChartScene& drawn) : scene(drawn) {}

    // The whole control's picture around the data area: background, shadow and caption.
    void DrawOuterArea(Canvas& c) const;
    // The data area's background: a picture, or the chart colour with the background
    // image's area mode. False when the named picture cannot be loaded (the plain background
    // is drawn then).
    bool DrawChartBackground(Canvas& c, int ox, int oy) const;
    // Grid (unless `noGrid`), the display list's visible items and the text labels, with the
    // data area's top left corner at (ox, oy).
    void DrawData(Canvas& c, int ox, int oy, bool monochrome, bool noGrid) const;
    // The frame round the data area.
    void DrawDataFrame(Canvas& c, int ox, int oy) const;
    // The cross-hairs that are on, into `bitmap` whose top left is control pixel (ox, oy).
    void DrawCrossHairs(QImage& bitmap, int ox, int oy) const;

private:
    void worldToPixel(int layer, double x, double y, int& px, int& py) const;
    bool layerVisible(int layer) const;
    bool classVisible(int colorClass) const;
    void drawGrid(Canvas& c, int ox, int oy) const;
    void drawItem(Canvas& c, const TDrawItem& item, int ox, int oy, bool monochrome) const;
    void drawTextLabel(Canvas& c, const TTextLabel& label, int ox, int oy) const;

    const TChartScene scene;
};
