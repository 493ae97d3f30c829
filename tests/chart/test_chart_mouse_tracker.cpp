// The chart's mouse decisions without a widget: panning and zoom-dragging from the range a
// drag started with, the zoom limits, and the rubber band's corners, squares and ranges.

#include "chart/ChartMouseTracker.h"

#include <gtest/gtest.h>

namespace {

using TRange = TChartMouseTracker::TRange;
using TDragStep = TChartMouseTracker::TDragStep;

// The lesson histogram's geometry: data area x 50..470, y 6..250 (420 x 244 pixels).
TChartGeometry histogram() {
    TChartGeometry g;
    g.Width = 478;
    g.Height = 290;
    g.MarginLeft = 50;
    g.MarginRight = 8;
    g.MarginTop = 6;
    g.MarginBottom = 40;
    return g;
}

// Layer 1 from x 0..42 and y 0..24.4; a drag started at (200, 100).
void startDrag(TChartMouseTracker& t, TMouseActMode mode) {
    t.SetAction(mode);
    std::array<TRange, MaxLayers> ranges{};
    ranges[0] = {.XLo = 0, .YLo = 0, .XHi = 42, .YHi = 24.4};
    t.Drag(200, 100, false); // a drag before ends
    ASSERT_EQ(t.Drag(200, 100, true), TDragStep::Start);
    t.StartDrag(200, 100, ranges);
}

} // namespace

TEST(ChartMouseTracker, DragStepsFollowTheLeftButtonAndTheDataArea) {
    const TChartGeometry g = histogram();
    TChartMouseTracker t(g);
    t.SetAction(maPan);
    EXPECT_EQ(t.Drag(200, 100, false), TDragStep::None);
    EXPECT_EQ(t.Drag(200, 100, true), TDragStep::Start);
    t.StartDrag(200, 100, {});
    EXPECT_EQ(t.Drag(210, 100, true), TDragStep::PanOrZoom);
    EXPECT_EQ(t.Drag(20, 100, true), TDragStep::None); // in the margin: nothing moves
    EXPECT_EQ(t.Drag(470, 250, true), TDragStep::PanOrZoom); // the frame counts as inside
    EXPECT_EQ(t.Drag(230, 100, false), TDragStep::None);       // released: the drag ends
    EXPECT_EQ(t.Drag(240, 100, true), TDragStep::Start);
    t.SetAction(maDragLabel);
    t.StartDrag(240, 100, {});
    EXPECT_EQ(t.Drag(20, 100, true), TDragStep::MoveObject); // objects go anywhere
    t.SetAction(maRubberBand);
    EXPECT_EQ(t.Drag(30, 100, true), TDragStep::None);
}

TEST(ChartMouseTracker, PanningMovesTheStartRangeAgainstThePointer) {
    const TChartGeometry g = histogram();
    TChartMouseTracker t(g);
    startDrag(t, maPan);
    // 42 pixels right and 24 down: a tenth of the area's width, 24/244 of its height.
    TRange r = t.DraggedRange(1, 242, 124, false, false, false);
    EXPECT_NEAR(r.XLo, -4.2, 1e-9);
    EXPECT_NEAR(r.XHi, 37.8, 1e-9);
    EXPECT_NEAR(r.YLo, 2.4, 1e-9);
    EXPECT_NEAR(r.YHi, 26.8, 1e-9);
    // Measured from where the drag started, not from the last move.
    r = t.DraggedRange(1, 242, 100, false, false, false);
    EXPECT_NEAR(r.XLo, -4.2, 1e-9);
    EXPECT_NEAR(r.YLo, 0, 1e-9);

    startDrag(t, maPanHoriz);
    r = t.DraggedRange(1, 242, 150, false, false, false);
    EXPECT_NEAR(r.XLo, -4.2, 1e-9);
    EXPECT_EQ(r.YLo, 0);
    EXPECT_EQ(r.YHi, 24.4);
    startDrag(t, maPanVert);
    r = t.DraggedRange(1, 300, 100, false, false, false);
    EXPECT_EQ(r.XLo, 0);
    EXPECT_EQ(r.XHi, 42);

    // A logarithmic axis moves by a factor: 1..1000 panned a third of the area right.
    t.SetAction(maPan);
    std::array<TRange, MaxLayers> logRanges{};
    logRanges[0] = {.XLo = 1, .YLo = 0, .XHi = 1000, .YHi = 1};
    t.StartDrag(200, 100, logRanges);
    r = t.DraggedRange(1, 340, 100, true, false, false);
    EXPECT_NEAR(r.XLo, 0.1, 1e-12);
    EXPECT_NEAR(r.XHi, 100, 1e-9);
}

TEST(ChartMouseTracker, ZoomDraggingScalesAboutTheCentreAndTheLimitsHold) {
    const TChartGeometry g = histogram();
    TChartMouseTracker t(g);
    startDrag(t, maZoomDrag);
    // 239 pixels right is half the control's width: half the x range about its centre.
    TRange r = t.DraggedRange(1, 439, 100, false, false, false);
    EXPECT_NEAR(r.XLo, 10.5, 1e-9);
    EXPECT_NEAR(r.XHi, 31.5, 1e-9);
    EXPECT_NEAR(r.YLo, 0, 1e-9); // no vertical move: y stays
    r = t.DraggedRange(1, 439, 100, false, false, true);
    EXPECT_NEAR(r.YLo, 6.1, 1e-9); // isometric: y scaled by the x factor
    EXPECT_NEAR(r.YHi, 18.3, 1e-9);

    // Zooming out past the limits cuts the range at them.
    t.SetZoomLimits(-5, -1, 45, 30);
    r = t.DraggedRange(1, -39, 100, false, false, false); // x range 1.5 times as wide
    EXPECT_EQ(r.XLo, -5);
    EXPECT_EQ(r.XHi, 45);

    // Panning past a limit stops there with the range's width kept.
    startDrag(t, maPan);
    t.SetZoomLimits(-2, -100, 100, 100);
    r = t.DraggedRange(1, 300, 100, false, false, false); // 10 units left
    EXPECT_EQ(r.XLo, -2);
    EXPECT_NEAR(r.XHi, 40, 1e-9);
    r = t.DraggedRange(1, 0, 100, false, false, false); // 20 units right, within 100
    EXPECT_NEAR(r.XLo, 20, 1e-9);
    EXPECT_NEAR(r.XHi, 62, 1e-9);

    // All limits 0: none at all.
    t.SetZoomLimits(0, 0, 0, 0);
    r = t.DraggedRange(1, 300, 100, false, false, false);
    EXPECT_NEAR(r.XLo, -10, 1e-9);
}

TEST(ChartMouseTracker, TheBandCoversBothCornersWithinTheDataArea) {
    const TChartGeometry g = histogram();
    TChartMouseTracker t(g);
    t.SetAction(maRubberBand);
    t.StartBand(20, 100, true); // in the margin: no band
    EXPECT_FALSE(t.BandActive());
    t.StartBand(250, 100, false); // not the left button
    EXPECT_FALSE(t.BandActive());
    t.StartBand(250, 100, true);
    ASSERT_TRUE(t.BandActive());

    auto move = t.MoveBand(150, 150, false);
    ASSERT_TRUE(move.has_value());
    EXPECT_FALSE(move->Erase.has_value()); // nothing drawn yet
    // Dragged right to left and downwards: both corner pixels belong to the band.
    const TChartMouseTracker::TBandRect r = TChartMouseTracker::Normalized(move->Draw);
    EXPECT_EQ(r.Left, 150);
    EXPECT_EQ(r.Right, 250);
    EXPECT_EQ(r.Top, 100);
    EXPECT_EQ(r.Bottom, 150);

    move = t.MoveBand(600, -40, false); // outside: the corner stays on the frame
    ASSERT_TRUE(move->Erase.has_value());
    EXPECT_EQ(move->Erase->Moving, (TChartMouseTracker::TPixel{150, 150})); // the old one goes
    EXPECT_EQ(move->Draw.Moving, (TChartMouseTracker::TPixel{470, 6}));

    // Isometric: a square, on the side of the pointer.
    move = t.MoveBand(300, 120, true);
    EXPECT_EQ(move->Draw.Moving, (TChartMouseTracker::TPixel{300, 150}));
    move = t.MoveBand(300, 80, true);
    EXPECT_EQ(move->Draw.Moving, (TChartMouseTracker::TPixel{300, 50}));

    // The right button cancels and takes the drawn band away.
    TChartMouseTracker::TBandEnd end = t.EndBand(true);
    EXPECT_FALSE(end.Use);
    ASSERT_TRUE(end.Erase.has_value());
    EXPECT_FALSE(t.BandActive());
    EXPECT_FALSE(t.MoveBand(200, 200, false).has_value());

    // A band of no height is not used.
    t.StartBand(250, 100, true);
    t.MoveBand(300, 100, false);
    end = t.EndBand(false);
    EXPECT_FALSE(end.Use);
    t.StartBand(250, 100, true);
    t.MoveBand(300, 130, false);
    EXPECT_TRUE(t.EndBand(false).Use);
}

TEST(ChartMouseTracker, BandRangesKeepOrTurnTheAxesDirections) {
    const TChartGeometry g = histogram();
    TChartTransform transform;
    transform.Recalc(g, 1, {0, 42, false}, {0, 24.4, false});
    TChartMouseTracker t(g);
    // Drawn from (250, 100) to (150, 150): x 20 -> 10, y 15 -> 10.
    auto band = [&](TMouseActMode mode) {
        t.SetAction(mode);
        t.StartBand(250, 100, true);
        t.MoveBand(150, 150, false);
        EXPECT_TRUE(t.EndBand(false).Use);
    };
    band(maRubberBand);
    TRange r = t.BandRange(1, transform, true, true, false);
    EXPECT_NEAR(r.XLo, 10, 1e-9);
    EXPECT_NEAR(r.XHi, 20, 1e-9);
    EXPECT_NEAR(r.YLo, 10, 1e-9);
    EXPECT_NEAR(r.YHi, 15, 1e-9);
    r = t.BandRange(1, transform, false, true, false); // a falling x axis stays falling
    EXPECT_NEAR(r.XLo, 20, 1e-9);
    EXPECT_NEAR(r.XHi, 10, 1e-9);

    band(maZoomWind); // a zoom window takes the corners as drawn
    r = t.BandRange(1, transform, true, true, false);
    EXPECT_NEAR(r.XLo, 20, 1e-9);
    EXPECT_NEAR(r.XHi, 10, 1e-9);
    EXPECT_NEAR(r.YLo, 15, 1e-9);

    band(maZoomWindPos);
    r = t.BandRange(1, transform, true, true, true); // isometric: y as tall as x is wide
    EXPECT_NEAR(r.XHi - r.XLo, 10, 1e-9);
    EXPECT_NEAR(r.YHi - r.YLo, 10.0 * 245 / 421, 1e-9);
    EXPECT_NEAR((r.YLo + r.YHi) / 2, 12.5, 1e-9);
}

TEST(ChartMouseTracker, PicksTheNearestShownCrossHairLineAndLabel) {
    const TChartGeometry g = histogram();
    TChartMouseTracker t(g);
    // Hair 1 vertical at x 100; hair 2 horizontal at y 105 (x far away); 3 off; 4 both.
    t.PickCrossHair(110, 100, {{{100, 0, chVert}, {900, 105, chHoriz}, {110, 100, chOff},
                                {400, 400, chBoth}}});
    EXPECT_EQ(t.DraggedCrossHair(), 2);
    t.PickCrossHair(101, 300, {{{100, 0, chVert}, {900, 105, chHoriz}, {110, 100, chOff},
                                {400, 400, chBoth}}});
    EXPECT_EQ(t.DraggedCrossHair(), 1);
    t.PickCrossHair(0, 0, {{{0, 0, chOff}, {0, 0, chOff}, {0, 0, chOff}, {0, 0, chOff}}});
    EXPECT_EQ(t.DraggedCrossHair(), 1); // none shown: the first

    t.PickLabel(100, 100, {{3, 120, 100}, {7, 100, 115}, {9, 2147483647, -2147483647}});
    EXPECT_EQ(t.DraggedLabel(), 7);
    t.PickLabel(100, 100, {});
    EXPECT_EQ(t.DraggedLabel(), 0);
}
