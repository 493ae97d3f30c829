#pragma once
// What both numeric-label test programs read pictures with: the font the labels are tested
// in, and a pixel's colour.

#include "platform/Canvas.h"

#include <QFont>
#include <QImage>

inline QFont LabelTestFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    return f;
}

// The colour of (device) pixel (x, y).
inline TColor PixelAt(const QImage& img, int x, int y) { return FromQRgb(img.pixel(x, y)); }
