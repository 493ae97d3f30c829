#pragma once
// What the mouse does to a chart, kept apart from the widget: a drag that pans or zoom-drags
// the layers' ranges from where it started, the rubber band or zoom window between two corner
// pixels, and which cross-hair or text label a drag takes. Pixels in, ranges and decisions out.

#include "chart/ChartTransform.h"
#include "chart/ChartTypes.h"

#include <array>
#include <optional>
#include <vector>

class TChartMouseTracker {
public:
    struct TPixel {
        int X = 0;
        int Y = 0;
        bool operator==(const TPixel&) const = default;
    };
    // A layer's world range, as SetRange takes it.
    struct TRange {
        double XLo = 0, YLo = 0, XHi = 0, YHi = 0;
    };
    // The two corners of a rubber band or zoom window: where it was pressed, where it is now.
    struct TBand {
        TPixel Fixed;
        TPixel Moving;
    };
    // The pixels a band covers, both corners included: Left..Right, Top..Bottom.
    struct TBandRect {
        int Left = 0, Top = 0, Right = 0, Bottom = 0;
    };
    // A move of a band: the band drawn before (if one was) goes, the new one is drawn.
    struct TBandMove {
        std::optional<TBand> Erase;
        TBand Draw;
    };
    // The end of a band: the band to take away (if one was drawn) and whether its ranges
    // are to be used (not cancelled, not of zero width or height).
    struct TBandEnd {
        std::optional<TBand> Erase;
        bool Use = false;
    };
    enum class TDragStep { None, Start, MoveObject, PanOrZoom };
    // Where a cross-hair stands in pixels and which of its lines are shown.
    struct TCrossHairSpot {
        int X = 0;
        int Y = 0;
        TCrossHMode Mode = chOff;
    };
    // Where a text label's anchor stands in pixels; Index is its number (1..30).
    struct TLabelSpot {
        int Index = 0;
        int X = 0;
        int Y = 0;
    };

    // `geometry` is the chart's and outlives the tracker.
    explicit TChartMouseTracker(const TChartGeometry& geometry);

    TMouseActMode Action() const { return action; }
    void SetAction(TMouseActMode value) { action = value; }
    // Outer bounds for ranges set by panning and zoom-dragging; all 0 means no limits.
    void SetZoomLimits(double xLo, double yLo, double xHi, double yHi);
    // The layers the mouse pans and zooms (layer 1 alone at first).
    bool MouseLayer(int layer) const;
    void SetMouseLayer(int layer, bool value);

    // The cursor a move shows: the chart's registered cursors are numbered 1..4.
    enum class TCursor { Keep = -1, Arrow = -2, Cross = -3, Hand = 1, ZoomWindow = 2, ZoomDrag = 3,
                         ZoomWindowPos = 4 };
    // Outside the data area, or with a fixed cursor, the arrow; inside, the mode's cursor.
    TCursor Cursor(bool inside, bool cursorFixed) const;

    // On the frame of the data area counts as inside.
    bool InDataArea(int x, int y) const;
    void NoteMouse(int x, int y) { lastMouse = {x, y}; }
    TPixel LastMouse() const { return lastMouse; }

    // A move in one of the drag modes: without the left button a drag ends; with it the first
    // move starts one, later ones move the dragged object or (inside the data area) pan or zoom.
    TDragStep Drag(int x, int y, bool leftHeld);
    // Starts a drag at (x, y) from the layers' current ranges (index 0 is layer 1).
    void StartDrag(int x, int y, const std::array<TRange, MaxLayers>& ranges);
    // Takes the cross-hair (1..4) whose shown line lies nearest to (x, y); the first on a tie.
    void PickCrossHair(int x, int y, const std::array<TCrossHairSpot, 4>& spots);
    // Takes the nearest of the given labels, or none (0).
    void PickLabel(int x, int y, const std::vector<TLabelSpot>& spots);
    int DraggedCrossHair() const { return draggedCrossHair; }
    int DraggedLabel() const { return draggedLabel; }
    // The range of a layer with the pointer at (x, y): its range at the start of the drag moved
    // with the pointer (the data follows it) or, zoom-dragging, scaled about its centre; kept
    // within the zoom limits.
    TRange DraggedRange(int layer, int x, int y, bool xLog, bool yLog, bool isometric) const;

    // A press of a button; only a left press can become a click.
    void Press(bool left) { pressedHere = left; }
    // Starts a band at (x, y) in the band modes with the left button inside the data area.
    void StartBand(int x, int y, bool left);
    bool BandActive() const { return bandActive; }
    TBand Band() const { return band; }
    // A move while a band is open: the corner follows the pointer within the data area (on an
    // isometric chart it makes a square).
    std::optional<TBandMove> MoveBand(int x, int y, bool isometric);
    static TBandRect Normalized(const TBand& band);
    // A release: whether it completes a click of the left button pressed here.
    bool Release(bool left, bool insideControl);
    TBandEnd EndBand(bool cancel);
    // The world rectangle of the band on a layer. Zoom windows drawn from right to left turn
    // the axis round; a rubber band or a positioned zoom window keeps the axes' directions.
    TRange BandRange(int layer, const TChartTransform& transform, bool xUp, bool yUp,
                     bool isometric) const;

private:
    const TChartGeometry& geometry;
    TMouseActMode action = maNone;
    std::array<double, 4> zoomLimits{};
    std::array<bool, MaxLayers> mouseLayers{};

    TPixel lastMouse;
    bool dragActive = false;
    TPixel dragStart;
    std::array<TRange, MaxLayers> savedRanges{};
    int draggedCrossHair = 1;
    int draggedLabel = 0;

    bool pressedHere = false;
    bool bandActive = false;
    bool bandDrawn = false;
    TBand band;
};
