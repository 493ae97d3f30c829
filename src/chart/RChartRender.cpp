// Painting of the chart: the outer area with shadow, caption and scales, the data area with
// background, grid and items, the cross-hairs, and the copy to the window.

#include "chart/GridValues.h"
#include "chart/RChart.h"
#include "numerics/Conversions.h"
#include "platform/Canvas.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

// Every drawn position is kept within +-30000 pixels, so long lines are cut, never wrapped.
int clamp30000(int v) { return std::clamp(v, -30000, 30000); }

QImage sized(const QImage& img, int w, int h) {
    if (img.width() == w && img.height() == h && !img.isNull()) {
        return img;
    }
    return QImage(std::max(w, 1), std::max(h, 1), QImage::Format_RGB32);
}

} // namespace

void TCustomRChart::toWindow(const QImage& picture, int x, int y) {
    if (windowImage.size() != size()) {
        windowImage = QImage(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
        windowImage.fill(ToQColor(windColor));
    }
    {
        QPainter p(&windowImage);
        p.drawImage(x, y, picture);
    }
    update(QRect(x, y, picture.width(), picture.height()));
}

void TCustomRChart::paintEvent(QPaintEvent* event) {
    if (windowImage.size() != size()) {
        FullRepaint();
    }
    QPainter p(this);
    p.drawImage(event->rect(), windowImage, event->rect());
}

void TCustomRChart::FullRepaint() {
    if (!isVisible() || loading() || paintSuspended) {
        return;
    }
    RecalcTransforms();
    controlBitmap = sized(controlBitmap, geometry.Width, geometry.Height);
    chartAreaBitmap = sized(chartAreaBitmap, std::max(geometry.AreaWidth() + 1, 1),
                            std::max(geometry.AreaHeight() + 1, 1));
    {
        Canvas outer(controlBitmap);
        DrawOuterArea(outer);
    }
    {
        Canvas area(chartAreaBitmap);
        DrawChartBackground(area, 0, 0);
        DrawItems(area, 0, 0, false, false);
    }
    {
        QPainter p(&controlBitmap);
        p.drawImage(geometry.MarginLeft, geometry.MarginTop, chartAreaBitmap);
    }
    DrawCrossHairs(0, 0, controlBitmap);
}

void TCustomRChart::DataAreaRedraw() {
    if (!isVisible() || loading() || paintSuspended) {
        return;
    }
    chartAreaBitmap = sized(chartAreaBitmap, std::max(geometry.AreaWidth() + 1, 1),
                            std::max(geometry.AreaHeight() + 1, 1));
    {
        Canvas area(chartAreaBitmap);
        DrawChartBackground(area, 0, 0);
        DrawItems(area, 0, 0, false, false);
    }
    DrawCrossHairs(geometry.MarginLeft, geometry.MarginTop, chartAreaBitmap);
}

void TCustomRChart::DrawOuterArea(Canvas& c) {
    const int w = geometry.Width;
    const int h = geometry.Height;
    const int sw = geometry.ShadowWidth;
    c.SetPenStyle(psSolid);
    c.SetPenMode(pmCopy);
    c.SetBrushStyle(bsSolid);
    c.SetBrushColor(windColor);
    c.SetPenColor(windColor);
    c.Rectangle(0, 0, w, h);
    if (sw > 0) {
        c.SetBrushColor(shadowBakColor);
        c.SetPenColor(shadowBakColor);
        c.Rectangle(w - sw, 0, w, sw);
        c.Rectangle(0, h - sw, sw, h);
        c.SetBrushColor(shadowColor);
        const int e = shadowStyle == ssFlying ? sw - 1 : 0;
        c.SetPenColor(shadowStyle == ssFlying ? shadowColor : clBlack);
        c.Polygon(QPolygon({QPoint(e, h - sw), QPoint(sw - 1, h - 1), QPoint(w - 1, h - 1),
                            QPoint(w - sw, h - sw)}));
        c.Polygon(QPolygon({QPoint(w - sw, h - sw), QPoint(w - 1, h - 1), QPoint(w - 1, sw - 1),
                            QPoint(w - sw, e)}));
        c.SetPenColor(clBlack);
        c.MoveTo(0, 0);
        c.LineTo(w - sw, 0);
        c.LineTo(w - sw, h - sw);
        c.LineTo(0, h - sw);
        c.LineTo(0, 0);
    }
    if (!caption.isEmpty()) {
        // Pen in the frame colour, no background, and the text in the colour of the
        // chart's font (its palette's text colour).
        c.SetPenColor(chartFrameColor);
        c.SetFont(font());
        c.SetBrushStyle(bsClear);
        c.SetTextColor(FromQRgb(palette().color(QPalette::WindowText).rgb()));
        const int tw = c.TextWidth(caption);
        int x = 0;
        switch (captionAnchorHoriz) {
        case cahControlLeft:
            x = 0;
            break;
        case cahChartLeft:
            x = geometry.MarginLeft;
            break;
        case cahChartCenter:
            x = geometry.MarginLeft + geometry.AreaWidth() / 2;
            break;
        case cahChartRight:
            x = w - geometry.MarginRight - sw;
            break;
        case cahControlRight:
            x = w;
            break;
        }
        int y = 0;
        switch (captionAnchorVert) {
        case cavControlTop:
            y = 0;
            break;
        case cavChartTop:
            y = geometry.MarginTop;
            break;
        case cavChartCenter:
            y = geometry.MarginTop + geometry.AreaHeight() / 2;
            break;
        case cavChartBottom:
            y = h - geometry.MarginBottom;
            break;
        case cavControlBottom:
            y = h;
            break;
        }
        x += captionPosX;
        y += captionPosY;
        if (captionAlignment == taRightJustify) {
            x -= tw;
        } else if (captionAlignment == taCenter) {
            x -= tw / 2;
        }
        c.TextOut(x, y, caption);
    }
    RecalcTransforms();
    for (auto* scales : {&xScales, &yScales}) {
        for (TScale* s : *scales) {
            s->SetPaintTarget(&c, 0, 0);
            s->ForcePaint();
            s->SetPaintTarget(nullptr, 0, 0);
        }
    }
    Fire(OnScalesRendered, this, c, 0, 0);
}

void TCustomRChart::DrawChartBackground(Canvas& c, int ox, int oy) {
    c.SetPenStyle(psSolid);
    c.SetPenMode(pmCopy);
    c.SetBrushStyle(bsSolid);
    c.SetBrushColor(chartColor);
    c.SetPenColor(chartFrameColor);
    const int bw = c.Width();
    const int bh = c.Height();
    auto plain = [&] {
        c.SetBrushColor(chartColor);
        c.SetPenColor(chartFrameColor);
        c.Rectangle(ox, oy, ox + bw, oy + bh);
    };
    if (!backGroundImg->Name().isEmpty()) {
        QImage picture;
        if (!picture.load(backGroundImg->Name()) || picture.isNull()) {
            plain();
            backGroundImg->OnChange = nullptr; // clearing the name is no change to repaint for
            backGroundImg->SetName(QString());
            backGroundImg->OnChange = [this](QObject*) { repaintIfAuto(); };
            return;
        }
        switch (backGroundImg->FillMode()) {
        case bfSimple:
            plain();
            c.Draw(0, 0, picture);
            break;
        case bfStretch:
            c.StretchDraw(QRect(0, 0, bw, bh), picture);
            break;
        case bfTile:
            for (int col = 0; col <= (bw - 1) / picture.width(); ++col) {
                for (int row = 0; row <= (bh - 1) / picture.height(); ++row) {
                    c.Draw(col * picture.width(), row * picture.height(), picture);
                }
            }
            break;
        }
        return;
    }
    plain();
    if (backGroundImg->AreaMode() == bamNone) {
        return;
    }
    c.SetBrushColor(backGroundImg->AreaColor());
    c.SetPenColor(backGroundImg->AreaColor());
    int l = 0, t = 0, r = 0, b = 0;
    WorldToPixel(1, backGroundImg->AreaLeft(), backGroundImg->AreaTop(), l, t);
    WorldToPixel(1, backGroundImg->AreaRight(), backGroundImg->AreaBottom(), r, b);
    l = clamp30000(l) - geometry.MarginLeft + ox;
    r = clamp30000(r) - geometry.MarginLeft + ox;
    t = clamp30000(t) - geometry.MarginTop + oy;
    b = clamp30000(b) - geometry.MarginTop + oy;
    const int right = ox + bw;
    const int bottom = oy + bh;
    switch (backGroundImg->AreaMode()) {
    case bamLeft:
        c.Rectangle(ox, oy, l, bottom);
        break;
    case bamRight:
        c.Rectangle(r, oy, right, bottom);
        break;
    case bamTop:
        c.Rectangle(ox, oy, right, t);
        break;
    case bamBottom:
        c.Rectangle(ox, b, right, bottom);
        break;
    case bamVStripe:
        c.Rectangle(l, oy, r, bottom);
        break;
    case bamHStripe:
        c.Rectangle(ox, t, right, b);
        break;
    case bamRect:
        c.Rectangle(l, t, r, b);
        break;
    case bamNone:
        break;
    }
}

void TCustomRChart::drawGrid(Canvas& c, int ox, int oy) {
    const TScaleProps& xa = *XAxis(activeLayer);
    const TScaleProps& ya = *YAxis(activeLayer);
    auto values = [](const TScaleProps& a, const TScale& s, double grid) {
        std::vector<double> ticks;
        for (int k = 1; k <= s.NumTicks(); ++k) {
            ticks.push_back(s.TickValue(k));
        }
        const double lo = std::min(a.RangeLow(), a.RangeHigh());
        const double hi = std::max(a.RangeLow(), a.RangeHigh());
        return GridValues(lo, hi, grid, a.Logarithmic(), ticks);
    };
    const std::vector<double> xs = values(xa, *XScale(activeLayer), gridDx);
    const std::vector<double> ys = values(ya, *YScale(activeLayer), gridDy);
    const bool dotted =
        gridStyle == gsHorizDotLines || gridStyle == gsVertDotLines || gridStyle == gsDotLines;
    c.SetBrushColor(chartColor);
    c.SetPenColor(gridColor);
    auto line = [&](double x1, double y1, double x2, double y2) {
        int px1 = 0, py1 = 0, px2 = 0, py2 = 0;
        WorldToPixel(activeLayer, x1, y1, px1, py1);
        WorldToPixel(activeLayer, x2, y2, px2, py2);
        const int ax = clamp30000(px1) - geometry.MarginLeft + ox;
        const int ay = clamp30000(py1) - geometry.MarginTop + oy;
        const int bx = clamp30000(px2) - geometry.MarginLeft + ox;
        const int by = clamp30000(py2) - geometry.MarginTop + oy;
        if (dotted) {
            // The gaps between the dots are the brush's: the line is laid in ChartColor
            // first, so an area fill or an image does not show through them.
            c.SetPenStyle(psSolid);
            c.SetPenColor(chartColor);
            c.MoveTo(ax, ay);
            c.LineTo(bx, by);
            c.SetPenStyle(psDot);
            c.SetPenColor(gridColor);
        }
        c.MoveTo(ax, ay);
        c.LineTo(bx, by);
    };
    auto vertical = [&] {
        for (double x : xs) {
            line(x, ya.RangeLow(), x, ya.RangeHigh());
        }
    };
    auto horizontal = [&] {
        for (double y : ys) {
            line(xa.RangeLow(), y, xa.RangeHigh(), y);
        }
    };
    c.SetPenStyle(dotted ? psDot : psSolid);
    switch (gridStyle) {
    case gsPoints: {
        int placed = 0;
        for (double x : xs) {
            for (double y : ys) {
                if (placed++ >= 1000) {
                    break;
                }
                int px = 0, py = 0;
                WorldToPixel(activeLayer, x, y, px, py);
                c.SetPixel(clamp30000(px) - geometry.MarginLeft + ox,
                           clamp30000(py) - geometry.MarginTop + oy, gridColor);
            }
        }
        break;
    }
    case gsVertLines:
    case gsVertDotLines:
        vertical();
        break;
    case gsHorizLines:
    case gsHorizDotLines:
        horizontal();
        break;
    case gsLines:
    case gsDotLines:
        vertical();
        horizontal();
        break;
    case gsNone:
        break;
    }
    c.SetPenStyle(psSolid);
}

void TCustomRChart::drawItem(Canvas& c, const TDrawItem& it, int ox, int oy, bool monochrome) {
    const TColor colour = monochrome ? clBlack : it.Color;
    const TColor fill = monochrome ? clSilver : it.FillColor;
    const auto style = static_cast<TPenStyle>(std::min<int>(it.PenStyle, psInsideFrame));
    auto map = [&](double x, double y, int& px, int& py) {
        WorldToPixel(it.Layer, x, y, px, py);
        px = clamp30000(px) - geometry.MarginLeft + ox;
        py = clamp30000(py) - geometry.MarginTop + oy;
    };
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    map(it.X1, it.Y1, x1, y1);
    map(it.X2, it.Y2, x2, y2);
    c.SetPenColor(colour);
    c.SetPenStyle(style);
    switch (it.Kind) {
    case dkLine:
        if (x1 == x2 && y1 == y2) {
            c.SetPixel(x1, y1, colour);
        } else {
            c.MoveTo(x1, y1);
            c.LineTo(x2, y2);
        }
        break;
    case dkRect:
        c.SetBrushStyle(bsSolid);
        c.SetBrushColor(fill);
        if (x1 == x2 && y1 == y2) {
            c.SetPixel(x1, y1, colour);
            break;
        }
        // Both corner pixels are covered: one more on the larger side of each direction.
        (x1 >= x2 ? x1 : x2) += 1;
        (y1 > y2 ? y1 : y2) += 1;
        c.Rectangle(x1, y1, x2, y2);
        break;
    case dkBar3D: {
        c.SetBrushStyle(bsSolid);
        c.SetBrushColor(fill);
        if (x1 > x2) {
            std::swap(x1, x2);
        }
        if (y1 > y2) {
            std::swap(y1, y2);
        }
        const long double rad = it.Angle * 3.14159265358979323846L / 180;
        const int gx = RoundInt32(std::cos(rad) * it.Depth);
        const int gy = -RoundInt32(std::sin(rad) * it.Depth);
        int fx1 = x1, fx2 = x2;
        if (it.Angle > 90) {
            std::swap(x1, x2);
        }
        c.Polygon(QPolygon({QPoint(x1, y1), QPoint(x1 + gx, y1 + gy), QPoint(x2 + gx, y1 + gy),
                            QPoint(x2, y1)}));
        c.Polygon(QPolygon({QPoint(x2 + gx, y1 + gy), QPoint(x2, y1), QPoint(x2, y2),
                            QPoint(x2 + gx, y2 + gy)}));
        c.Rectangle(fx1, y1, fx2 + 1, y2 + 1);
        break;
    }
    default:
        break;
    }
}

void TCustomRChart::drawTextLabel(Canvas& c, const TTextLabel& label, int ox, int oy) {
    // A plain rendering: the anchor in world coordinates where the label is attached to the
    // data, else in pixels of the control; lines of the caption stacked from the anchor.
    int ax = 0, ay = 0;
    WorldToPixel(label.Layer(), label.PosX(), label.PosY(), ax, ay);
    const TTxtLblAttachMode attach = label.AttachToData();
    const int x0 = attach == tlamXOnly || attach == tlamBoth ? ax : CheckedInt32(label.PosX());
    const int y0 = attach == tlamYOnly || attach == tlamBoth ? ay : CheckedInt32(label.PosY());
    const QStringList lines = label.Caption().split(QLatin1Char('\n'));
    c.SetFont(label.Font());
    int w = 0;
    for (const QString& line : lines) {
        w = std::max(w, c.TextWidth(line));
    }
    const int lineHeight = c.TextHeight(QStringLiteral("T"));
    const int h = lineHeight * static_cast<int>(lines.size());
    int x = label.Alignment() == taLeftJustify    ? x0
            : label.Alignment() == taRightJustify ? x0 - w
                                                  : x0 - w / 2;
    int y = label.VerticalAlignment() == vaTop      ? y0
            : label.VerticalAlignment() == vaCenter ? y0 - h / 2
                                                    : y0 - h;
    x = clamp30000(x) - geometry.MarginLeft + ox;
    y = clamp30000(y) - geometry.MarginTop + oy;
    const bool boxed = label.Mode() == tlBox || label.Mode() == tlShadow;
    if (label.Mode() == tlShadow) {
        c.SetPenColor(label.ColorShadow());
        c.SetBrushStyle(bsSolid);
        c.SetBrushColor(label.ColorShadow());
        c.Rectangle(x - 2 + label.ShadowDx(), y - 1 + label.ShadowDy(), x + w + 3 + label.ShadowDx(),
                    y + h + 2 + label.ShadowDy());
    }
    if (boxed) {
        c.SetPenColor(label.ColorBorder());
        c.SetBrushStyle(label.Transparent() ? bsClear : bsSolid);
        c.SetBrushColor(label.ColorBkg());
        c.Rectangle(x - 2, y - 1, x + w + 3, y + h + 2);
    }
    c.SetBrushStyle(bsClear);
    c.SetTextColor(label.ColorBorder());
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        c.TextOut(x, y + i * lineHeight, lines[i]);
    }
    if (label.Mode() == tlUnderline) {
        c.SetPenColor(label.ColorBorder());
        c.MoveTo(x, y + h);
        c.LineTo(x + w, y + h);
    }
}

void TCustomRChart::DrawItems(Canvas& c, int ox, int oy, bool monochrome, bool noGrid) {
    const TColor brush = c.BrushColor();
    const TColor pen = c.PenColor();
    Fire(OnBeforeRenderData, this, c, geometry.MarginTop - oy, geometry.MarginLeft - ox);
    c.SetBrushColor(brush);
    c.SetPenColor(pen);
    if (gridStyle != gsNone && !noGrid) {
        drawGrid(c, ox, oy);
    }
    c.SetPenWidth(lineWidth);
    c.MoveTo(ox, oy);
    c.SetPenColor(chartColor);
    c.SetBrushColor(chartColor);
    c.SetPenStyle(psSolid);
    for (std::int32_t i = 0; i < list->Count(); ++i) {
        const TDrawItem& it = (*list)[i];
        if (!ClassVisible(it.ColorClass) || !LayerVisible(it.Layer)) {
            continue;
        }
        if (it.LineWidth != c.PenWidth()) {
            c.SetPenWidth(it.LineWidth);
        }
        drawItem(c, it, ox, oy, monochrome);
    }
    c.SetPenWidth(1);
    for (int n = TextLabelCount; n >= 1; --n) {
        const TTextLabel& label = *TextLabel(n);
        if (label.Mode() != tlOff && label.Visible() && LayerVisible(label.Layer())) {
            drawTextLabel(c, label, ox, oy);
        }
    }
    Fire(OnDataRendered, this, c, geometry.MarginTop - oy, geometry.MarginLeft - ox);
    c.SetPenColor(chartFrameColor);
    c.SetPenStyle(psSolid);
    const int aw = geometry.AreaWidth();
    const int ah = geometry.AreaHeight();
    c.MoveTo(ox, oy);
    c.LineTo(ox + aw, oy);
    c.LineTo(ox + aw, oy + ah);
    c.LineTo(ox, oy + ah);
    c.LineTo(ox, oy);
}

void TCustomRChart::DrawCrossHairs(int ox, int oy, QImage& bitmap) {
    bool any = false;
    for (TCrossHair* ch : crossHairs) {
        any = any || ch->Mode() != chOff;
    }
    if (any) {
        Canvas c(bitmap);
        const TChartGeometry& g = geometry;
        for (TCrossHair* ch : crossHairs) {
            if (ch->Mode() == chOff) {
                continue;
            }
            int px = 0, py = 0;
            WorldToPixel(ch->Layer(), ch->PosX(), ch->PosY(), px, py);
            c.SetPenColor(ch->Color());
            c.SetPenWidth(ch->LineWid());
            c.SetPenStyle(ch->LineType());
            c.SetBrushColor(chartColor);
            const int h = ch->LineWid() / 2;
            const int bottom = g.Height - g.MarginBottom - g.ShadowWidth;
            const int right = g.Width - g.MarginRight - g.ShadowWidth;
            if ((ch->Mode() == chHoriz || ch->Mode() == chBoth) && g.MarginTop + h < py &&
                py < bottom - h) {
                c.MoveTo(g.MarginLeft + h + 1 - ox, py - oy);
                c.LineTo(right - h - ox, py - oy);
            }
            if ((ch->Mode() == chVert || ch->Mode() == chBoth) && g.MarginLeft + h < px &&
                px < right - h) {
                c.MoveTo(px - ox, g.MarginTop + h + 1 - oy);
                c.LineTo(px - ox, bottom - h - oy);
            }
        }
    }
    toWindow(bitmap, ox, oy);
}
