#pragma once
// TScalePainter, the one drawing step of an axis scale: it paints a planned set of ticks with
// their labels, or a message in their place, the caption and the base line, through the
// scale's value-to-pixel map onto a Canvas. It never chooses ticks.

#include "chart/ScaleMap.h"
#include "chart/ScaleSettings.h"
#include "chart/ScaleTicks.h"

#include <QString>

#include <array>
#include <functional>
#include <string>
#include <vector>

class Canvas;

class TScalePainter {
public:
    // Where the scale lies in its control: the side of its base line, the control's size and
    // the margins that bound the scale along and across.
    struct TFrame {
        TScaleType Type = sctXB;
        int Width = 0;
        int Height = 0;
        int MarginLeft = 0;
        int MarginRight = 0;
        int MarginTop = 0;
        int MarginBottom = 0;

        bool Horizontal() const { return Type == sctXB || Type == sctXT; }
        // The base line's position across the scale, for a control whose top (horizontal
        // scales) or left (vertical ones) lies at `offsetAcross`.
        int BaseLine(int offsetAcross) const;
    };

    // `baseLine` is the base line's position across the scale. All references must outlive
    // the painter.
    TScalePainter(const TScaleSettings& settings, const TFrame& frame, const TScaleMap& map,
                  Canvas& canvas, int baseLine);

    // Called after each planned tick with its value and its point on the base line.
    std::function<void(Canvas& c, double value, int x, int y)> OnTickDrawn;

    // Draws the ticks in plan order. Listed values go into `list`, `count` counting them from
    // 0 as they are drawn (a tick handler sees the list grow).
    void DrawTicks(const std::vector<TScaleTick>& ticks,
                   std::array<double, TickListCapacity>& list, int& count);
    // Lines of text in the middle of the scale instead of ticks.
    void DrawMessage(const std::vector<std::string>& lines);
    void DrawCaption();
    void DrawBaseLine();

private:
    // `dated`: an upright scale's time label then sits above its tick, under the date.
    void drawLabel(int pixel, const QString& text, bool dated);
    void drawDateLine(int pixel, const QString& text);
    int horizontalLabelLeft(int pixel, int w) const;

    const TScaleSettings& settings;
    const TFrame& frame;
    const TScaleMap& map;
    Canvas& c;
    int b;
};
