#include "platform/PixelRaster.h"

#include <algorithm>
#include <cmath>

TPixelRaster::TPixelRaster(QImage& image) : ratio(image.devicePixelRatio()) {
    const QImage::Format f = image.format();
    if (image.isNull() || (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
                           f != QImage::Format_ARGB32_Premultiplied)) {
        return;
    }
    if (!(ratio >= 1 && ratio <= 16)) {
        return; // no ratio a screen has: Qt paints alone
    }
    scale = ratio == std::floor(ratio) ? static_cast<int>(ratio) : 0;
    bits = image.bits();
    bytesPerLine = image.bytesPerLine();
    deviceWidth = image.width();
    deviceHeight = image.height();
    bounds = QRect(0, 0, static_cast<int>(std::ceil(deviceWidth / ratio)),
                   static_cast<int>(std::ceil(deviceHeight / ratio)));
    clip = bounds;
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

QRgb TPixelRaster::At(int x, int y) const {
    if (bits == nullptr || !bounds.contains(x, y)) {
        return qRgb(0, 0, 0);
    }
    const int dx = std::clamp(Device(x), 0, deviceWidth - 1);
    const int dy = std::clamp(Device(y), 0, deviceHeight - 1);
    return reinterpret_cast<const QRgb*>(bits + dy * bytesPerLine)[dx];
}
