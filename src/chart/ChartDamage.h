#pragma once
// Which part of a chart's data area a redraw must paint. The chart keeps the picture it drew
// last; when only display-list items changed since, the pixels that can differ are those
// the changed items covered before and cover now, and the rest of the picture still holds.

#include "chart/ChartTransform.h"
#include "chart/DisplayList.h"
#include "chart/DrawItem.h"

#include <cstdint>
#include <optional>
#include <vector>

// Control pixels Left..Right-1 by Top..Bottom-1.
struct TPixelRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool Empty() const { return Left >= Right || Top >= Bottom; }
    void Unite(const TPixelRect& r);
    bool operator==(const TPixelRect&) const = default;
};

class TChartDamage {
public:
    // The picture is gone, or something besides the items has changed: the next redraw
    // paints all of it.
    void Invalidate();

    // The part of the control to paint so that the picture shows `items`: an empty
    // rectangle when nothing changed, none (nullopt) for the whole data area. Remembers
    // `items` as the picture's. `area` is the data area in control pixels.
    std::optional<TPixelRect> Next(const TDisplayList& items, const TChartTransform& transform,
                                   const TPixelRect& area);

    // Whether an item's pixels under a clip are its unclipped pixels inside the clip, so that
    // painting part of the picture again gives the whole picture's pixels: one-pixel solid
    // or clear pens, dots across or down within the area, lines, bars and slants that run
    // across, down or at 45 degrees.
    static bool Local(const TDrawItem& item, const TChartTransform& transform,
                      const TPixelRect& area);
    // Every control pixel the item can touch.
    static TPixelRect Bounds(const TDrawItem& item, const TChartTransform& transform);

private:
    std::vector<TDrawItem> drawn;
    bool valid = false;    // `drawn` is what the picture shows
    bool allLocal = false; // and every item of it is local
};
