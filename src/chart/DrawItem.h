#pragma once
// One entry of a chart's display list: a line, a filled rectangle or a 3-D bar in the world
// coordinates of a layer, with the drawing state that was current when it was added.

#include "platform/Colors.h"

#include <cstdint>

// Item kinds share one code space 0..16; 10 and 11 are search filters only, and 0 in the
// result of GetItem means "no such item".
enum TDrawItemKind : std::uint8_t {
    dkNone = 0,
    dkLine = 2,
    dkRect = 4,
    dkBar3D = 6,
    dkMoveTo = 8,
    dkAny = 10,
    dkAnyButMoveTo = 11
};

struct TDrawItem {
    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;
    TColor Color = 0;
    TColor FillColor = 0;
    std::uint8_t PenStyle = 0;
    std::int32_t LineWidth = 0;
    std::uint8_t ColorClass = 0;
    std::uint8_t Kind = dkNone;
    std::int32_t Layer = 0;
    std::int32_t Angle = 0;
    std::int32_t Depth = 0;

    bool operator==(const TDrawItem&) const = default;
};
