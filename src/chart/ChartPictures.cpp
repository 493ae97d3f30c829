#include "chart/ChartPictures.h"

#include "platform/Canvas.h"
#include "platform/PixelRaster.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Makes `img` an off-screen picture of `size` logical pixels at the screen's resolution;
// true when it had to be made anew (its pixels are undefined then).
bool fit(QImage& img, QSize size, qreal ratio) {
    const QSize device(static_cast<int>(std::ceil(std::max(size.width(), 1) * ratio)),
                       static_cast<int>(std::ceil(std::max(size.height(), 1) * ratio)));
    if (img.size() == device && img.devicePixelRatio() == ratio && !img.isNull()) {
        return false;
    }
    img = QImage(device, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    return true;
}

TPixelRect pixelRect(const QRect& r) { return {r.left(), r.top(), r.right() + 1, r.bottom() + 1}; }

QRect qRect(const TPixelRect& r) {
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

// The part of `area` to paint: nothing, where items changed, or all of it.
QRect part(const std::optional<TPixelRect>& damage, const QRect& area) {
    if (!damage) {
        return area;
    }
    return damage->Empty() ? QRect() : qRect(*damage) & area;
}

} // namespace

void TChartPictures::Full(const TRepaint& r) {
    const bool fresh = fit(controlBitmap, r.Control, r.Key.Ratio);
    // The outer area is drawn again only when something it shows has changed; it covers
    // the data area, which is then drawn whole.
    const bool outerNew = fresh || !controlDrawn || !(*controlDrawn == r.Key) || r.ScalesListened;
    controlDrawn = r.Key;
    if (outerNew) {
        Canvas outer(controlBitmap);
        chart.PaintOuterArea(outer);
    }
    if (outerNew || !r.PartialSafe) {
        controlDamage.Invalidate();
    }
    const QRect changed =
        part(controlDamage.Next(r.Items, r.Transform, pixelRect(r.Area)), r.Area);
    if (r.DataListened) {
        // The listeners get the data area's own picture, as they always have.
        fit(chartAreaBitmap, r.Area.size(), r.Key.Ratio);
        {
            Canvas c(chartAreaBitmap);
            chart.PaintDataArea(c, 0, 0);
        }
        TPixelRaster(controlBitmap)
            .Copy(chartAreaBitmap, QRect(QPoint(0, 0), r.Area.size()), r.Area.topLeft());
    } else if (!changed.isEmpty()) {
        // Straight into the control's picture, clipped as the data area's own picture
        // would clip it, or to the part that changed.
        Canvas c(controlBitmap);
        c.SetClipRect(changed.left(), changed.top(), changed.right() + 1, changed.bottom() + 1);
        chart.PaintDataArea(c, r.Area.left(), r.Area.top());
    }
    chart.PaintCrossHairs(controlBitmap, 0, 0);
    if (!r.PartialSafe) {
        controlDamage.Invalidate(); // the picture holds more than the items: drawn whole next
    }
    if (outerNew || !windowHasOuter) {
        ToWindow(controlBitmap, 0, 0, r);
    } else {
        ToWindow(controlBitmap, 0, 0, r, windowHasControlArea ? changed : r.Area);
    }
    windowHasOuter = true;
    windowHasControlArea = true;
    windowHasAreaBitmap = false;
}

void TChartPictures::DataArea(const TRepaint& r) {
    const bool fresh = fit(chartAreaBitmap, r.Area.size(), r.Key.Ratio);
    if (fresh || !areaDrawn || !(*areaDrawn == r.Key) || !r.PartialSafe) {
        areaDamage.Invalidate();
    }
    areaDrawn = r.Key;
    // In the data area's own pixels.
    const QRect changed = part(areaDamage.Next(r.Items, r.Transform, pixelRect(r.Area)), r.Area)
                              .translated(-r.Area.left(), -r.Area.top());
    if (!changed.isEmpty()) {
        Canvas c(chartAreaBitmap);
        c.SetClipRect(changed.left(), changed.top(), changed.right() + 1, changed.bottom() + 1);
        chart.PaintDataArea(c, 0, 0);
    }
    chart.PaintCrossHairs(chartAreaBitmap, r.Area.left(), r.Area.top());
    if (!r.PartialSafe) {
        areaDamage.Invalidate(); // the picture holds more than the items: drawn whole next
    }
    ToWindow(chartAreaBitmap, r.Area.left(), r.Area.top(), r,
             windowHasAreaBitmap ? changed : QRect(QPoint(0, 0), r.Area.size()));
    windowHasAreaBitmap = true;
    windowHasControlArea = false;
}

void TChartPictures::ToWindow(const QImage& picture, int x, int y, const TRepaint& r,
                              std::optional<QRect> part) {
    if (&picture == &controlBitmap && x == 0 && y == 0 && !part && !fits(windowImage)) {
        // A window without an image of the control's size takes the whole control's picture
        // as it is: the two share their pixels until either is drawn on again, so the first
        // display copies nothing.
        windowImage = controlBitmap;
        chart.ShowPart(QRect(QPoint(0, 0), r.Control));
        return;
    }
    if (fit(windowImage, r.Control, r.Key.Ratio)) {
        windowImage.fill(ToQColor(r.WindColor));
        WindowDrawnOn();
        part.reset(); // a new image shows nothing yet
    }
    const QRect p = part.value_or(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
    if (p.isEmpty()) {
        return;
    }
    TPixelRaster(windowImage).Copy(picture, p, QPoint(x + p.left(), y + p.top()));
    chart.ShowPart(p.translated(x, y));
}

bool TChartPictures::fits(const QImage& window) const {
    return !window.isNull() && window.size() == controlBitmap.size() &&
           window.devicePixelRatio() == controlBitmap.devicePixelRatio();
}

void TChartPictures::WindowDrawnOn() {
    windowHasOuter = false;
    windowHasControlArea = false;
    windowHasAreaBitmap = false;
}

void TChartPictures::Shown(const QImage& picture) {
    const bool control = &picture == &controlBitmap;
    const bool area = &picture == &chartAreaBitmap;
    windowHasOuter = windowHasOuter && (control || area);
    windowHasControlArea = control;
    windowHasAreaBitmap = area;
}

void TChartPictures::Blit(QPainter& p, const QRect& r) const {
    // The image has the screen's resolution: its device pixels go to the screen one for one.
    const qreal ratio = windowImage.devicePixelRatio();
    p.drawImage(QRectF(r), windowImage,
                QRectF(r.x() * ratio, r.y() * ratio, r.width() * ratio, r.height() * ratio));
}
