#include "chart/ScalePainter.h"

#include "platform/Canvas.h"

#include <algorithm>

namespace {
constexpr int LongTickHoriz = 7;
constexpr int LongTickVert = 6;
constexpr int ShortTick = 4;
} // namespace

int TScalePainter::TFrame::BaseLine(int offsetAcross) const {
    switch (Type) {
    case sctXB:
        return offsetAcross + Height - MarginBottom - 1;
    case sctXT:
        return offsetAcross + MarginTop;
    case sctYL:
        return offsetAcross + MarginLeft;
    case sctYR:
        break;
    }
    return offsetAcross + Width - MarginRight - 1;
}

TScalePainter::TScalePainter(const TScaleSettings& s, const TFrame& f, const TScaleMap& m,
                             Canvas& canvas, int baseLine)
    : settings(s), frame(f), map(m), c(canvas), b(baseLine) {}

void TScalePainter::DrawTicks(const std::vector<TScaleTick>& ticks,
                              std::array<double, TickListCapacity>& list, int& count) {
    count = 0;
    c.SetPenColor(settings.ColorScale());
    const bool horizontal = frame.Horizontal();
    // Ticks point away from the base line, toward the labels.
    const int direction = frame.Type == sctXB || frame.Type == sctYR ? -1 : 1;
    for (const TScaleTick& t : ticks) {
        const int p = map.Pixel(t.Value);
        if (t.Drawn) {
            const int length = t.Long ? (horizontal ? LongTickHoriz : LongTickVert) : ShortTick;
            if (horizontal) {
                c.MoveTo(p, b);
                c.LineTo(p, b + direction * length);
            } else {
                c.MoveTo(b, p);
                c.LineTo(b + direction * length, p);
            }
        }
        if (t.Listed && count >= 0 && count < TickListCapacity) {
            list[static_cast<std::size_t>(count++)] = t.Value;
        }
        if (t.Labelled && !t.Label.empty()) {
            drawLabel(p, QString::fromStdString(t.Label), !t.DateLine.empty());
        }
        if (!t.DateLine.empty()) {
            drawDateLine(p, QString::fromStdString(t.DateLine));
        }
        if (OnTickDrawn) {
            OnTickDrawn(c, t.Value, horizontal ? p : b, horizontal ? b : p);
        }
    }
}

void TScalePainter::DrawMessage(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return;
    }
    const int p = map.Pixel((settings.RangeLow() + settings.RangeHigh()) / 2);
    if (frame.Horizontal()) {
        const QString text = QString::fromStdString(lines.front());
        c.TextOut(p - c.TextWidth(text) / 2, b + 7, text);
        return;
    }
    const int h = c.TextHeight(QStringLiteral("T"));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString text = QString::fromStdString(lines[i]);
        const int top = p + (static_cast<int>(i) - 1) * h;
        c.TextOut(frame.Type == sctYL ? b + 2 : b - 2 - c.TextWidth(text), top, text);
    }
}

int TScalePainter::horizontalLabelLeft(int pixel, int w) const {
    int x = std::max(pixel - w / 2, 2);
    if (pixel + w / 2 >= frame.Width - 2) {
        x = frame.Width - 2 - w;
    }
    return x;
}

void TScalePainter::drawDateLine(int pixel, const QString& text) {
    // One text height further from the base line than the time label; on upright scales
    // just above the time label, whose bottom is at the tick.
    const int w = c.TextWidth(text);
    const int h = c.TextHeight(text);
    switch (frame.Type) {
    case sctXB:
        c.TextOut(horizontalLabelLeft(pixel, w), b - 2 * h - 7, text);
        break;
    case sctXT:
        c.TextOut(horizontalLabelLeft(pixel, w), b + 7 + h, text);
        break;
    case sctYL:
        c.TextOut(b + 8, pixel - 2 * h, text);
        break;
    case sctYR:
        c.TextOut(b - 8 - w, pixel - 2 * h, text);
        break;
    }
}

void TScalePainter::drawLabel(int pixel, const QString& text, bool dated) {
    const int w = c.TextWidth(text);
    const int h = c.TextHeight(text);
    int x = 0;
    int y = 0;
    switch (frame.Type) {
    case sctXB:
    case sctXT:
        x = horizontalLabelLeft(pixel, w);
        y = frame.Type == sctXT ? b + 7 : b - h - 7;
        break;
    case sctYL:
    case sctYR:
        x = frame.Type == sctYL ? b + 8 : b - 8 - w;
        y = dated ? pixel - h : pixel - c.TextHeight(QStringLiteral("0")) / 2;
        break;
    }
    c.TextOut(x, y, text);
}

void TScalePainter::DrawCaption() {
    const QString caption = settings.Caption();
    if (caption.isEmpty()) {
        return;
    }
    const int w = c.TextWidth(caption);
    int x = 0;
    int y = 0;
    if (frame.Horizontal()) {
        switch (settings.CaptionAnchor()) {
        case uaSclTopLft:
            x = frame.MarginLeft;
            break;
        case uaSclCenter:
            x = frame.MarginLeft + (frame.Width - frame.MarginLeft - frame.MarginRight) / 2;
            break;
        case uaSclBotRgt:
            x = frame.Width - frame.MarginRight;
            break;
        }
        x += settings.CaptionPosX();
        y = b + settings.CaptionPosY();
    } else {
        switch (settings.CaptionAnchor()) {
        case uaSclTopLft:
            y = frame.MarginTop;
            break;
        case uaSclCenter:
            y = frame.MarginTop + (frame.Height - frame.MarginTop - frame.MarginBottom) / 2;
            break;
        case uaSclBotRgt:
            y = frame.Height - frame.MarginBottom;
            break;
        }
        y += settings.CaptionPosY();
        x = b + settings.CaptionPosX();
    }
    if (settings.CaptionAlignment() == taRightJustify) {
        x -= w;
    } else if (settings.CaptionAlignment() == taCenter) {
        x -= w / 2;
    }
    c.TextOut(x, y, caption);
}

void TScalePainter::DrawBaseLine() {
    c.SetPenColor(settings.ColorScale());
    if (frame.Horizontal()) {
        c.MoveTo(frame.MarginLeft, b);
        c.LineTo(frame.Width - frame.MarginRight - 1, b);
    } else {
        c.MoveTo(b, frame.MarginTop);
        c.LineTo(b, frame.Height - frame.MarginBottom - 1);
    }
}
