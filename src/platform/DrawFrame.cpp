#include "platform/DrawFrame.h"

#include "platform/Canvas.h"

#include <array>

void DrawFrame(Canvas& canvas, int style, int left, int top, int right, int bottom,
               TColor highlight, TColor light, TColor shadow, TColor dark, TColor line) {
    const int look = style & 0x7F;
    if (look == fsNone || look > fsEngraved) {
        return;
    }
    if (look == fsSimple) {
        canvas.SetPenColor(line);
        canvas.MoveTo(left, top);
        canvas.LineTo(left, bottom);
        canvas.LineTo(right, bottom);
        canvas.LineTo(right, top);
        canvas.LineTo(left, top);
        return;
    }
    // The outer and inner ring, each a top-left and a bottom-right half, in C1..C4.
    std::array<TColor, 4> c{};
    switch (look) {
    case fsLowered:
        c = {shadow, highlight, dark, light};
        break;
    case fsRaised:
        c = {highlight, dark, light, shadow};
        break;
    case fsEmbossed:
        c = {highlight, shadow, shadow, highlight};
        break;
    default: // fsEngraved
        c = {shadow, highlight, highlight, shadow};
        break;
    }
    canvas.SetPenColor(c[0]);
    canvas.MoveTo(left, bottom);
    canvas.LineTo(left, top);
    canvas.LineTo(right + 1, top);
    canvas.MoveTo(right, top + 1);
    canvas.SetPenColor(c[1]);
    canvas.LineTo(right, bottom);
    canvas.LineTo(left - 1, bottom);
    canvas.SetPenColor(c[2]);
    canvas.MoveTo(left + 1, bottom - 1);
    canvas.LineTo(left + 1, top + 1);
    canvas.LineTo(right, top + 1);
    canvas.MoveTo(right - 1, top + 2);
    canvas.SetPenColor(c[3]);
    canvas.LineTo(right - 1, bottom - 1);
    canvas.LineTo(left, bottom - 1);
}
