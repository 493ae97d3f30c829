#include "chart/ChartMouseTracker.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace {

bool bandMode(TMouseActMode m) { return m == maRubberBand || m == maZoomWind || m == maZoomWindPos; }

} // namespace

TChartMouseTracker::TChartMouseTracker(const TChartGeometry& chartGeometry)
    : geometry(chartGeometry) {
    mouseLayers[0] = true;
}

void TChartMouseTracker::SetZoomLimits(double xLo, double yLo, double xHi, double yHi) {
    zoomLimits = {xLo, yLo, xHi, yHi};
}

bool TChartMouseTracker::MouseLayer(int layer) const {
    return layer >= 1 && layer <= MaxLayers && mouseLayers[static_cast<std::size_t>(layer - 1)];
}

void TChartMouseTracker::SetMouseLayer(int layer, bool value) {
    if (layer >= 1 && layer <= MaxLayers) {
        mouseLayers[static_cast<std::size_t>(layer - 1)] = value;
    }
}

bool TChartMouseTracker::InDataArea(int x, int y) const {
    const TChartGeometry& g = geometry;
    return g.MarginLeft <= x && x <= g.Width - g.MarginRight - g.ShadowWidth &&
           g.MarginTop <= y && y <= g.Height - g.MarginBottom - g.ShadowWidth;
}

TChartMouseTracker::TCursor TChartMouseTracker::Cursor(bool inside, bool cursorFixed) const {
    if (!inside || cursorFixed) {
        return TCursor::Arrow;
    }
    switch (action) {
    case maNone:
        return TCursor::Cross;
    case maPan:
    case maPanHoriz:
    case maPanVert:
        return TCursor::Hand;
    case maRubberBand:
    case maDragCrossH:
    case maDragLabel:
        return TCursor::Arrow;
    case maZoomWind:
        return TCursor::ZoomWindow;
    case maZoomWindPos:
        return TCursor::ZoomWindowPos;
    case maZoomDrag:
        return TCursor::ZoomDrag;
    default:
        return TCursor::Keep; // zoom and rotation modes leave the cursor as it is
    }
}

// Drags -----------------------------------------------------------------------------------

TChartMouseTracker::TDragStep TChartMouseTracker::Drag(int x, int y, bool leftHeld) {
    switch (action) {
    case maPan:
    case maPanHoriz:
    case maPanVert:
    case maZoomDrag:
    case maDragCrossH:
    case maDragLabel:
        if (!leftHeld) {
            dragActive = false;
            return TDragStep::None;
        }
        if (!dragActive) {
            return TDragStep::Start;
        }
        if (action == maDragCrossH || action == maDragLabel) {
            return TDragStep::MoveObject;
        }
        return InDataArea(x, y) ? TDragStep::PanOrZoom : TDragStep::None;
    default:
        return TDragStep::None;
    }
}

void TChartMouseTracker::StartDrag(int x, int y, const std::array<TRange, MaxLayers>& ranges) {
    dragStart = {x, y};
    savedRanges = ranges;
    dragActive = true;
}

void TChartMouseTracker::PickCrossHair(int x, int y, const std::array<TCrossHairSpot, 4>& spots) {
    double best = std::numeric_limits<double>::max();
    draggedCrossHair = 1;
    for (int n = 1; n <= 4; ++n) {
        const TCrossHairSpot& s = spots[static_cast<std::size_t>(n - 1)];
        const double dx = static_cast<double>(s.X) - x;
        const double dy = static_cast<double>(s.Y) - y;
        if ((s.Mode == chVert || s.Mode == chBoth) && dx * dx < best) {
            best = dx * dx;
            draggedCrossHair = n;
        }
        if ((s.Mode == chHoriz || s.Mode == chBoth) && dy * dy < best) {
            best = dy * dy;
            draggedCrossHair = n;
        }
    }
}

void TChartMouseTracker::PickLabel(int x, int y, const std::vector<TLabelSpot>& spots) {
    double best = std::numeric_limits<double>::max();
    draggedLabel = 0;
    for (const TLabelSpot& s : spots) {
        // In doubles: a label far outside has a pixel position near the int limits.
        const double d = std::pow(static_cast<double>(s.X) - x, 2.0) +
                         std::pow(static_cast<double>(s.Y) - y, 2.0);
        if (d < best) {
            best = d;
            draggedLabel = s.Index;
        }
    }
}

TChartMouseTracker::TRange TChartMouseTracker::DraggedRange(int layer, int x, int y, bool xLog,
                                                            bool yLog, bool isometric) const {
    const double dx = x - dragStart.X;
    const double dy = y - dragStart.Y;
    const double aw = std::max(geometry.AreaWidth(), 1);
    const double ah = std::max(geometry.AreaHeight(), 1);
    const TRange& s = savedRanges[static_cast<std::size_t>(std::clamp(layer, 1, MaxLayers) - 1)];
    double xLo = s.XLo, xHi = s.XHi, yLo = s.YLo, yHi = s.YHi;
    if (action == maZoomDrag) {
        const double fx = 1 - dx / std::max(geometry.Width, 1);
        const double fy = isometric ? fx : dy / std::max(geometry.Height, 1) + 1;
        const double cx = (s.XLo + s.XHi) / 2, hx = (s.XHi - s.XLo) / 2 * fx;
        const double cy = (s.YLo + s.YHi) / 2, hy = (s.YHi - s.YLo) / 2 * fy;
        xLo = cx - hx;
        xHi = cx + hx;
        yLo = cy - hy;
        yHi = cy + hy;
    } else {
        // The data follows the pointer: a move to the right shows smaller x values.
        auto shift = [](double lo, double hi, double pixels, double size, bool log, double& outLo,
                        double& outHi) {
            if (log && lo > 0 && hi > 0) {
                const double f = std::exp(std::log(hi / lo) * pixels / size);
                outLo = lo * f;
                outHi = hi * f;
            } else {
                const double d = (hi - lo) * pixels / size;
                outLo = lo + d;
                outHi = hi + d;
            }
        };
        if (action != maPanVert) {
            shift(s.XLo, s.XHi, -dx, aw, xLog, xLo, xHi);
        }
        if (action != maPanHoriz) {
            shift(s.YLo, s.YHi, dy, ah, yLog, yLo, yHi);
        }
    }
    // Within the limits; a pan keeps its width there, a zoom is cut.
    const bool keepWidth = action != maZoomDrag;
    auto clip = [keepWidth](double& lo, double& hi, double min, double max) {
        const double width = hi - lo;
        if (lo < min) {
            lo = min;
            if (keepWidth) {
                hi = min + width;
            }
        }
        if (hi > max) {
            hi = max;
            if (keepWidth) {
                lo = max - width;
            }
        }
    };
    if (std::any_of(zoomLimits.begin(), zoomLimits.end(), [](double v) { return v != 0; })) {
        clip(xLo, xHi, zoomLimits[0], zoomLimits[2]);
        clip(yLo, yHi, zoomLimits[1], zoomLimits[3]);
    }
    return {.XLo = xLo, .YLo = yLo, .XHi = xHi, .YHi = yHi};
}

// Bands and clicks -------------------------------------------------------------------------

void TChartMouseTracker::StartBand(int x, int y, bool left) {
    if (bandMode(action) && !bandActive && left && InDataArea(x, y)) {
        bandActive = true;
        bandDrawn = false;
        band = {{x, y}, {x, y}};
    }
}

std::optional<TChartMouseTracker::TBandMove> TChartMouseTracker::MoveBand(int x, int y,
                                                                          bool isometric) {
    if (!bandMode(action) || !bandActive) {
        return std::nullopt;
    }
    const TChartGeometry& g = geometry;
    const int cx = std::clamp(x, g.MarginLeft, g.Width - g.MarginRight - g.ShadowWidth);
    int cy = std::clamp(y, g.MarginTop, g.Height - g.MarginBottom - g.ShadowWidth);
    if (isometric) {
        const int dx = cx - band.Fixed.X;
        cy = (cy - band.Fixed.Y) * dx >= 1 ? band.Fixed.Y + dx : band.Fixed.Y - dx;
    }
    TBandMove move;
    if (bandDrawn) {
        move.Erase = band;
    }
    band.Moving = {cx, cy};
    move.Draw = band;
    bandDrawn = true;
    return move;
}

TChartMouseTracker::TBandRect TChartMouseTracker::Normalized(const TBand& b) {
    // Whichever way it was dragged (QRect::normalized would drop a pixel at each end of a
    // reversed one).
    return {.Left = std::min(b.Fixed.X, b.Moving.X),
            .Top = std::min(b.Fixed.Y, b.Moving.Y),
            .Right = std::max(b.Fixed.X, b.Moving.X),
            .Bottom = std::max(b.Fixed.Y, b.Moving.Y)};
}

bool TChartMouseTracker::Release(bool left, bool insideControl) {
    const bool click = left && pressedHere && insideControl;
    pressedHere = false;
    return click;
}

TChartMouseTracker::TBandEnd TChartMouseTracker::EndBand(bool cancel) {
    bandActive = false;
    TBandEnd end;
    if (cancel) {
        if (bandDrawn) {
            end.Erase = band;
        }
        bandDrawn = false;
        return end;
    }
    // A completed band stays on the window until the repaint that follows its use.
    bandDrawn = false;
    end.Use = band.Fixed.X != band.Moving.X && band.Fixed.Y != band.Moving.Y;
    return end;
}

TChartMouseTracker::TRange TChartMouseTracker::BandRange(int layer, const TChartTransform& t,
                                                         bool xUp, bool yUp,
                                                         bool isometric) const {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    t.PixelToWorld(layer, band.Fixed.X, band.Fixed.Y, x1, y1);
    t.PixelToWorld(layer, band.Moving.X, band.Moving.Y, x2, y2);
    if (action == maZoomWindPos || action == maRubberBand) {
        if ((x1 > x2) == xUp) {
            std::swap(x1, x2);
        }
        if ((y1 > y2) == yUp) {
            std::swap(y1, y2);
        }
    }
    if (isometric)
        geometry.IsometricY(x1, x2, geometry.AreaWidth() + 1, y1, y2);
    return {.XLo = x1, .YLo = y1, .XHi = x2, .YHi = y2};
}
