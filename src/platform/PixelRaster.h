#pragma once
// Writes whole logical pixels straight into a 32-bit image, the fast path under Canvas for
// spans, rectangles and single pixels. On an image with a device pixel ratio above 1 a
// logical pixel covers the device pixels from dev(x) to dev(x + 1) across and down, so
// shapes keep their places and have no gaps at any ratio, 1.5 included.

#include <QImage>
#include <QRect>
#include <QRgb>

class TPixelRaster {
public:
    // `image` must outlive the raster. Its memory is taken now (detaching a shared copy), so
    // painting on it afterwards writes into the same pixels.
    explicit TPixelRaster(QImage& image);

    // False for image formats the raster does not write; the caller paints through Qt then.
    bool Usable() const { return bits != nullptr; }
    qreal Ratio() const { return ratio; }
    // True when a logical pixel is exactly one device pixel.
    bool Unscaled() const { return scale == 1; }
    // The image in logical pixels, and the part of it drawing is limited to.
    QRect Bounds() const { return bounds; }
    void SetClip(const QRect& logical) { clip = logical & bounds; }
    void ClearClip() { clip = bounds; }
    bool Clipped() const { return clip != bounds; }
    const QRect& Clip() const { return clip; }

    // Fills x1..x2-1, y1..y2-1 (logical), within the clip.
    void Fill(int x1, int y1, int x2, int y2, QRgb colour);
    void Plot(int x, int y, QRgb colour) { Fill(x, y, x + 1, y + 1, colour); }
    // The colour of logical pixel (x, y): its first device pixel. Outside the image, black.
    QRgb At(int x, int y) const;

    // The first device pixel of logical coordinate v.
    int Device(int v) const;
    // The device pixels of a logical rectangle, within the image.
    QRect DeviceRect(const QRect& logical) const;

    // Copies the logical rectangle `part` of `from`, an image of the same ratio, to `at` in
    // this image: device pixel for device pixel, without resampling.
    void Copy(const QImage& from, const QRect& part, QPoint at);

private:
    uchar* bits = nullptr;
    qsizetype bytesPerLine = 0;
    int deviceWidth = 0;
    int deviceHeight = 0;
    qreal ratio = 1;
    int scale = 0; // the ratio when it is a whole number, else 0
    QRect bounds;
    QRect clip;
};
