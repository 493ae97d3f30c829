#pragma once
// Button glyphs: a picture and its disabled image, which is the picture's shape engraved
// in the button-shadow colour over a highlight copy one pixel down and to the right.

#include <QIcon>
#include <QImage>

// An XPM picture, such as the program's resources (named without a suffix); null when it
// cannot be read.
QImage ReadXpm(const QString& path);
// The disabled image of a glyph with transparent ground.
QImage DisabledGlyph(const QImage& glyph);
// The normal and disabled images of the picture at `resource`, as one icon.
QIcon GlyphIcon(const QString& resource);
// A picture of the program's resources (":/images/..."), as an icon.
QIcon ImageIcon(const QString& resource);
