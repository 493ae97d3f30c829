#include "chart/ChartRenderer.h"

#include "chart/BakGndImg.h"
#include "chart/CrossHair.h"
#include "chart/GridValues.h"
#include "chart/LayerAxes.h"
#include "chart/TextLabel.h"
#include "numerics/Conversions.h"
#include "platform/Canvas.h"

#include <QImage>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Every drawn position is kept within +-30000 pixels, so long lines are cut, never wrapped.
int clamp30000(int v) { return std::clamp(v, -30000, 30000); }

} // namespace

void TChartRenderer::worldToPixel(int layer, double x, double y, int& px, int& py) const {
    std::int32_t a = 0, b = 0;
    scene.Transform.WorldToPixel(layer, x, y, a, b);
    px = a;
    py = b;
}

bool TChartRenderer::layerVisible(int layer) const {
    return layer >= 1 && layer <= MaxLayers && scene.LayerVisible[static_cast<std::size_t>(layer - 1)];
}

bool TChartRenderer::classVisible(int c) const {
    return c >= 0 && c <= 255 && scene.ClassVisible[static_cast<std::size_t>(c)];
}

void TChartRenderer::DrawOuterArea(Canvas& c) const {
    const TChartGeometry& g = scene.Geometry;
    const TChartStyle& st = scene.Style;
    const int w = g.Width;
    const int h = g.Height;
    const int sw = g.ShadowWidth;
    c.SetPenStyle(psSolid);
    c.SetPenMode(pmCopy);
    c.SetBrushStyle(bsSolid);
    c.SetBrushColor(st.WindColor);
    c.SetPenColor(st.WindColor);
    c.Rectangle(0, 0, w, h);
    if (sw > 0) {
        c.SetBrushColor(st.ShadowBakColor);
        c.SetPenColor(st.ShadowBakColor);
        c.Rectangle(w - sw, 0, w, sw);
        c.Rectangle(0, h - sw, sw, h);
        c.SetBrushColor(st.ShadowColor);
        const int e = st.ShadowStyle == ssFlying ? sw - 1 : 0;
        c.SetPenColor(st.ShadowStyle == ssFlying ? st.ShadowColor : clBlack);
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
    if (!st.Caption.isEmpty()) {
        // Pen in the frame colour, no background, and the text in the colour of the
        // chart's font (its palette's text colour).
        c.SetPenColor(st.ChartFrameColor);
        c.SetFont(scene.CaptionFont);
        c.SetBrushStyle(bsClear);
        c.SetTextColor(scene.CaptionTextColor);
        const int tw = c.TextWidth(st.Caption);
        int x = 0;
        switch (st.CaptionAnchorHoriz) {
        case cahControlLeft:
            x = 0;
            break;
        case cahChartLeft:
            x = g.MarginLeft;
            break;
        case cahChartCenter:
            x = g.MarginLeft + g.AreaWidth() / 2;
            break;
        case cahChartRight:
            x = w - g.MarginRight - sw;
            break;
        case cahControlRight:
            x = w;
            break;
        }
        int y = 0;
        switch (st.CaptionAnchorVert) {
        case cavControlTop:
            y = 0;
            break;
        case cavChartTop:
            y = g.MarginTop;
            break;
        case cavChartCenter:
            y = g.MarginTop + g.AreaHeight() / 2;
            break;
        case cavChartBottom:
            y = h - g.MarginBottom;
            break;
        case cavControlBottom:
            y = h;
            break;
        }
        x += st.CaptionPosX;
        y += st.CaptionPosY;
        if (st.CaptionAlignment == taRightJustify) {
            x -= tw;
        } else if (st.CaptionAlignment == taCenter) {
            x -= tw / 2;
        }
        c.TextOut(x, y, st.Caption);
    }
}

bool TChartRenderer::DrawChartBackground(Canvas& c, int ox, int oy) const {
    const TChartGeometry& g = scene.Geometry;
    const TChartStyle& st = scene.Style;
    const TBakGndImg& bg = scene.Background;
    c.SetPenStyle(psSolid);
    c.SetPenMode(pmCopy);
    c.SetBrushStyle(bsSolid);
    c.SetBrushColor(st.ChartColor);
    c.SetPenColor(st.ChartFrameColor);
    // The data area, frame included, whether drawn into its own picture or the control's.
    const int bw = std::max(g.AreaWidth() + 1, 1);
    const int bh = std::max(g.AreaHeight() + 1, 1);
    auto plain = [&] {
        c.SetBrushColor(st.ChartColor);
        c.SetPenColor(st.ChartFrameColor);
        c.Rectangle(ox, oy, ox + bw, oy + bh);
    };
    if (!bg.Name().isEmpty()) {
        QImage picture;
        if (!picture.load(bg.Name()) || picture.isNull()) {
            plain();
            return false;
        }
        switch (bg.FillMode()) {
        case bfSimple:
            plain();
            c.Draw(ox, oy, picture);
            break;
        case bfStretch:
            c.StretchDraw(QRect(ox, oy, bw, bh), picture);
            break;
        case bfTile:
            for (int col = 0; col <= (bw - 1) / picture.width(); ++col) {
                for (int row = 0; row <= (bh - 1) / picture.height(); ++row) {
                    c.Draw(ox + col * picture.width(), oy + row * picture.height(), picture);
                }
            }
            break;
        }
        return true;
    }
    plain();
    if (bg.AreaMode() == bamNone) {
        return true;
    }
    c.SetBrushColor(bg.AreaColor());
    c.SetPenColor(bg.AreaColor());
    int l = 0, t = 0, r = 0, b = 0;
    worldToPixel(1, bg.AreaLeft(), bg.AreaTop(), l, t);
    worldToPixel(1, bg.AreaRight(), bg.AreaBottom(), r, b);
    l = clamp30000(l) - g.MarginLeft + ox;
    r = clamp30000(r) - g.MarginLeft + ox;
    t = clamp30000(t) - g.MarginTop + oy;
    b = clamp30000(b) - g.MarginTop + oy;
    const int right = ox + bw;
    const int bottom = oy + bh;
    switch (bg.AreaMode()) {
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
    return true;
}

void TChartRenderer::drawGrid(Canvas& c, int ox, int oy) const {
    const TChartGeometry& g = scene.Geometry;
    const TChartStyle& st = scene.Style;
    const TScaleProps& xa = *scene.Axes.XAxis(scene.ActiveLayer);
    const TScaleProps& ya = *scene.Axes.YAxis(scene.ActiveLayer);
    auto values = [](const TScaleProps& a, const TScale& s, double grid) {
        std::vector<double> ticks;
        for (int k = 1; k <= s.NumTicks(); ++k) {
            ticks.push_back(s.TickValue(k));
        }
        const double lo = std::min(a.RangeLow(), a.RangeHigh());
        const double hi = std::max(a.RangeLow(), a.RangeHigh());
        return GridValues(lo, hi, grid, a.Logarithmic(), ticks);
    };
    const std::vector<double> xs = values(xa, *scene.Axes.XScale(scene.ActiveLayer), st.GridDx);
    const std::vector<double> ys = values(ya, *scene.Axes.YScale(scene.ActiveLayer), st.GridDy);
    const bool dotted =
        st.GridStyle == gsHorizDotLines || st.GridStyle == gsVertDotLines || st.GridStyle == gsDotLines;
    c.SetBrushColor(st.ChartColor);
    c.SetPenColor(st.GridColor);
    auto line = [&](double x1, double y1, double x2, double y2) {
        int px1 = 0, py1 = 0, px2 = 0, py2 = 0;
        worldToPixel(scene.ActiveLayer, x1, y1, px1, py1);
        worldToPixel(scene.ActiveLayer, x2, y2, px2, py2);
        const int ax = clamp30000(px1) - g.MarginLeft + ox;
        const int ay = clamp30000(py1) - g.MarginTop + oy;
        const int bx = clamp30000(px2) - g.MarginLeft + ox;
        const int by = clamp30000(py2) - g.MarginTop + oy;
        if (dotted) {
            // The gaps between the dots are the brush's: the line is laid in ChartColor
            // first, so an area fill or an image does not show through them.
            c.SetPenStyle(psSolid);
            c.SetPenColor(st.ChartColor);
            c.MoveTo(ax, ay);
            c.LineTo(bx, by);
            c.SetPenStyle(psDot);
            c.SetPenColor(st.GridColor);
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
    switch (st.GridStyle) {
    case gsPoints: {
        int placed = 0;
        for (double x : xs) {
            for (double y : ys) {
                if (placed++ >= 1000) {
                    break;
                }
                int px = 0, py = 0;
                worldToPixel(scene.ActiveLayer, x, y, px, py);
                c.SetPixel(clamp30000(px) - g.MarginLeft + ox,
                           clamp30000(py) - g.MarginTop + oy, st.GridColor);
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

void TChartRenderer::drawItem(Canvas& c, const TDrawItem& it, int ox, int oy,
                              bool monochrome) const {
    const TChartGeometry& g = scene.Geometry;
    const TColor colour = monochrome ? clBlack : it.Color;
    const TColor fill = monochrome ? clSilver : it.FillColor;
    const auto style = static_cast<TPenStyle>(std::min<int>(it.PenStyle, psInsideFrame));
    auto map = [&](double x, double y, int& px, int& py) {
        worldToPixel(it.Layer, x, y, px, py);
        px = clamp30000(px) - g.MarginLeft + ox;
        py = clamp30000(py) - g.MarginTop + oy;
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

void TChartRenderer::drawTextLabel(Canvas& c, const TTextLabel& label, int ox, int oy) const {
    const TChartGeometry& g = scene.Geometry;
    // A plain rendering: the anchor in world coordinates where the label is attached to the
    // data, else in pixels of the control; lines of the caption stacked from the anchor.
    int ax = 0, ay = 0;
    worldToPixel(label.Layer(), label.PosX(), label.PosY(), ax, ay);
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
    x = clamp30000(x) - g.MarginLeft + ox;
    y = clamp30000(y) - g.MarginTop + oy;
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

void TChartRenderer::DrawData(Canvas& c, int ox, int oy, bool monochrome, bool noGrid) const {
    const TChartStyle& st = scene.Style;
    if (st.GridStyle != gsNone && !noGrid) {
        drawGrid(c, ox, oy);
    }
    c.SetPenWidth(st.LineWidth);
    c.MoveTo(ox, oy);
    c.SetPenColor(st.ChartColor);
    c.SetBrushColor(st.ChartColor);
    c.SetPenStyle(psSolid);
    const TDisplayList& list = scene.Items;
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const TDrawItem& it = list[i];
        if (!classVisible(it.ColorClass) || !layerVisible(it.Layer)) {
            continue;
        }
        if (it.LineWidth != c.PenWidth()) {
            c.SetPenWidth(it.LineWidth);
        }
        drawItem(c, it, ox, oy, monochrome);
    }
    c.SetPenWidth(1);
    // The first label is drawn last, over the others.
    for (auto it = scene.TextLabels.rbegin(); it != scene.TextLabels.rend(); ++it) {
        const TTextLabel& label = **it;
        if (label.Mode() != tlOff && label.Visible() && layerVisible(label.Layer())) {
            drawTextLabel(c, label, ox, oy);
        }
    }
}

void TChartRenderer::DrawDataFrame(Canvas& c, int ox, int oy) const {
    const TChartGeometry& g = scene.Geometry;
    c.SetPenColor(scene.Style.ChartFrameColor);
    c.SetPenStyle(psSolid);
    const int aw = g.AreaWidth();
    const int ah = g.AreaHeight();
    c.MoveTo(ox, oy);
    c.LineTo(ox + aw, oy);
    c.LineTo(ox + aw, oy + ah);
    c.LineTo(ox, oy + ah);
    c.LineTo(ox, oy);
}

void TChartRenderer::DrawCrossHairs(QImage& bitmap, int ox, int oy) const {
    bool any = false;
    for (TCrossHair* ch : scene.CrossHairs) {
        any = any || ch->Mode() != chOff;
    }
    if (any) {
        Canvas c(bitmap);
        const TChartGeometry& g = scene.Geometry;
        for (TCrossHair* ch : scene.CrossHairs) {
            if (ch->Mode() == chOff) {
                continue;
            }
            int px = 0, py = 0;
            worldToPixel(ch->Layer(), ch->PosX(), ch->PosY(), px, py);
            c.SetPenColor(ch->Color());
            c.SetPenWidth(ch->LineWid());
            c.SetPenStyle(ch->LineType());
            c.SetBrushColor(scene.Style.ChartColor);
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
}
