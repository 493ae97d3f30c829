#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QList>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQRgb(QRgb rgb) {
    return RGBColor(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                    static_cast<std::uint8_t>(qBlue(rgb)));
}

Canvas::Canvas(QImage& target, TPath path)
    : image(target), raster(target), direct(path == TPath::Direct && raster.Usable()) {
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    SetFont(painter.font());
    applyPen();
    applyBrush();
}

Canvas::~Canvas() {
    if (painter.isActive()) {
        painter.end();
    }
}

void Canvas::SetPenColor(TColor color) {
    if (penColor == color) {
        return; // the renderer sets these per item; unchanged means no work
    }
    penColor = color;
    applyPen();
}

bool Canvas::directPen() const {
    return direct && penMode == pmCopy && penWidth == 1 &&
           (penStyle == psSolid || penStyle == psInsideFrame);
}

void Canvas::SetPenWidth(int width) {
    if (std::max(width, 1) == penWidth) {
        return;
    }
    penWidth = std::max(width, 1);
    applyPen();
}

void Canvas::SetPenStyle(TPenStyle style) {
    if (penStyle == style) {
        return; // the renderer sets these per item; unchanged means no work
    }
    penStyle = style;
    applyPen();
}

void Canvas::SetPenMode(TPenMode mode) {
    penMode = mode;
    switch (mode) {
    case pmXor:
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        break;
    case pmNotXor:
        painter.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        break;
    case pmCopy:
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        break;
    }
}

void Canvas::SetBrushColor(TColor color) {
    if (brushColor == color) {
        return; // the renderer sets these per item; unchanged means no work
    }
    brushColor = color;
    applyBrush();
}

void Canvas::SetBrushStyle(TBrushStyle style) {
    if (brushStyle == style) {
        return; // the renderer sets these per item; unchanged means no work
    }
    brushStyle = style;
    applyBrush();
}

void Canvas::SetFont(const QFont& f) {
    // Text keeps the platform's antialiasing, as every other text on the screen has: aliased
    // glyphs are hinted to whole pixels, which spaces digits unevenly.
    font = f;
    painter.setFont(font);
}

void Canvas::applyPen() {
    penRgb = ToQColor(penColor).rgb();
    if (penStyle == psClear) {
        painter.setPen(Qt::NoPen);
        return;
    }
    QPen pen(ToQColor(penColor));
    pen.setWidth(penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    // Dashes are in pen widths. A square cap would stretch every dash by half a width at
    // each end and close the gaps, so dashed pens are flat-capped.
    QList<qreal> dashes;
    switch (penStyle) {
    case psDash:
        dashes = {18, 6};
        break;
    case psDot:
        dashes = {1, 1};
        break;
    case psDashDot:
        dashes = {9, 6, 3, 6};
        break;
    case psDashDotDot:
        dashes = {9, 3, 3, 3, 3, 3};
        break;
    default:
        break;
    }
    if (dashes.isEmpty()) {
        pen.setCapStyle(Qt::SquareCap);
    } else {
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(dashes);
    }
    painter.setPen(pen);
}

void Canvas::applyBrush() {
    brushRgb = ToQColor(brushColor).rgb();
    if (brushStyle == bsClear) {
        painter.setBrush(Qt::NoBrush);
    } else {
        painter.setBrush(ToQColor(brushColor));
    }
}

void Canvas::withComposition(QPainter::CompositionMode mode, const auto& draw) {
    const QPainter::CompositionMode old = painter.compositionMode();
    painter.setCompositionMode(mode);
    draw();
    painter.setCompositionMode(old);
}

void Canvas::MoveTo(int x, int y) { penPos = QPoint(x, y); }

void Canvas::LineTo(int x, int y) {
    const QPoint from = penPos;
    const QPoint to(x, y);
    penPos = to;
    if (penStyle == psClear || from == to || directLine(from, to)) {
        return;
    }
    // Qt's square cap sets both ends; the end pixel is put back afterwards. Only a solid
    // one-pixel pen has a single end pixel to put back.
    const bool restoreEnd = penWidth == 1 && (penStyle == psSolid || penStyle == psInsideFrame) &&
                            raster.Bounds().contains(to);
    const QRgb saved = restoreEnd ? raster.At(to.x(), to.y()) : 0;
    painter.drawLine(from, to);
    if (restoreEnd) {
        qtPoint(to.x(), to.y(), QColor::fromRgb(saved));
    }
}

// Lines across, down and at 45 degrees, in a one-pixel solid pen or the grid's dots: the
// pixels Qt's aliased line sets, from the start up to the end, which is left out.
bool Canvas::directLine(QPoint from, QPoint to) {
    const bool dotted = direct && penMode == pmCopy && penWidth == 1 && penStyle == psDot;
    if (!directPen() && !dotted) {
        return false;
    }
    const int dx = to.x() - from.x();
    const int dy = to.y() - from.y();
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy)) {
        return false;
    }
    const int sx = (dx > 0) - (dx < 0);
    const int sy = (dy > 0) - (dy < 0);
    const int n = std::max(std::abs(dx), std::abs(dy));
    if (dotted) {
        // Qt restarts the pattern where a line enters the image: only lines wholly inside
        // are laid here. Under a clip the dots stay where the whole line has them, so a
        // picture painted again in parts keeps its dots.
        if ((dx != 0 && dy != 0) || !raster.Bounds().contains(from) ||
            !raster.Bounds().contains(to)) {
            return false;
        }
        // Qt lays the pattern from the start: a dot on every other pixel it passes. Going
        // left or up, the pixel passed is the one before the coordinate.
        const QRect& clip = raster.Clip();
        if ((dy == 0 && (from.y() < clip.top() || from.y() > clip.bottom())) ||
            (dx == 0 && (from.x() < clip.left() || from.x() > clip.right()))) {
            return true; // wholly outside the clip
        }
        for (int i = 0; i < n; i += 2) {
            raster.Plot(from.x() + sx * i - (sx < 0 ? 1 : 0), from.y() + sy * i - (sy < 0 ? 1 : 0),
                        penRgb);
        }
        return true;
    }
    if (dy == 0) {
        raster.Fill(std::min(from.x(), to.x() + 1), from.y(), std::max(from.x() + 1, to.x()),
                    from.y() + 1, penRgb);
    } else if (dx == 0) {
        raster.Fill(from.x(), std::min(from.y(), to.y() + 1), from.x() + 1,
                    std::max(from.y() + 1, to.y()), penRgb);
    } else {
        for (int i = 0; i < n; ++i) {
            raster.Plot(from.x() + sx * i, from.y() + sy * i, penRgb);
        }
    }
    return true;
}

void Canvas::Rectangle(int x1, int y1, int x2, int y2) {
    if (x1 > x2) {
        std::swap(x1, x2);
    }
    if (y1 > y2) {
        std::swap(y1, y2);
    }
    const int w = x2 - x1;
    const int h = y2 - y1;
    if (w <= 0 || h <= 0) {
        return;
    }
    if (penStyle == psClear) {
        fillRect(x1, y1, x2, y2);
        return;
    }
    if (directPen()) {
        if (w > 2 && h > 2 && brushStyle != bsClear) {
            raster.Fill(x1 + 1, y1 + 1, x2 - 1, y2 - 1, brushRgb);
        }
        raster.Fill(x1, y1, x2, y1 + 1, penRgb);
        raster.Fill(x1, y2 - 1, x2, y2, penRgb);
        raster.Fill(x1, y1, x1 + 1, y2, penRgb);
        raster.Fill(x2 - 1, y1, x2, y2, penRgb);
        return;
    }
    if (w == 1 || h == 1) {
        // The outline alone covers a rectangle one pixel thin; QRect would draw nothing.
        painter.fillRect(QRect(x1, y1, w, h), ToQColor(penColor));
        return;
    }
    painter.drawRect(QRect(x1, y1, w - 1, h - 1));
}

void Canvas::fillRect(int x1, int y1, int x2, int y2) {
    if (brushStyle == bsClear) {
        return;
    }
    const QRect r = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                          QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
    if (!r.isValid()) {
        return;
    }
    if (direct && penMode == pmCopy) {
        raster.Fill(r.left(), r.top(), r.right() + 1, r.bottom() + 1, brushRgb);
    } else {
        painter.fillRect(r, ToQColor(brushColor));
    }
}

void Canvas::Polygon(const QPolygon& points) {
    if (points.isEmpty() || directPolygon(points)) {
        return;
    }
    painter.drawPolygon(points);
    // Qt's aliased outline can leave out a vertex where two edges meet at the bottom right;
    // the outline must run through every vertex.
    if (penStyle != psClear && penWidth == 1) {
        for (const QPoint& p : points) {
            if (directPen()) {
                raster.Plot(p.x(), p.y(), penRgb);
            } else {
                qtPoint(p.x(), p.y(), ToQColor(penColor));
            }
        }
    }
}

// A convex polygon whose edges run across, down or at 45 degrees (the faces of the chart's
// bars and its shadow): every pixel an edge passes, both ends included, in the pen, and the
// pixels of each row between its outermost edge pixels in the brush, as Qt fills it.
bool Canvas::directPolygon(const QPolygon& points) {
    const qsizetype n = points.size();
    if (!directPen() || n < 3 || n > 16 || (brushStyle != bsSolid && brushStyle != bsClear)) {
        return false;
    }
    int top = points[0].y(), bottom = points[0].y();
    int left = points[0].x(), right = points[0].x();
    int turn = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QPoint a = points[i];
        const QPoint b = points[(i + 1) % n];
        const QPoint c = points[(i + 2) % n];
        const int dx = b.x() - a.x(), dy = b.y() - a.y();
        if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy)) {
            return false;
        }
        if (std::abs(dx) > 30000 || std::abs(dy) > 30000) {
            return false;
        }
        const long long cross = static_cast<long long>(dx) * (c.y() - b.y()) -
                                static_cast<long long>(dy) * (c.x() - b.x());
        const int sign = (cross > 0) - (cross < 0);
        if (sign != 0 && turn != 0 && sign != turn) {
            return false; // not convex: Qt's fill rule decides
        }
        turn = sign != 0 ? sign : turn;
        top = std::min(top, a.y());
        bottom = std::max(bottom, a.y());
        left = std::min(left, a.x());
        right = std::max(right, a.x());
    }
    // Only the rows in the clip (the image, or the part painted again) are laid.
    const QRect& clip = raster.Clip();
    const int rowFirst = std::max(top, clip.top());
    const int rowLast = std::min(bottom, clip.bottom());
    if (rowFirst > rowLast || left > clip.right() || right < clip.left()) {
        return true; // nothing of it shows
    }
    // The outermost edge pixel of each row, then the inside, then the edges over it.
    constexpr int none = std::numeric_limits<int>::max();
    std::vector<std::pair<int, int>>& rows = polygonRows;
    rows.assign(static_cast<std::size_t>(rowLast - rowFirst + 1),
                {none, std::numeric_limits<int>::min()});
    auto eachEdgePixel = [&](const auto& visit) {
        for (qsizetype i = 0; i < n; ++i) {
            const QPoint a = points[i];
            const QPoint b = points[(i + 1) % n];
            const int sx = (b.x() > a.x()) - (b.x() < a.x());
            const int sy = (b.y() > a.y()) - (b.y() < a.y());
            const int steps = std::max(std::abs(b.x() - a.x()), std::abs(b.y() - a.y()));
            if (sy == 0) {
                visit(std::min(a.x(), b.x()), std::max(a.x(), b.x()), a.y());
                continue;
            }
            for (int k = 0; k <= steps; ++k) {
                const int x = a.x() + sx * k;
                visit(x, x, a.y() + sy * k);
            }
        }
    };
    eachEdgePixel([&](int xa, int xb, int y) {
        if (y >= rowFirst && y <= rowLast) {
            auto& r = rows[static_cast<std::size_t>(y - rowFirst)];
            r.first = std::min(r.first, xa);
            r.second = std::max(r.second, xb);
        }
    });
    if (brushStyle == bsSolid) {
        for (int y = rowFirst; y <= rowLast; ++y) {
            const auto& r = rows[static_cast<std::size_t>(y - rowFirst)];
            if (r.first != none && r.second - r.first > 1) {
                raster.Fill(r.first + 1, y, r.second, y + 1, brushRgb);
            }
        }
    }
    eachEdgePixel([&](int xa, int xb, int y) {
        if (y >= rowFirst && y <= rowLast) {
            raster.Fill(xa, y, xb + 1, y + 1, penRgb);
        }
    });
    return true;
}

TColor Canvas::Pixel(int x, int y) const {
    if (raster.Usable()) {
        return FromQRgb(raster.At(x, y));
    }
    return image.rect().contains(x, y) ? FromQRgb(image.pixel(x, y)) : clBlack;
}

void Canvas::SetPixel(int x, int y, TColor color) {
    if (direct && penMode == pmCopy) {
        raster.Plot(x, y, ToQColor(color).rgb());
        return;
    }
    qtPoint(x, y, ToQColor(color));
}

void Canvas::qtPoint(int x, int y, QColor colour) {
    if (!raster.Bounds().contains(x, y) && !image.rect().contains(x, y)) {
        return;
    }
    painter.save();
    if (penMode == pmCopy) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    // A logical pixel is a square of the device's pixels: filled, not a scaled point.
    painter.fillRect(QRect(x, y, 1, 1), colour);
    painter.restore();
}

void Canvas::TextOut(int x, int y, const QString& text) {
    const QFontMetrics fm(font);
    if (brushStyle == bsSolid) {
        fillRect(x, y, x + fm.horizontalAdvance(text), y + fm.height());
    }
    painter.save();
    painter.setPen(ToQColor(textColor));
    painter.drawText(QPoint(x, y + fm.ascent()), text);
    painter.restore();
    penPos = QPoint(x + fm.horizontalAdvance(text), y);
}

int Canvas::TextWidth(const QString& text) const { return QFontMetrics(font).horizontalAdvance(text); }

int Canvas::TextHeight(const QString&) const { return QFontMetrics(font).height(); }

void Canvas::Draw(int x, int y, const QImage& picture) {
    withComposition(QPainter::CompositionMode_SourceOver, [&] { painter.drawImage(x, y, picture); });
}

void Canvas::StretchDraw(const QRect& target, const QImage& picture) {
    withComposition(QPainter::CompositionMode_SourceOver,
                    [&] { painter.drawImage(target, picture); });
}

void Canvas::SetClipRect(int x1, int y1, int x2, int y2) {
    const QRect r(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1));
    painter.setClipRect(r);
    raster.SetClip(r);
}

void Canvas::ClearClip() {
    painter.setClipping(false);
    raster.ClearClip();
}
