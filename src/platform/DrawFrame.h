#pragma once
// The one- or two-pixel frame of a control in one of the TFrameStyle looks.

#include "platform/Colors.h"
#include "platform/GraphicsTypes.h"

class Canvas;

// Draws the frame whose corner pixels are (left, top) and (right, bottom). Only the low
// seven bits of `style` select the look; values above fsEngraved draw nothing.
void DrawFrame(Canvas& canvas, int style, int left, int top, int right, int bottom,
               TColor highlight, TColor light, TColor shadow, TColor dark, TColor line);

// The shadow and highlight colours of 3-D borders in a colour scheme: grey and white for
// csBWG, the system's button shadow and highlight for csSystem.
struct TFrameColors {
    TColor Shadow;
    TColor Highlight;
};
constexpr TFrameColors FrameColorsOf(TColorScheme scheme) {
    return scheme == csSystem ? TFrameColors{clBtnShadow, clBtnHighlight}
                              : TFrameColors{clGray, clWhite};
}
