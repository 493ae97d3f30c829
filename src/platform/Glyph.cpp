#include "platform/Glyph.h"

#include "platform/Canvas.h"
#include "platform/Colors.h"

#include <QImageReader>
#include <QPixmap>

QImage ReadXpm(const QString& path) {
    // Told the type and not to guess it, the reader decodes at once; guessing would read the
    // type database and load every image plugin to ask each whether it knows the content.
    QImageReader reader(path, "XPM");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

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

static QImage readImage(const QString& resource) {
    ensureImages();
    return ReadXpm(resource);
}

QIcon ImageIcon(const QString& resource) {
    QIcon icon;
    const QImage image = readImage(resource);
    if (!image.isNull())
        icon.addPixmap(QPixmap::fromImage(image));
    return icon;
}

QIcon GlyphIcon(const QString& resource) {
    const QImage normal = readImage(resource);
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(normal), QIcon::Normal);
    icon.addPixmap(QPixmap::fromImage(DisabledGlyph(normal)), QIcon::Disabled);
    return icon;
}
