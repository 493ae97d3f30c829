#include "platform/Glyph.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <QPixmap>

QImage DisabledGlyph(const QImage& glyph) {
    const QImage source = glyph.convertToFormat(QImage::Format_ARGB32);
    QImage out(source.size(), QImage::Format_ARGB32);
    out.fill(Qt::transparent);
    const QRgb highlight = ToQColor(clBtnHighlight).rgb();
    const QRgb shadow = ToQColor(clBtnShadow).rgb();
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            if (qAlpha(source.pixel(x, y)) == 0)
                continue;
            if (x + 1 < out.width() && y + 1 < out.height())
                out.setPixel(x + 1, y + 1, highlight);
        }
    }
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            if (qAlpha(source.pixel(x, y)) != 0)
                out.setPixel(x, y, shadow);
    return out;
}

// The images are compiled into this static library; its resource table must be named once
// or the linker may leave it out.
static void ensureImages() {
    static const bool done = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    (void)done;
}

QIcon ImageIcon(const QString& resource) {
    ensureImages();
    return QIcon(resource);
}

QIcon GlyphIcon(const QString& resource) {
    ensureImages();
    const QImage normal(resource);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(DisabledGlyph(normal)), QIcon::Disabled);
    return icon;
}
