#include "platform/PixelRaster.h"

#include <algorithm>
#include <cmath>

TPixelRaster::TPixelRaster(QImage& image)
    : deviceWidth(image.width()), deviceHeight(image.height()), ratio(image.devicePixelRatio()) {
    const bool screenRatio = ratio >= 1 && ratio <= 16;
    if (!screenRatio) {
        ratio = 1; // no ratio a screen has: Qt paints alone, on whole pixels
    } else {
        scale = ratio == std::floor(ratio) ? static_cast<int>(ratio) : 0;
    }
    bounds = QRect(0, 0, static_cast<int>(std::ceil(deviceWidth / ratio)),
                   static_cast<int>(std::ceil(deviceHeight / ratio)));
    clip = bounds;
    const QImage::Format f = image.format();
    if (!screenRatio || image.isNull() || (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
                           f != QImage::Format_ARGB32_Premultiplied)) {
        return;
    }
    bits = image.bits();
    bytesPerLine = image.bytesPerLine();
}

int TPixelRaster::Device(int v) const {
    // Qt fills the device pixels whose centres lie inside a scaled shape; the edges are placed
    // by the same rule, so fills of both kinds meet without gaps.
    return scale != 0 ? v * scale : static_cast<int>(std::ceil(v * ratio - 0.5));
}

void TPixelRaster::Fill(int x1, int y1, int x2, int y2, QRgb colour) {
    if (bits == nullptr) {
        return;
    }
    x1 = std::max(x1, clip.left());
    y1 = std::max(y1, clip.top());
    x2 = std::min(x2, clip.right() + 1);
    y2 = std::min(y2, clip.bottom() + 1);
    if (x1 >= x2 || y1 >= y2) {
        return;
    }
    const int dx1 = std::clamp(Device(x1), 0, deviceWidth);
    const int dx2 = std::clamp(Device(x2), 0, deviceWidth);
    const int dy1 = std::clamp(Device(y1), 0, deviceHeight);
    const int dy2 = std::clamp(Device(y2), 0, deviceHeight);
    const QRgb value = colour | 0xff000000u;
    for (int y = dy1; y < dy2; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
        std::fill(row + dx1, row + dx2, value);
    }
}

QRect TPixelRaster::DeviceRect(const QRect& logical) const {
    const QRect r = logical & bounds;
    if (r.isEmpty()) {
        return {};
    }
    return QRect(QPoint(Device(r.left()), Device(r.top())),
                 QPoint(Device(r.right() + 1) - 1, Device(r.bottom() + 1) - 1)) &
           QRect(0, 0, deviceWidth, deviceHeight);
}

void TPixelRaster::Copy(const QImage& from, const QRect& part, QPoint at) {
    if (bits == nullptr || from.isNull() || from.depth() != 32 || part.isEmpty()) {
        return;
    }
    // Device rectangles of the part in the source and of its place here; the smaller of the
    // two sizes is copied, so nothing outside either image is touched.
    const int sx = std::clamp(Device(part.left()), 0, from.width());
    const int sy = std::clamp(Device(part.top()), 0, from.height());
    const int sx2 = std::clamp(Device(part.right() + 1), 0, from.width());
    const int sy2 = std::clamp(Device(part.bottom() + 1), 0, from.height());
    const int dx = Device(at.x());
    const int dy = Device(at.y());
    const int x0 = std::max(dx, 0);
    const int y0 = std::max(dy, 0);
    const int w = std::min(sx2 - sx - (x0 - dx), deviceWidth - x0);
    const int h = std::min(sy2 - sy - (y0 - dy), deviceHeight - y0);
    if (w <= 0 || h <= 0) {
        return;
    }
    for (int row = 0; row < h; ++row) {
        const auto* src = reinterpret_cast<const QRgb*>(from.constScanLine(sy + (y0 - dy) + row)) +
                          sx + (x0 - dx);
        auto* dst = reinterpret_cast<QRgb*>(bits + (y0 + row) * bytesPerLine) + x0;
        std::copy(src, src + w, dst);
    }
}

QRgb TPixelRaster::At(int x, int y) const {
    if (bits == nullptr || !bounds.contains(x, y)) {
        return qRgb(0, 0, 0);
    }
    const int dx = std::clamp(Device(x), 0, deviceWidth - 1);
    const int dy = std::clamp(Device(y), 0, deviceHeight - 1);
    return reinterpret_cast<const QRgb*>(bits + dy * bytesPerLine)[dx];
}
