#include "platform/Canvas.h"

#include <QFontMetrics>
#include <QList>

#include <algorithm>
#include <utility>

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQRgb(QRgb rgb) {
    return RGBColor(static_cast<std::uint8_t>(qRed(rgb)), static_cast<std::uint8_t>(qGreen(rgb)),
                    static_cast<std::uint8_t>(qBlue(rgb)));
}

Canvas::Canvas(QImage& target) : image(target) {
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
    if (penStyle == psClear || from == to) {
        return;
    }
    // Qt's square cap sets both ends; the end pixel is put back afterwards. Only a solid
    // one-pixel pen has a single end pixel to put back.
    const bool restoreEnd = penWidth == 1 && (penStyle == psSolid || penStyle == psInsideFrame) &&
                            image.rect().contains(to);
    const QRgb saved = restoreEnd ? image.pixel(to) : 0;
    painter.drawLine(from, to);
    if (restoreEnd) {
        painter.save();
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.setPen(QPen(QColor::fromRgba(saved), 1));
        painter.drawPoint(to);
        painter.restore();
    }
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
    if (r.isValid()) {
        painter.fillRect(r, ToQColor(brushColor));
    }
}

void Canvas::Polygon(const QPolygon& points) {
    if (points.isEmpty()) {
        return;
    }
    painter.drawPolygon(points);
    // Qt's aliased outline can leave out a vertex where two edges meet at the bottom right;
    // the outline must run through every vertex.
    if (penStyle != psClear && penWidth == 1) {
        for (const QPoint& p : points) {
            painter.drawPoint(p);
        }
    }
}

TColor Canvas::Pixel(int x, int y) const {
    return image.rect().contains(x, y) ? FromQRgb(image.pixel(x, y)) : clBlack;
}

void Canvas::SetPixel(int x, int y, TColor color) {
    if (!image.rect().contains(x, y)) {
        return;
    }
    painter.save();
    if (penMode == pmCopy) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    painter.setPen(QPen(ToQColor(color), 1));
    painter.drawPoint(x, y);
    painter.restore();
}

void Canvas::TextOut(int x, int y, const QString& text) {
    const QFontMetrics fm(font);
    if (brushStyle == bsSolid) {
        painter.fillRect(QRect(x, y, fm.horizontalAdvance(text), fm.height()),
                         ToQColor(brushColor));
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
    painter.setClipRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)));
}

void Canvas::ClearClip() { painter.setClipping(false); }
