#pragma once
// The axes of a chart's 16 layers: an x and a y axis setting object per layer, each with the
// embedded scale that draws it, children of the chart. It keeps each scale in step with its
// axis and the chart's geometry, and stores ranges with the axes' rules. A scale is made when
// it is first needed (its axis is shown, or it is asked for), in the state it would have had
// from the start: most charts show one or two of their 32 axes.

#include "chart/ChartEvents.h"
#include "chart/ChartTransform.h"
#include "chart/ChartTypes.h"
#include "chart/Scale.h"
#include "chart/ScaleProps.h"
#include "platform/Colors.h"

#include <QSize>

#include <array>
#include <cstdint>
#include <optional>

class Canvas;
class QWidget;
class TJointLayers;

class TLayerAxes {
public:
    // Creates the x and y axes of every layer, in that order per layer, with `owner` as their
    // parent and the parent of the scales to come. Every axis reports a change through
    // `onAxisChange`, every scale a drawn tick through `onTickDrawn`. `geometry` is the
    // chart's and outlives the axes.
    TLayerAxes(QWidget* owner, const TChartGeometry& geometry, const TNotifyEvent& onAxisChange,
               const TScaleTickDrawnEvent& onTickDrawn);
    TLayerAxes(const TLayerAxes&) = delete;
    TLayerAxes& operator=(const TLayerAxes&) = delete;

    // The colour of layer n's axes in the 16-colour table; black outside 1..16.
    static TColor LayerColor(int layer);
    // Changes when any scale's picture changes.
    std::uint64_t DrawGeneration() const;

    // Layers outside 1..16 are clamped. A scale asked for is made if it was not yet.
    TScalePropsHoriz* XAxis(int layer) const;
    TScalePropsVert* YAxis(int layer) const;
    TScale* XScale(int layer) const;
    TScale* YScale(int layer) const;
    // The scales made so far.
    int ScaleCount() const;
    TAxisRange XRange(int layer) const;
    TAxisRange YRange(int layer) const;

    // The scales as the chart draws them: transparent on `background`, without a frame, as
    // large as the chart; each then takes its axis.
    void PrepareScales(TColor background, QSize size);
    void SetScaleBackground(TColor background);
    void ResizeScales(QSize size);
    // The chart's layout is loaded: the scales take their axes, the axes leave loading.
    void EndLoading();
    // The axes report no more changes (the chart is going).
    void Disconnect();

    void CopyAxisToScales(int layer);
    // The scales' margins follow the chart's margins and shadow; each then takes its axis.
    void SetScaleMargins();
    // Paints every x scale, then every y scale, into `c`.
    void PaintScales(Canvas& c);

    // The margins and caption place a standard layout gives the chart (none for a value
    // outside the enumeration).
    struct TLayoutFrame {
        int MarginBottom = 0, MarginTop = 0, MarginLeft = 0, MarginRight = 0;
        int CaptionPosX = 0, CaptionPosY = 0;
        TAlignment CaptionAlignment = taRightJustify;
        TCaptionAnchorHoriz CaptionAnchorHoriz = cahChartRight;
    };
    static std::optional<TLayoutFrame> LayoutFrame(TrcLayout layout);
    // The axes' part of a standard layout, after the chart took its frame: which axes of
    // layers 1..4 are shown, on which side and how far out; the other layers' are hidden.
    void ApplyLayout(TrcLayout layout);

    // Equal range ends are moved apart by the axis' minimum range (a factor 1.1 on a
    // logarithmic axis).
    void WidenEqualBounds(int layer, double& xLo, double& yLo, double& xHi, double& yHi) const;
    // Stores a layer's range where each axis admits it (not narrower than its minimum range,
    // positive ends on a logarithmic axis), then copies the axes to the scales.
    void StoreRange(int layer, double xLo, double yLo, double xHi, double yHi);
    // Stores a range in a layer unless its axes are joined (`joining` lets a just-joined layer
    // take it), then in the layers joined to it.
    void StoreWithJoins(int layer, double xLo, double yLo, double xHi, double yHi,
                        const TJointLayers& joints, bool joining);
    // Gives the layer's y axis the height that shows its x range at the same scale, about
    // the y range's centre.
    void MakeIsometric(int layer, int areaWidthPlusOne);

private:
    // What every scale takes from the chart besides its axis; a scale made late takes it too.
    struct TScaleLook {
        bool Prepared = false; // transparent, without a frame
        TColor Background = clBtnFace;
        std::optional<QSize> Size;
        bool Margins = false; // the margins follow the chart's
    };

    // The scale of an axis, made now if it was not yet.
    TScale* scale(bool x, int layer) const;
    // Makes the scales of the shown axes.
    void makeShownScales() const;
    // Calls `f` with every scale made so far: the x scales, then the y scales, by layer.
    template <typename F> void eachMadeScale(F&& f) const {
        for (const auto* scales : {&xScales, &yScales}) {
            for (TScale* s : *scales) {
                if (s != nullptr) {
                    f(*s);
                }
            }
        }
    }
    void setMargins(bool x, TScale& scale) const;
    void copyAxisToScale(const TScaleProps& axis, TScale& scale) const;
    // The axes in layer order, each layer's x axis before its y axis (0 .. 2 * MaxLayers - 1).
    TScaleProps* axisAt(std::size_t i) const;

    QWidget* owner;
    const TChartGeometry& geometry;
    TScaleTickDrawnEvent onTickDrawn;
    TScaleLook look;
    std::array<TScalePropsHoriz*, MaxLayers> xAxes{};
    std::array<TScalePropsVert*, MaxLayers> yAxes{};
    // Made when first needed; owned by `owner` as its children.
    mutable std::array<TScale*, MaxLayers> xScales{};
    mutable std::array<TScale*, MaxLayers> yScales{};
    // Counts the scales made: a scale made adds to the drawing generation.
    mutable std::uint64_t made = 0;
};
